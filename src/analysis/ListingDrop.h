#pragma once
// Filling a pane's element list offline from a TOC listing that the user
// printed to a PC file on a 2200 terminal and dropped onto the pane.

#include <cstddef>
#include <string>
#include <vector>

namespace morvanta {
class MainForm;
class TxtHdl;
}  // namespace morvanta

namespace morvanta::analysis {

inline constexpr char16_t kBadQualFileMessage[] = u"qual*file不正";
inline constexpr char16_t kListingHowToMessage[] =
    u"ファイルは、次のような手順で作成してください。@@PRNT -> @PRT,T qual*file. -> @@NOPR";
// The dropped file's path follows the text.
inline constexpr char16_t kListingUnreadableMessage[] = u"ファイルを読めません: ";
// Told once per drop when element names were skipped; the count follows.
inline constexpr char16_t kUnsafeDroppedRowsMessage[] =
    u"受信できないエレメント名の行を読み飛ばしました。行数: ";
// Told in the same message when lines too long to be listing lines were
// skipped; the count follows.
inline constexpr char16_t kLongDroppedRowsMessage[] = u"長すぎる行を読み飛ばしました。行数: ";
// A trimmed line this long or longer is no listing line: the text toolkit's
// positions could not count through it.
inline constexpr std::size_t kLongestListingLine = 32766;

// What a printed listing gives.
struct PrintedListing {
  std::u16string message;                // "" when the listing was read to its end
  std::u16string qualFile;               // qual*file of the last header line seen
  std::vector<std::u16string> elements;  // in listing order
  std::size_t refused = 0;               // element names skipped: no 2200 name or no safe PC name
  std::size_t tooLong = 0;               // lines skipped for their length
};

// Reads the lines of a printed listing: "@PRT,T" / "@PRT,TB" header lines
// name the qual*file, and after a header every line with blanks in columns
// 5-7 names an element from column 8 on. A header without "." after the file
// stops the reading with kBadQualFileMessage; the elements read so far stay.
// A line of kLongestListingLine characters or more is skipped and counted.
PrintedListing readPrintedListing(const TxtHdl& txtHdl, const std::vector<std::u16string>& lines);

// A drop on List_2200file(i): the first file of the drop is read, its path
// shown in the list's first row, List_elt(i) filled and Text_2200file(i) set
// to the listing's qual*file; a bad listing is told with instructions.
void dropListing(MainForm& form, int i, const std::vector<std::u16string>& files);

}  // namespace morvanta::analysis
