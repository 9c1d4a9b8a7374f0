// The per-element plan behind the bulk question's details and --dry-run:
// it must choose exactly what the bulk receive fetches, and say why.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/TxtHdl.h"
#include "transfer/BulkPlan.h"

namespace morvanta::transfer {
namespace {

using Lines = std::vector<std::u16string>;

TEST(BulkPlanTest, EachElementGetsItsReasonAndTimes) {
  TxtHdl txtHdl;
  const Lines phased = {
      u"MAIN.R1 MAIN/R1 2026/12/01  13:05  ",  // PC copy at 13:05:30: older than 13:05:59
      u"MAIN.R2 MAIN/R2 2026/12/01  13:05  ",  // PC copy at 13:06:00: newer
      u"CALC CALC 2026/12/02  08:00  ",        // no PC copy
      u"OLD OLD 2001/12/24  ",                 // listed with a year only
      u"LIB LIB(REL) 2026/12/02  08:00  ",     // relocatable
      u"",
  };
  const PcFolderIndex folder(txtHdl, {u"main.r1.txt", u"MAIN.R2.TXT", u"OLD.txt"});
  const Lines times = {u"2026/12/01 13:05:30", u"2026/12/01 13:06:00", u"2000/01/01 00:00:00"};
  const BulkPlan plan =
      planBulkReceive(txtHdl, phased, folder, [&](std::size_t at) { return times[at]; });

  ASSERT_FALSE(plan.symFile);
  ASSERT_EQ(plan.entries.size(), 5u) << "the blank line is no element";
  struct Expected {
    const char16_t* name;
    BulkReason reason;
    const char16_t* hostTime;
    const char16_t* pcTime;
  };
  const Expected expected[] = {
      {u"MAIN.R1", BulkReason::OlderOnPc, u"2026/12/01 13:05", u"2026/12/01 13:05:30"},
      {u"MAIN.R2", BulkReason::NewerOnPc, u"2026/12/01 13:05", u"2026/12/01 13:06:00"},
      {u"CALC", BulkReason::MissingOnPc, u"2026/12/02 08:00", u""},
      {u"OLD", BulkReason::NoTime, u"", u""},
      {u"LIB", BulkReason::NotSymbolic, u"", u""},
  };
  for (std::size_t i = 0; i < plan.entries.size(); ++i) {
    const BulkPlanEntry& got = plan.entries[i];
    EXPECT_EQ(got.name, expected[i].name) << i;
    EXPECT_EQ(got.reason, expected[i].reason) << i;
    EXPECT_EQ(got.hostTime, expected[i].hostTime) << i;
    EXPECT_EQ(got.pcTime, expected[i].pcTime) << i;
  }
  EXPECT_EQ(plan.receivedNames(), (Lines{u"MAIN.R1", u"CALC"}));
}

TEST(BulkPlanTest, StopsWhereTheSelectionStopsAtASymFile) {
  TxtHdl txtHdl;
  const Lines phased = {u"A A 2026/12/01  13:05  ", u"B B 2026/12/01  13:05  "};
  const PcFolderIndex folder(txtHdl, {u"A.txt", u"B.R1_SYM"});
  const BulkPlan plan =
      planBulkReceive(txtHdl, phased, folder, [](std::size_t) { return u"2000/01/01 00:00:00"; });
  EXPECT_EQ(plan.symFile, std::optional<std::u16string>(u"B.R1_SYM"));
  EXPECT_EQ(plan.entries.size(), 1u);
}

// Whatever the TOC and the folder hold, the plan receives what the
// selection collects: the question shows what Yes will do.
TEST(BulkPlanTest, ReceivesExactlyWhatTheSelectionCollects) {
  TxtHdl txtHdl;
  std::mt19937 random(20);
  const std::u16string names[] = {u"A", u"B.R1", u"C", u"D.X", u"E"};
  const std::u16string hostTimes[] = {u"2026/12/01  13:05  ", u"2026/12/01  13:06  ",
                                      u"2001/12/24  "};
  const std::u16string pcTimes[] = {u"2026/12/01 13:05:59", u"2026/12/01 13:06:00",
                                    u"2026/12/01 13:04:00"};
  for (int round = 0; round < 300; ++round) {
    Lines phased;
    Lines files;
    Lines times;
    for (const auto& name : names) {
      const std::u16string display = random() % 5 == 0 ? name + u"(OMN)" : name;
      phased.push_back(name + u" " + display + u" " + hostTimes[random() % 3]);
      switch (random() % 4) {
        case 0:
          break;  // no PC copy
        case 1:
          files.push_back(name + u".R9_SYM");
          times.push_back(pcTimes[0]);
          break;
        default:
          files.push_back(name + u".txt");
          times.push_back(pcTimes[random() % 3]);
      }
    }
    const PcFolderIndex folder(txtHdl, files);
    const auto timeOf = [&](std::size_t at) { return times[at]; };
    const BulkSelection selection = selectBulkElements(txtHdl, phased, folder, timeOf);
    const BulkPlan plan = planBulkReceive(txtHdl, phased, folder, timeOf);
    ASSERT_EQ(plan.symFile, selection.symFile) << round;
    if (!plan.symFile) {
      ASSERT_EQ(plan.receivedNames(), selection.names) << round;
    }
  }
}

}  // namespace
}  // namespace morvanta::transfer
