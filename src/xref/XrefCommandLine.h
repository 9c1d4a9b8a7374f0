#pragma once
// The two command lines of morvanta-xref: the one the bulk-receive job
// writes for every received element,
//   TOOL  FUNC:[RUNSTREAM] INF:[folder/NAME.txt]<U+3000> OUTF:[dir] PROJECT:[code]
// and one for people:
//   morvanta-xref --project CODE --out DIR [--func F] [--file Q*F] [--folder DIR] FILE...

#include <stdexcept>
#include <string>
#include <vector>

namespace morvanta::xref {

// The command line cannot be carried out; what() is a one-line reason.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Action { Build, Help, Version };

struct XrefRequest {
  Action action = Action::Build;
  bool fromBulkJob = false;            // the job's form rather than the options
  std::u16string func;                 // RUNSTREAM, MASM, COBOL, SKEL, PLUS or AUTO
  std::vector<std::u16string> inputs;  // element text files ("NAME.VER.txt")
  std::u16string outf;
  std::u16string project;
  std::u16string file;    // --file: the 2200 file of the inputs ("" = from the table)
  std::u16string folder;  // --folder: where updatehtm.ini lives ("" = as the window finds it)
};

inline constexpr char16_t kIdeographicSpace = u'\u3000';

// The arguments after the program name. A job runner or a C runtime hands
// the bulk line over cut at blanks; the words are joined again with one
// blank, so a bracketed value keeps its inner blanks (runs of blanks
// become one). Throws UsageError.
XrefRequest parseXrefArguments(const std::vector<std::u16string>& args);

// The job's form as one text (everything after the program name, the two
// blanks before FUNC included or not). Throws UsageError.
XrefRequest parseBulkLine(const std::u16string& line);

// The text --help prints.
std::string usageText();

}  // namespace morvanta::xref
