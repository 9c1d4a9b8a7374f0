#include "xref/Element.h"

#include "u2200/Class2200.h"

namespace morvanta::xref {

namespace {
const std::pair<Kind, const char16_t*> kKindNames[] = {
    {Kind::Runstream, u"RUNSTREAM"}, {Kind::Masm, u"MASM"}, {Kind::Cobol, u"COBOL"},
    {Kind::Skel, u"SKEL"},           {Kind::Plus, u"PLUS"}, {Kind::Text, u"TEXT"}};
}

std::u16string kindName(Kind kind) {
  for (const auto& [k, name] : kKindNames) {
    if (k == kind) return name;
  }
  return u"TEXT";
}

Kind kindFromName(const std::u16string& name) {
  for (const auto& [k, known] : kKindNames) {
    if (name == known) return k;
  }
  return Kind::Text;
}

std::u16string pagePathOf(const Class2200& cls, const ElementId& id) {
  std::u16string type;
  return cls.U2200FileName_to_PcName(id.file) + u"/" +
         cls.U2200ElementName_to_PcName(u"TXT", id.element, type) + u".htm";
}

ElementId elementIdOf(const std::u16string& key) {
  const std::size_t star = key.find(u'*');
  const std::size_t dot = key.find(u'.', star == std::u16string::npos ? 0 : star);
  if (dot == std::u16string::npos) return {key, u""};
  return {key.substr(0, dot), key.substr(dot + 1)};
}

}  // namespace morvanta::xref
