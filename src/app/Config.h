#pragma once
// Reading the configuration file "Morvanta.ini" (or the one in the folder
// named by the pointer file "ini.ini"). Read once, at start-up.

#include <string>
#include <vector>

namespace morvanta {
class MainForm;
class TxtHdl;
}  // namespace morvanta

namespace morvanta::app {

inline constexpr char16_t kConfigFileName[] = u"Morvanta.ini";

// The lines written when the configuration file is missing; the hosts are
// placeholders in the documentation address range, the editor is this
// system's own text opener.
std::vector<std::u16string> configTemplate();

// A "KEY=value" line: the key trimmed and upper-cased, the value trimmed
// and cut at the first " ." after the "=". No "=" gives an empty key.
struct Setting {
  std::u16string key;
  std::u16string value;
};
Setting parseSetting(const TxtHdl& txtHdl, const std::u16string& line);

// Sets workRoot, iniPath, the host table and every configuration value,
// writing the template first when the file is missing; checks Check_mdir.
// A configuration error, an empty pointer file or a file that cannot be
// written or read tells the user and ends the program. Relative program
// paths are taken from the program folder. True when the template was
// written just now (the first start).
bool get_option(MainForm& form);

}  // namespace morvanta::app
