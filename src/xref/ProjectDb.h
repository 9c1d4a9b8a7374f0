#pragma once
// The project database "xref-project.json" in OUTF: one record per element
// that has a page, so that a run handed only the changed elements can
// rewrite the index and find the pages that link to them without reading
// the project again. Format (UTF-8 JSON):
//   { "format": 1, "project": "PJ01",
//     "elements": { "PRJ*JCL.BUILD": {
//         "file": "PRJ*JCL", "element": "BUILD", "kind": "RUNSTREAM",
//         "date": "2026/12/07 10:00:00", "source": "/pc/folder/BUILD.txt",
//         "page": "PRJ＊JCL/BUILD.htm", "summary": "@RUN BUILD",
//         "definitions": [ { "symbol": "UTIL$INIT", "anchor": "UTIL" } ],
//         "uses": [ { "relation": "@ADD", "target": "PRJ*JCL.NIGHTLY/R1", "element": true } ]
//     } } }

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "xref/Element.h"

namespace morvanta::xref {

inline constexpr char16_t kDatabaseName[] = u"xref-project.json";

struct ElementRecord {
  ElementId id;
  Kind kind = Kind::Text;
  std::u16string date;
  std::u16string source;
  std::u16string page;
  std::u16string summary;
  std::vector<Definition> definitions;
  std::vector<Use> uses;
};

// The database file exists but is not one this tool wrote.
class DatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ProjectDb {
  std::u16string project;
  std::map<std::u16string, ElementRecord> elements;  // by key, QUAL*FILE.ELT

  // An empty database when the file does not exist; DatabaseError when it
  // cannot be read or understood.
  static ProjectDb load(const std::u16string& path);
  // Whole, through a temporary file: a failed save leaves the old one.
  void save(const std::u16string& path) const;

  // The element and anchor that declare `symbol`; the first in key order.
  const ElementRecord* definerOf(const std::u16string& symbol, std::u16string& anchor) const;
};

}  // namespace morvanta::xref
