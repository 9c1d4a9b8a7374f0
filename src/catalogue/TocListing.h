#pragma once
// Turns the listing a TOC job left for a pane into the pane's element list,
// date list and phased TOC file.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace morvanta {
class MainForm;
class Class2200;
}  // namespace morvanta

namespace morvanta::catalogue {

// Told when the phased TOC file cannot be written; the reason follows.
inline constexpr char16_t kPhasedTocWriteFailedMessage[] = u"phased-TOCファイルを作成できません: ";

// Told once per listing when rows were skipped for their names; the count
// follows.
inline constexpr char16_t kUnsafeListingRowsMessage[] =
    u"受信できないエレメント名の行を読み飛ばしました。行数: ";

// The phased TOC file name of a pane, e.g. "0phased-TOC.TXT".
std::u16string phasedTocName(int pane);

// What one listing line gives.
struct ListingRow {
  std::u16string display;  // element list row, e.g. MAIN/R1 or LIB(REL)
  std::u16string date;     // date list row ("mdir" listings only)
  std::u16string phased;   // phased TOC line
};

// The next blank-separated field of `text` from the 0-based position `pos`,
// exactly as TxtHdl::Field_get reads it (pos moves to the next field; a
// one-character field that ends the text is not returned; after a run of more
// than 100 blanks pos stays on the field), without copying.
std::u16string_view nextField(std::u16string_view text, std::size_t& pos);

// Reads single listing lines. "mdir" listings (mdirMode 1) carry month, day,
// time or year and the FTP name in fields 5 to 8; "mls" listings the bare
// FTP name. A month later than the current one belongs to last year.
class ListingLineParser {
 public:
  ListingLineParser(const Class2200& cls2200, std::int16_t mdirMode, const platform::DateTime& now);

  // False when the line is blank or its display name does not contain the
  // filter ("" and "*" take every element). Not for use by two threads at
  // once: it keeps its working buffers between lines.
  bool parse(const std::u16string& line, const std::u16string& filter, ListingRow& row) const;

  // Rows parse() skipped because their name is not a 2200 element name or
  // would not make one safe PC file name (naming::isReceivableElement).
  std::size_t refusedRows() const { return refusedRows_; }

 private:
  const std::u16string& monthNumber(std::u16string_view monthField) const;
  void dateText(std::u16string_view monthField, std::u16string_view dayField,
                std::u16string_view timeField, std::u16string& text) const;

  const Class2200& cls2200_;
  bool mdir_;
  std::u16string currentMonth_;  // "01".."12"
  std::u16string thisYear_;
  std::u16string lastYear_;
  mutable std::u16string line_;
  mutable std::u16string element_;
  mutable std::u16string type_;
  mutable std::vector<std::pair<std::u16string, std::u16string>> months_;
  mutable std::size_t refusedRows_ = 0;
};

// Rebuilds pane i from folder + fileName: clears the pane's element and date
// lists and pub.listingQualFile, fills the lists, rewrites the phased TOC file
// from empty and records its path in pub.phasedTocPath. The shape is taken
// from form.mdirMode now, not from the request that fetched the listing.
// Always returns "". A result file that cannot be read is a
// platform::FileError, with the lists and the phased file left empty.
std::u16string parse_toc_listing(MainForm& form, const std::u16string& folder,
                                 const std::u16string& fileName, int i,
                                 const std::u16string& filter);

}  // namespace morvanta::catalogue
