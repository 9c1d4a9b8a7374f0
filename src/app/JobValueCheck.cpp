#include "app/JobValueCheck.h"

#include "platform/Platform.h"
#include "u2200/PcNameRule.h"

namespace morvanta::app {

namespace {

bool isLineBreak(char16_t c) {
  return c == u'\r' || c == u'\n';
}

// The characters the command interpreter gives a meaning of its own in a
// batch line: redirection, pipes, command chaining, escapes, variables and
// quoting.
bool isInterpreterCharacter(char16_t c) {
  switch (c) {
    case u'&':
    case u'|':
    case u'<':
    case u'>':
    case u'^':
    case u'%':
    case u'"':
      return true;
    default:
      return false;
  }
}

bool isHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool writableInCp932(const std::u16string& text) {
  try {
    platform::toCp932(text);
    return true;
  } catch (const platform::EncodingError&) {
    return false;
  }
}

// The first character (a surrogate pair stays whole) that the job files'
// code page cannot hold; empty when the whole value can be written.
std::u16string firstUnwritable(const std::u16string& value) {
  if (writableInCp932(value)) return {};
  for (std::size_t i = 0; i < value.size(); ++i) {
    const std::size_t len = isHighSurrogate(value[i]) && i + 1 < value.size() ? 2 : 1;
    std::u16string one = value.substr(i, len);
    if (!writableInCp932(one)) return one;
    i += len - 1;
  }
  return value;
}

std::u16string refusal(const std::u16string& name, const std::u16string& shown) {
  return std::u16string(kUnsafeValueMessage) + name + u" (" + shown + u")";
}

}  // namespace

char16_t unsafeCharacter(const std::u16string& value, JobValueUse use) {
  if (use == JobValueUse::Login) {
    const auto first = value.find_first_not_of(u" \t");
    if (first != std::u16string::npos && value[first] == u'!') return u'!';
  }
  for (char16_t c : value) {
    if (isLineBreak(c)) return c;
    if (use == JobValueUse::Batch && isInterpreterCharacter(c)) return c;
  }
  return 0;
}

std::optional<std::u16string> checkJobValues(const std::vector<JobValue>& values) {
  for (const JobValue& v : values) {
    const char16_t c = unsafeCharacter(*v.value, v.use);
    if (c != 0) {
      return refusal(v.name,
                     isLineBreak(c) ? std::u16string(kLineBreakName) : std::u16string(1, c));
    }
    const std::u16string unwritable = firstUnwritable(*v.value);
    if (!unwritable.empty()) return refusal(v.name, unwritable);
  }
  return std::nullopt;
}

std::optional<std::u16string> checkJobPaths(const std::vector<JobPath>& paths) {
  for (const JobPath& p : paths) {
    const std::u16string prefix = platform::joinPath(*p.folder, u"");
    const bool inside = !p.folder->empty() && p.path.starts_with(prefix) &&
                        naming::isSafePcName(std::u16string_view(p.path).substr(prefix.size()));
    if (!inside) return kPathOutsideFolderMessage + p.path;
  }
  return std::nullopt;
}

}  // namespace morvanta::app
