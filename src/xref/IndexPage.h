#pragma once
// OUTF/index.htm: every element of the project with its kind and date, what
// it is, and which elements use it ("used by").

#include <string>

#include "xref/ProjectDb.h"

namespace morvanta::xref {

// The elements that use each element: key -> "user key" + relation, from
// the records' uses (element references directly, names through the
// element that declares them).
std::map<std::u16string, std::vector<Use>> usedBy(const ProjectDb& db);

std::u16string renderIndex(const ProjectDb& db);

}  // namespace morvanta::xref
