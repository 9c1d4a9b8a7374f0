#include "forms/StartFailure.h"

#include <gtest/gtest.h>

#include <string>

#include "support/RecordingDesktop.h"
#include "support/TestFiles.h"

namespace morvanta::forms {
namespace {

bool startsWith(const std::u16string& text, const std::u16string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// A program that cannot be started is told, with the system's reason, in
// the same words whichever window shows it; nothing escapes as an exception.
TEST(StartFailureTest, AProgramThatCannotStartIsToldWithTheReason) {
  testing::TempFolder folder;
  RecordingDesktop desktop;
  startCommandLineOrTell(desktop, u"   ");
  startCommandLineOrTell(desktop, u"\"" + folder.file(u"no such editor") + u"\" FILE.txt");
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0], u"起動できません: nothing to start: the command line is empty");
  EXPECT_TRUE(startsWith(desktop.messages[1], u"起動できません: "))
      << testing::u8(desktop.messages[1]);
  EXPECT_GT(desktop.messages[1].size(), std::u16string(u"起動できません: ").size());
}

}  // namespace
}  // namespace morvanta::forms
