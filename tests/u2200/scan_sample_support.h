#pragma once

#include <string>
#include <vector>

namespace morvanta::test {

// Lines of a UTF-8 sample source under tests/data/u2200, as the core's
// UTF-16 text (line ends removed).
std::vector<std::u16string> read_sample(const std::string& name);

}  // namespace morvanta::test
