#pragma once
// A line comparison of the host's copy of an element with the PC's file,
// for the built-in comparison window. Blanks at line ends do not count, as
// they do not count when the send check compares the two.

#include <string>
#include <vector>

#include "forms/Desktop.h"

namespace morvanta::transfer {

std::vector<forms::DiffLine> diffLines(const std::vector<std::u16string>& host,
                                       const std::vector<std::u16string>& pc);

}  // namespace morvanta::transfer
