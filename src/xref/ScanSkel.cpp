// SKEL: *DEFINE procedures become anchors, *PROCESS calls links to them or
// to the element of the project that defines them.

#include <set>
#include <stdexcept>

#include "u2200/Class2200.h"
#include "xref/Scan.h"

namespace morvanta::xref {

ScannedElement scanSkel(std::vector<std::u16string> lines) {
  ScannedElement out;
  out.kind = Kind::Skel;
  out.lines = std::move(lines);
  Class2200 cls;
  std::set<std::u16string> procedures;
  for (std::size_t n = 0; n < out.lines.size(); ++n) {
    try {
      std::u16string line = out.lines[n];
      const std::u16string name = cls.SKEL_get_DEFINE_name(u"make", line);
      if (name.empty()) continue;
      const std::size_t at = findName(line, name, line.find(u"*DEFINE") + 7);
      if (at != std::u16string::npos)
        out.marks.push_back({n, at, name.size(), MarkType::Anchor, name});
      if (procedures.insert(name).second) out.definitions.push_back({name, name});
    } catch (const std::exception&) {
    }
  }
  for (std::size_t n = 0; n < out.lines.size(); ++n) {
    const std::u16string& line = out.lines[n];
    const std::size_t process = line.find(u"*PROCESS ");
    if (process == std::u16string::npos) continue;
    try {
      std::int16_t found = 0;
      std::u16string name = cls.SKEL_get_call_DEFINE_name(line, found);
      const bool local = !name.empty();
      if (!local) name = text::trimBlanks(line.substr(process + 9));
      name = name.substr(0, name.find(u' '));
      const std::size_t at = findName(line, name, process + 9);
      if (name.empty() || at == std::u16string::npos) continue;
      out.marks.push_back(
          {n, at, name.size(), local ? MarkType::LocalLink : MarkType::SymbolLink, name});
      if (!local) out.uses.push_back({u"*PROCESS", name, false});
    } catch (const std::exception&) {
    }
  }
  return out;
}

}  // namespace morvanta::xref
