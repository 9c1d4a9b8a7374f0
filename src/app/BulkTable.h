#pragma once
// The bulk-receive table "updatehtm.ini" in the program folder: which PC
// folder, project and output folder belong to a 2200 file.

#include <optional>
#include <string>

#include "app/Module_pub.h"

namespace morvanta {
class MainForm;
class TxtHdl;
}  // namespace morvanta

namespace morvanta::app {

inline constexpr char16_t kBulkRowKey[] = u"HTM-AUTO-MAKE";

// The row of an "HTM-AUTO-MAKE,..." line; nothing when the line is no row
// or has no PC folder (field 4), which the bulk receive cannot do without.
std::optional<BulkRow> parseBulkRow(const TxtHdl& txtHdl, const std::u16string& line);

// Replaces pub.bulkTable with the rows of the file, at most 101; relative
// folders are taken from the program folder. Rows
// without a PC folder and rows past the 101st are left out, and the user is
// told once per load for each. Returns false, after telling the user, when
// the file cannot be read (the table is then empty).
bool loadBulkTable(MainForm& form);

}  // namespace morvanta::app
