#pragma once
// One run of morvanta-xref: the elements handed over are read and scanned,
// their records in the project database replaced, their pages written, and
// the pages of other elements rewritten only when a name they link to
// appeared or went away; then the database and the index are saved.

#include <stdexcept>
#include <string>
#include <vector>

#include "xref/XrefCommandLine.h"

namespace morvanta::xref {

// The run cannot be carried out; what() is a one-line reason.
class XrefError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct XrefResult {
  std::u16string outf;                     // the output folder, resolved
  std::vector<std::u16string> pages;       // written, relative to outf, in order
  std::vector<std::u16string> dependents;  // of those, pages of elements not handed over
};

// `programFolder` holds updatehtm.ini; a relative OUTF is taken from it.
XrefResult runXref(const XrefRequest& request, const std::u16string& programFolder);

}  // namespace morvanta::xref
