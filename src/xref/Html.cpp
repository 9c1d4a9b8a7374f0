#include "xref/Html.h"

#include <cstdio>

#include "platform/Platform.h"

namespace morvanta::xref {

std::u16string escapeHtml(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 8);
  for (const char16_t c : text) {
    switch (c) {
      case u'<':
        out += u"&lt;";
        break;
      case u'>':
        out += u"&gt;";
        break;
      case u'&':
        out += u"&amp;";
        break;
      case u'"':
        out += u"&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

namespace {

bool unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

std::u16string percentEncoded(const std::u16string& text, bool keepSlash) {
  std::u16string out;
  for (const unsigned char c : platform::toUtf8(text)) {
    if (unreserved(c) || (keepSlash && c == '/')) {
      out += static_cast<char16_t>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += platform::fromUtf8(hex);
    }
  }
  return out;
}

}  // namespace

std::u16string hrefOf(const std::u16string& path, const std::u16string& fragment) {
  std::u16string href = percentEncoded(path, true);
  if (!fragment.empty()) href += u"#" + fragment;
  return href;
}

std::u16string anchorName(const std::u16string& name) {
  std::u16string out = u"X-";
  for (const char16_t c : name) {
    const bool plain = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                       (c >= u'0' && c <= u'9') || c == u'-' || c == u':' || c == u'.';
    if (plain) {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "_%X", static_cast<unsigned>(c));
      out += platform::fromUtf8(hex);
    }
  }
  return out;
}

std::u16string anchorTag(const std::u16string& name, const std::u16string& text) {
  return u"<a name=\"" + name + u"\" id=\"" + name + u"\">" + text + u"</a>";
}

std::u16string pageStart(const std::u16string& title, const std::u16string& styleSheetHref) {
  return u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
         u"\"http://www.w3.org/TR/html4/loose.dtd\">\n"
         u"<html lang=\"ja\">\n<head>\n"
         u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
         u"<title>" +
         escapeHtml(title) + u"</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"" +
         styleSheetHref + u"\">\n</head>\n<body>\n";
}

std::u16string pageEnd() {
  return u"</body>\n</html>\n";
}

std::string styleSheet() {
  return "body { font-family: \"IPAGothic\", \"MS Gothic\", monospace; margin: 1em; }\n"
         "h1 { font-size: 130%; }\n"
         "pre { line-height: 1.3; }\n"
         ".ln { color: #888888; }\n"
         "table { border-collapse: collapse; }\n"
         "th, td { border: 1px solid #bbbbbb; padding: 2px 8px; text-align: left; "
         "vertical-align: top; }\n"
         "a[name] { font-weight: bold; }\n";
}

}  // namespace morvanta::xref
