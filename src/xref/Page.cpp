#include "xref/Page.h"

#include <algorithm>
#include <cstdio>

#include "platform/Platform.h"
#include "text/TxtHdl.h"
#include "xref/Html.h"

namespace morvanta::xref {

namespace {

// Control characters other than tab would make the page invalid.
std::u16string printable(std::u16string text) {
  for (auto& c : text) {
    if ((c < 0x20 && c != u'\t') || c == 0x7F) c = u'\uFFFD';
  }
  return text;
}

std::u16string escaped(const std::u16string& text) {
  return escapeHtml(printable(text));
}

// The href of a target seen from the page `from` (both relative to OUTF).
std::u16string hrefFrom(const std::u16string& from, const LinkTarget& target) {
  if (target.page == from) return u"#" + target.anchor;
  return hrefOf(u"../" + target.page, target.anchor);
}

std::optional<std::u16string> hrefOfMark(const PageInfo& info, const Mark& mark,
                                         const LinkResolver& links) {
  switch (mark.type) {
    case MarkType::LocalLink:
      return u"#" + anchorName(mark.name);
    case MarkType::ElementLink:
      if (auto target = links.element(mark.name)) return hrefFrom(info.page, *target);
      return std::nullopt;
    case MarkType::SymbolLink:
      if (auto target = links.symbol(mark.name)) return hrefFrom(info.page, *target);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::u16string markedPiece(const TxtHdl& th, const PageInfo& info, const Mark& mark,
                           const std::u16string& text, const LinkResolver& links) {
  const std::u16string html = escaped(text);
  switch (mark.type) {
    case MarkType::Comment:
      return th.HTM_Tag_font_color_add(html, kCommentColour);
    case MarkType::Anchor:
      return anchorTag(anchorName(mark.name), html);
    default:
      if (const auto href = hrefOfMark(info, mark, links)) {
        return th.HTM_Tag_Ahref(1, html, *href, html);
      }
      return html;  // a name the project does not hold: plain
  }
}

std::u16string renderLine(const TxtHdl& th, const PageInfo& info, const std::u16string& line,
                          std::vector<Mark> marks, const LinkResolver& links) {
  std::sort(marks.begin(), marks.end(),
            [](const Mark& a, const Mark& b) { return a.column < b.column; });
  std::u16string html;
  std::size_t done = 0;
  for (const Mark& mark : marks) {
    if (mark.column < done || mark.column >= line.size() || mark.length == 0) continue;
    const std::size_t length = std::min(mark.length, line.size() - mark.column);
    html += escaped(line.substr(done, mark.column - done));
    html += markedPiece(th, info, mark, line.substr(mark.column, length), links);
    done = mark.column + length;
  }
  return html + escaped(line.substr(done));
}

std::u16string lineNumber(std::size_t n) {
  char text[32];
  std::snprintf(text, sizeof text, "%5zu ", n);
  return u"<span class=\"ln\">" + platform::fromUtf8(text) + u"</span>";
}

}  // namespace

std::u16string renderPage(const TxtHdl& th, const PageInfo& info, const ScannedElement& scan,
                          const LinkResolver& links) {
  std::vector<std::vector<Mark>> byLine(scan.lines.size());
  for (const Mark& mark : scan.marks) {
    if (mark.line < byLine.size()) byLine[mark.line].push_back(mark);
  }
  std::u16string html = pageStart(info.id.key(), u"../style.css");
  html += u"<h1>" + escaped(info.id.key()) + u"</h1>\n";
  html += u"<p>種別: " + kindName(scan.kind) + u"　更新: " + escaped(info.date);
  if (!scan.summary.empty()) html += u"　" + escaped(scan.summary);
  html += u"　<a href=\"../index.htm\">索引へ</a></p>\n<pre>\n";
  for (std::size_t n = 0; n < scan.lines.size(); ++n) {
    html += lineNumber(n + 1) + renderLine(th, info, scan.lines[n], byLine[n], links) + u"\n";
  }
  html += u"</pre>\n" + pageEnd();
  return html;
}

}  // namespace morvanta::xref
