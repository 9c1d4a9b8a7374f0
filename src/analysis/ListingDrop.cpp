#include "analysis/ListingDrop.h"

#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "app/FailureText.h"
#include "app/MainForm.h"
#include "platform/Platform.h"
#include "text/TextRules.h"
#include "u2200/PcNameRule.h"

namespace morvanta::analysis {

namespace {

constexpr std::int16_t kElementColumn = 8;

bool isHeader(const std::u16string& field) {
  return field == u"@PRT,T" || field == u"@PRT,TB";
}

// The element named by a line after a header, "" when the line names none:
// the type stands in columns 1-4, then three blanks, then the name. A cycle
// such as "LIB(0)" is cut at its "(".
std::u16string elementOf(const TxtHdl& txtHdl, std::u16string line) {
  if (line.size() <= kElementColumn) return {};
  if (line.compare(4, 3, u"   ") != 0) return {};
  const auto cycle = line.find(u"(0", kElementColumn - 1);
  if (cycle != std::u16string::npos) line[cycle] = u' ';
  std::int16_t pos = kElementColumn;
  return txtHdl.Field_get(line, pos);
}

// Writes the path into the first row, keeping the rows below it.
void showDroppedPath(forms::ListBox& list, const std::u16string& path) {
  if (list.count() == 0) return list.addItem(path);
  std::vector<std::u16string> rows;
  for (int r = 1; r < list.count(); ++r) rows.push_back(list.item(r));
  list.clear();
  list.addItem(path);
  for (const std::u16string& row : rows) list.addItem(row);
}

// A 2200 element name, possibly followed by a cycle such as "(1)"; the row
// of a cycle is listed (the receive refuses it with its own message).
bool acceptableElement(const std::u16string& element) {
  const auto open = element.find(u'(');
  if (open == std::u16string::npos) return naming::isReceivableElement(element);
  const std::u16string_view cycle = std::u16string_view(element).substr(open);
  if (cycle.size() < 3 || cycle.back() != u')') return false;
  for (char16_t c : cycle.substr(1, cycle.size() - 2)) {
    if (c < u'0' || c > u'9') return false;
  }
  return naming::isReceivableElement(element.substr(0, open));
}

// Reads one prepared line into the listing; false when a bad header ends
// the reading.
bool readLine(const TxtHdl& txtHdl, std::u16string line, PrintedListing& listing) {
  std::int16_t pos = 1;
  const std::u16string first = txtHdl.Field_get(line, pos);
  if (isHeader(first)) {
    listing.qualFile = txtHdl.Text_pick(line, u".", pos);
    if (listing.qualFile.empty()) {
      listing.message = kBadQualFileMessage;
      return false;
    }
    return true;
  }
  if (listing.qualFile.empty()) return true;  // lines before the first header
  std::u16string element = elementOf(txtHdl, std::move(line));
  if (element.empty()) return true;
  // Such a name could never be received into its folder.
  if (!acceptableElement(element)) {
    ++listing.refused;
    return true;
  }
  listing.elements.push_back(std::move(element));
  return true;
}

// One notice for all the lines a drop skipped, "" when none was.
std::u16string skippedNotice(const PrintedListing& listing) {
  std::u16string notice;
  const auto add = [&notice](const char16_t* message, std::size_t count) {
    if (count == 0) return;
    if (!notice.empty()) notice += u"\n";
    notice += message + platform::fromUtf8(std::to_string(count));
  };
  add(kUnsafeDroppedRowsMessage, listing.refused);
  add(kLongDroppedRowsMessage, listing.tooLong);
  return notice;
}

void tellBadListing(MainForm& form, const std::u16string& message) {
  form.desktop.msgBox(message);
  form.desktop.msgBox(kListingHowToMessage);
}

}  // namespace

PrintedListing readPrintedListing(const TxtHdl& txtHdl, const std::vector<std::u16string>& lines) {
  PrintedListing listing;
  for (const std::u16string& raw : lines) {
    std::u16string line = text::trimBlanks(raw);
    if (line.empty()) continue;
    if (line.size() >= kLongestListingLine) {
      ++listing.tooLong;
      continue;
    }
    // Field_get does not return a one-character field that ends the text.
    line = text::upperAscii(std::move(line)) + u" ";
    try {
      if (!readLine(txtHdl, line, listing)) return listing;
    } catch (const std::overflow_error&) {
      // Whatever else a position cannot count through is skipped the same way.
      ++listing.tooLong;
    }
  }
  return listing;
}

void dropListing(MainForm& form, int i, const std::vector<std::u16string>& files) {
  if (files.empty()) return;
  const std::u16string& path = files.front();
  showDroppedPath(*form.List_2200file[pane(i)], path);

  // Anything can be dropped: a folder or a file that cannot be read leaves
  // the pane as it was.
  if (!platform::fileExists(path)) return tellBadListing(form, kListingUnreadableMessage + path);
  PrintedListing listing;
  try {
    listing = readPrintedListing(form.txtHdl, platform::readTextLines(path));
  } catch (const platform::FileError& e) {
    return tellBadListing(form, app::withReason(kListingUnreadableMessage + path, e));
  }

  forms::ListBox& elements = *form.List_elt[pane(i)];
  form.pub.listingQualFile = listing.qualFile;
  elements.clear();
  for (const std::u16string& element : listing.elements) elements.addItem(element);
  const std::u16string skipped = skippedNotice(listing);
  if (!skipped.empty()) form.desktop.msgBox(skipped);

  if (!listing.message.empty()) return tellBadListing(form, listing.message);
  form.Text_2200file[pane(i)]->setText(form.pub.listingQualFile);
}

}  // namespace morvanta::analysis
