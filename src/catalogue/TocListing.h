#pragma once
// Turns the listing a TOC job left for a pane into the pane's element list,
// date list and phased TOC file.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/ElementTable.h"
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
std::string_view nextField(std::string_view text, std::size_t& pos);

// What a whole listing gives: the rows of both lists and the bytes of the
// phased TOC file, built while the listing is read.
struct ListingResult {
  forms::TextColumn names;
  forms::TextColumn dates;            // "mdir" listings only
  forms::GrowingBuffer<char> phased;  // CP932, every line ending with CR LF
  // Why the phased TOC file cannot hold a row (a character CP932 lacks);
  // empty when it can.
  std::string unwritable;
};

// Reads listing lines. "mdir" listings (mdirMode 1) carry month, day, time
// or year and the FTP name in fields 5 to 8; "mls" listings the bare FTP
// name. A month later than the current one belongs to last year.
// Not for use by two threads at once: it keeps its working buffers between
// lines.
class ListingLineParser {
 public:
  ListingLineParser(const Class2200& cls2200, std::int16_t mdirMode, const platform::DateTime& now);

  // False when the line is blank or its display name does not contain the
  // filter ("" and "*" take every element).
  bool parse(const std::u16string& line, const std::u16string& filter, ListingRow& row) const;

  // Rows parse() skipped because their name is not a 2200 element name or
  // would not make one safe PC file name (naming::isReceivableElement).
  std::size_t refusedRows() const { return refusedRows_; }
  // Every line of a listing file's bytes: ASCII lines are read in place,
  // a line with other characters is decoded and read by parse(). A large
  // listing's second half is read by a second thread with a parser of its
  // own, when the machine has a second core.
  void parseListing(std::string_view bytes, const std::u16string& filter,
                    ListingResult& result) const;

 private:
  struct Filter;
  struct SecondHalf;
  void parseLines(std::string_view bytes, const Filter& filter, ListingResult& result) const;
  void parseHalves(std::string_view bytes, std::size_t split, const Filter& filter,
                   ListingResult& result) const;
  // Fields 5 to 8 of an "mdir" line; an "mls" line's name alone. Their
  // bytes may be read up to readableEnd, past the line's end.
  struct ListedLine {
    std::string_view month;
    std::string_view day;
    std::string_view time;
    std::string_view element;
    const char* readableEnd = nullptr;
  };
  // The line with the bytes it lies in; knownAscii when all of them are.
  void parseLine(std::string_view line, std::string_view bytes, bool knownAscii,
                 const Filter& filter, ListingResult& result) const;
  bool quickRow(const ListedLine& listed, const Filter& filter, ListingResult& result) const;
  void generalRow(const ListedLine& listed, const Filter& filter, ListingResult& result) const;
  // `slash`: where the display form's "/" lies, or npos.
  void writeRow(std::string_view display, std::size_t slash, std::string_view type,
                const ListedLine& listed, std::size_t room, ListingResult& result) const;
  void parseDecodedLine(std::string_view line, const Filter& filter, ListingResult& result) const;
  const std::u16string& monthNumber(std::u16string_view monthField) const;
  void dateText(std::u16string_view monthField, std::u16string_view dayField,
                std::u16string_view timeField, std::u16string& text) const;
  // The date text of an ASCII line's fields, written at `to`; returns its
  // end. Room for the day and time fields and 17 bytes more, and 8 past the
  // end.
  char* dateText(const ListedLine& listed, char* to) const;
  char* wordDateText(int month, std::size_t colon, std::string_view dayField,
                     std::string_view timeField, char* to) const;

  const Class2200& cls2200_;
  bool mdir_;
  std::u16string currentMonth_;  // "01".."12"
  std::u16string thisYear_;
  std::u16string lastYear_;
  int currentMonthNumber_;
  std::string thisYearBytes_;
  std::string lastYearBytes_;
  // By month number (0 for an unknown month): "/MM/" and, for a listed
  // time, "YYYY/MM/", as the bytes of one word each; the second only when
  // both years have four digits.
  std::uint32_t monthWords_[13] = {};
  std::uint64_t yearMonthWords_[13] = {};
  bool fourDigitYears_ = false;
  bool secondCore_;
  // The second thread's parser and rows, kept from one piece of a listing
  // to the next so that their room is made once.
  mutable std::shared_ptr<SecondHalf> secondHalf_;
  mutable std::u16string line_;
  mutable std::u16string element_;
  mutable std::u16string type_;
  mutable std::vector<std::pair<std::u16string, std::u16string>> months_;
  mutable std::size_t refusedRows_ = 0;
  mutable std::string text_;
  mutable std::string display_;
  mutable std::string typeBytes_;
  mutable ListingRow row_;
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
