#pragma once
// Scanning an element's lines into a ScannedElement, one scanner per kind.
// Each scanner works with a Class2200 of its own, so the name lists of one
// element never leak into the next.

#include <string>
#include <vector>

#include "text/TextRules.h"

#include "xref/Element.h"

namespace morvanta::xref {

// The kind asked for with FUNC / --func, or, for RUNSTREAM and AUTO, the
// one an element header line ("ED,R ...") names or the text shows.
// RUNSTREAM stays RUNSTREAM when the text gives no other sign: a bulk job
// hands every element over with FUNC:[RUNSTREAM].
Kind detectKind(const std::u16string& func, const std::vector<std::u16string>& lines);

ScannedElement scanElement(Kind kind, const ElementId& self, std::vector<std::u16string> lines);

ScannedElement scanRunstream(const ElementId& self, std::vector<std::u16string> lines);
ScannedElement scanMasm(std::vector<std::u16string> lines);
ScannedElement scanCobol(std::vector<std::u16string> lines);
ScannedElement scanSkel(std::vector<std::u16string> lines);
ScannedElement scanPlus(std::vector<std::u16string> lines);

// --- helpers the scanners share ---------------------------------------------

using text::upperAscii;
// Column (0-based) of `word` in `line` at or after `from` where it stands
// as a whole name (no letter, digit, "-", "_" or "$" on either side);
// npos when there is none.
std::size_t findName(const std::u16string& line, const std::u16string& word, std::size_t from = 0);

}  // namespace morvanta::xref
