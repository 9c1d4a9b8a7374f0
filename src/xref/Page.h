#pragma once
// The page of one element: its text, escaped, with line numbers; declared
// names as anchors, uses as links, comments coloured.

#include <optional>
#include <string>

#include "xref/Element.h"

namespace morvanta {
class TxtHdl;
}

namespace morvanta::xref {

// Where a link goes: a page relative to OUTF and an anchor name (may be empty).
struct LinkTarget {
  std::u16string page;
  std::u16string anchor;
};

class LinkResolver {
 public:
  virtual ~LinkResolver() = default;
  // The page of an element of the project, when it has or will have one.
  virtual std::optional<LinkTarget> element(const std::u16string& key) const = 0;
  // The element and anchor that declare a name other elements call.
  virtual std::optional<LinkTarget> symbol(const std::u16string& name) const = 0;
};

struct PageInfo {
  ElementId id;
  std::u16string page;  // relative to OUTF, "PRJ＊SRC/MAIN／R1.htm"
  std::u16string date;  // "yyyy/mm/dd hh:mm:ss"
};

std::u16string renderPage(const TxtHdl& th, const PageInfo& info, const ScannedElement& scan,
                          const LinkResolver& links);

// The colour of comments on every page.
inline constexpr char16_t kCommentColour[] = u"#008000";

}  // namespace morvanta::xref
