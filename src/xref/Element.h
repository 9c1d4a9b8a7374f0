#pragma once
// What the cross-reference pages know of one element: its name, its kind,
// the places of its text that become anchors, links and coloured comments,
// the names it offers to other elements and what it uses of them.

#include <cstddef>
#include <string>
#include <vector>

namespace morvanta {
class Class2200;
}

namespace morvanta::xref {

enum class Kind { Runstream, Masm, Cobol, Skel, Plus, Text };

std::u16string kindName(Kind kind);             // "RUNSTREAM", "MASM", ..., "TEXT"
Kind kindFromName(const std::u16string& name);  // unknown names: Text

struct ElementId {
  std::u16string file;     // QUAL*FILE
  std::u16string element;  // display form, NAME or NAME/VER

  std::u16string key() const { return file + u"." + element; }
  bool operator==(const ElementId&) const = default;
};

// The page of an element relative to OUTF, with "/" between the parts:
// "PRJ＊SRC/MAIN／R1.htm".
std::u16string pagePathOf(const Class2200& cls, const ElementId& id);
// QUAL*FILE.ELT (display form) back to its parts; the element part starts
// after the first "." that follows the "*".
ElementId elementIdOf(const std::u16string& key);

enum class MarkType {
  Anchor,       // a declared name: name is the anchor name's source
  LocalLink,    // a use of a name declared in the same element
  ElementLink,  // another element: name is its key
  SymbolLink,   // a name declared by some element of the project
  Comment,      // coloured to the end of the span
};

// A span of one line, in characters of the raw line (0-based).
struct Mark {
  std::size_t line = 0;
  std::size_t column = 0;
  std::size_t length = 0;
  MarkType type = MarkType::Anchor;
  std::u16string name;
};

// A name other elements may call, and the anchor that declares it here.
struct Definition {
  std::u16string symbol;
  std::u16string anchor;
  bool operator==(const Definition&) const = default;
};

struct Use {
  std::u16string relation;  // "@ADD", "@START", "@COPY", "@MASM", ..., "CALL"
  std::u16string target;    // an element key, or a symbol
  bool element = false;     // target is an element key
  bool operator==(const Use&) const = default;
};

struct ScannedElement {
  Kind kind = Kind::Text;
  std::vector<std::u16string> lines;
  std::vector<Mark> marks;
  std::vector<Definition> definitions;
  std::vector<Use> uses;
  std::u16string summary;  // one line for the index ("RUN BUILD", a program id, ...)
};

}  // namespace morvanta::xref
