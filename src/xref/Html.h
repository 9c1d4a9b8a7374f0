#pragma once
// HTML pieces every page shares. Pages are UTF-8, HTML 4.01 Transitional:
// comments are coloured with <font>, which that document type still knows.

#include <string>

namespace morvanta::xref {

// "<", ">", "&" and '"' as entities; nothing else changes.
std::u16string escapeHtml(const std::u16string& text);

// A relative link target: every byte of the UTF-8 form that is not an
// unreserved character or "/" as %XX, so "PRJ＊SRC/MAIN／R1.htm" travels
// through any browser and validator. `fragment` (without "#") is appended
// as an anchor name.
std::u16string hrefOf(const std::u16string& path, const std::u16string& fragment = u"");

// The anchor name of a declared name, "X-" and the name: letters, digits,
// "-", ":", "." stay, every other character (also "_") becomes "_" and its
// code in hex, so two names never share an anchor.
std::u16string anchorName(const std::u16string& name);

// <a name=... id=...>text</a>; `text` is already HTML.
std::u16string anchorTag(const std::u16string& name, const std::u16string& text);

// Document start up to and including <body>; `title` is plain text.
std::u16string pageStart(const std::u16string& title, const std::u16string& styleSheetHref);
std::u16string pageEnd();

// The style sheet written beside index.htm.
std::string styleSheet();

}  // namespace morvanta::xref
