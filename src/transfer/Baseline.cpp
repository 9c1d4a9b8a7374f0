#include "transfer/Baseline.h"

#include <cstdio>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace morvanta::transfer {

namespace {

constexpr char16_t kHeader[] = u"morvanta-baseline 1";
constexpr char16_t kTab = u'\t';

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::u16string> splitTabs(const std::u16string& line) {
  std::vector<std::u16string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find(kTab, start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::u16string::npos) return fields;
    start = tab + 1;
  }
}

std::u16string number(std::int64_t value) {
  return platform::fromUtf8(std::to_string(value));
}

std::int64_t parseSize(const std::u16string& text) {
  if (text.empty() || text.size() > 18) return -1;
  std::int64_t value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
  }
  return value;
}

}  // namespace

std::u16string baselineTime(const platform::DateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return platform::fromUtf8(text);
}

std::string normalisedText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t start = 0;
  while (start < bytes.size()) {
    // A lone CR ends a line as well as LF and CR LF do.
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    std::size_t last = end;
    while (last > start && isBlank(bytes[last - 1])) --last;
    out.append(bytes.substr(start, last - start));
    out.push_back('\n');
    // CR LF, and CR CR LF as a text-mode copy of a CR LF file arrives.
    if (end < bytes.size() && bytes[end] == '\r') {
      std::size_t next = end + 1;
      while (next < bytes.size() && bytes[next] == '\r') ++next;
      if (next < bytes.size() && bytes[next] == '\n') end = next;
    }
    start = end + 1;
  }
  while (!out.empty() && out.back() == '\n' && (out.size() == 1 || out[out.size() - 2] == '\n')) {
    out.pop_back();
  }
  return out;
}

std::u16string contentHash(std::string_view bytes) {
  const std::string text = normalisedText(bytes);
  const XXH128_hash_t h = XXH3_128bits(text.data(), text.size());
  char hex[33];
  std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(h.high64),
                static_cast<unsigned long long>(h.low64));
  return platform::fromUtf8(hex);
}

std::u16string BaselineStore::path() const {
  return platform::joinPath(folder_, kBaselineFileName);
}

void BaselineStore::load() {
  entries_.clear();
  if (!platform::fileExists(path())) return;
  entries_ = parse(platform::readTextLines(path()));
}

void BaselineStore::save() const {
  platform::writeTextLines(path(), lines());
}

std::optional<BaselineEntry> BaselineStore::find(const std::u16string& pcFile) const {
  const auto at = entries_.find(pcFile);
  if (at == entries_.end()) return std::nullopt;
  return at->second;
}

void BaselineStore::put(const std::u16string& pcFile, BaselineEntry entry) {
  entries_[pcFile] = std::move(entry);
}

std::vector<std::u16string> BaselineStore::lines() const {
  std::vector<std::u16string> out;
  out.reserve(entries_.size() + 1);
  out.push_back(kHeader);
  for (const auto& [name, e] : entries_) {
    out.push_back(name + kTab + e.hostTime + kTab + (e.hostSize < 0 ? u"" : number(e.hostSize)) +
                  kTab + e.hash + kTab + e.recordedAt);
  }
  return out;
}

std::map<std::u16string, BaselineEntry> BaselineStore::parse(
    const std::vector<std::u16string>& lines) {
  std::map<std::u16string, BaselineEntry> entries;
  if (lines.empty() || lines.front() != kHeader) return entries;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::u16string> f = splitTabs(lines[i]);
    // A hash is what makes an entry worth anything.
    if (f.size() < 5 || f[0].empty() || f[3].size() != 32) continue;
    entries[f[0]] = BaselineEntry{f[1], parseSize(f[2]), f[3], f[4]};
  }
  return entries;
}

std::size_t recordReceived(const std::u16string& folder, const std::vector<std::u16string>& pcFiles,
                           const std::vector<std::u16string>& hostTimes,
                           const platform::DateTime& now) {
  BaselineStore store(folder);
  store.load();
  const std::u16string recordedAt = baselineTime(now);
  std::size_t recorded = 0;
  for (std::size_t i = 0; i < pcFiles.size(); ++i) {
    const std::u16string path = platform::joinPath(folder, pcFiles[i]);
    if (!platform::fileExists(path)) continue;
    BaselineEntry entry;
    entry.hostTime = i < hostTimes.size() ? hostTimes[i] : u"";
    entry.hash = contentHash(platform::readBinaryFile(path));
    entry.recordedAt = recordedAt;
    store.put(pcFiles[i], std::move(entry));
    ++recorded;
  }
  if (recorded > 0) store.save();
  return recorded;
}

}  // namespace morvanta::transfer
