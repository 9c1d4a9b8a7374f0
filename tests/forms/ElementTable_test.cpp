// The rows behind a pane's element and date lists, and the in-memory list
// boxes that show them.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "forms/ElementTable.h"
#include "forms/MemoryControls.h"

namespace morvanta::forms {
namespace {

// Written in place, as the listing parser writes its rows: room asked for
// beyond the row, which the next row then takes.
void writeInPlace(TextColumn& column, std::string_view ascii) {
  char16_t* to = column.beginRow(ascii.size() + 16);
  for (const char c : ascii) *to++ = static_cast<unsigned char>(c);
  column.endRow(to);
}

TEST(TextColumn, KeepsEachRowWhole) {
  TextColumn column;
  column.append(u"MAIN/R1");
  writeInPlace(column, "");
  writeInPlace(column, "LIB(REL)");
  column.append(u"取得/R2");
  ASSERT_EQ(column.size(), 4u);
  EXPECT_EQ(column.at(0), u"MAIN/R1");
  EXPECT_EQ(column.at(1), u"");
  EXPECT_EQ(column.at(2), u"LIB(REL)");
  EXPECT_EQ(column.at(3), u"取得/R2");
  column.remove(1);
  column.remove(0);
  ASSERT_EQ(column.size(), 2u);
  EXPECT_EQ(column.at(0), u"LIB(REL)");
  EXPECT_EQ(column.at(1), u"取得/R2");
  EXPECT_THROW(column.at(2), std::out_of_range);
  EXPECT_THROW(column.remove(2), std::out_of_range);
}

// The column's storage runs ahead of its rows; rows appended after a
// removal, a clear or many growths still read back exactly.
TEST(TextColumn, RowsStayWholeAcrossGrowthRemovalAndClear) {
  TextColumn column;
  column.reserve(2, 4);
  std::vector<std::u16string> expected;
  for (int n = 0; n < 3000; ++n) {
    const std::string text =
        "E" + std::to_string(n) + std::string(static_cast<std::size_t>(n % 7), 'X');
    if (n % 2 == 0) {
      writeInPlace(column, text);
    } else {
      column.append(std::u16string(text.begin(), text.end()));
    }
    expected.emplace_back(text.begin(), text.end());
    if (n % 500 == 499) {
      column.remove(column.size() - 1);  // the last row
      expected.pop_back();
      column.remove(0);
      expected.erase(expected.begin());
    }
  }
  ASSERT_EQ(column.size(), expected.size());
  for (std::size_t r = 0; r < expected.size(); ++r) EXPECT_EQ(column.at(r), expected[r]) << r;
  column.clear();
  writeInPlace(column, "AFTER");
  ASSERT_EQ(column.size(), 1u);
  EXPECT_EQ(column.at(0), u"AFTER");
}

class ElementListsInMemory : public ::testing::Test {
 protected:
  ElementTable table;
  MemoryElementList names{{}, table, ElementColumn::Names};
  MemoryElementList dates{{}, table, ElementColumn::Dates};
};

TEST_F(ElementListsInMemory, ListingFillsBothListsAtOnce) {
  names.addItem(u"OLD");
  names.setListIndex(0);
  TextColumn listedNames;
  TextColumn listedDates;
  for (auto [name, date] :
       {std::pair{"MAIN/R1", "2026/11/30  09:07 "}, {"LIB(REL)", "2001/12/05 "}}) {
    writeInPlace(listedNames, name);
    writeInPlace(listedDates, date);
  }
  table.assign(std::move(listedNames), std::move(listedDates));
  ASSERT_EQ(names.count(), 2);
  ASSERT_EQ(dates.count(), 2);
  EXPECT_EQ(names.item(1), u"LIB(REL)");
  EXPECT_EQ(dates.item(1), u"2001/12/05 ");
  EXPECT_EQ(names.listIndex(), -1);  // new rows, nothing selected
}

TEST_F(ElementListsInMemory, EachListKeepsItsOwnRowsAndSelection) {
  for (auto row : {u"A", u"B", u"C", u"D"}) names.addItem(row);
  dates.addItem(u"2001/01/01 ");
  names.setListIndex(2);
  names.removeItem(0);
  EXPECT_EQ(names.listIndex(), 1);  // follows its row
  EXPECT_EQ(names.item(1), u"C");
  names.removeItem(1);
  EXPECT_EQ(names.listIndex(), -1);  // its row went
  names.setListIndex(0);
  dates.clear();
  EXPECT_EQ(names.listIndex(), 0);  // the other list's clear is not this one's
  EXPECT_EQ(names.count(), 2);
  names.clear();
  EXPECT_EQ(names.count(), 0);
  EXPECT_EQ(names.listIndex(), -1);
  EXPECT_THROW(names.item(0), std::out_of_range);
  EXPECT_THROW(names.item(-1), std::out_of_range);
  EXPECT_THROW(names.setListIndex(0), std::out_of_range);
  EXPECT_THROW(names.removeItem(-1), std::out_of_range);
}

}  // namespace
}  // namespace morvanta::forms
