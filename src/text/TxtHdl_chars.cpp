#include <array>
#include <utility>

#include "text/TxtHdl.h"
#include "text/TxtHdl_internal.h"

namespace morvanta {

using namespace txthdl_internal;

namespace {

// A one-character key against one character; longer or empty keys never match.
bool key_matches(const std::u16string& key, char16_t c) {
  return key.size() == 1 && key[0] == c;
}

void put_first(const std::u16string& replacement, char16_t& c) {
  if (!replacement.empty()) c = replacement[0];
}

// Characters that a PC file name cannot hold, and what stands for them.
constexpr std::array<std::pair<char16_t, char16_t>, 10> kFileNameChars{{
    {u'\\', u'\uFFE5'},
    {u'/', u'\uFF0F'},
    {u':', u'\uFF1A'},
    {u',', u'\uFF0C'},
    {u';', u'\uFF1B'},
    {u'*', u'\uFF0A'},
    {u'?', u'\uFF1F'},
    {u'<', u'\uFF1C'},
    {u'>', u'\uFF1E'},
    {u'|', u'\uFF5C'},
}};

}  // namespace

std::int16_t TxtHdl::Char_chg(std::u16string& in_str, const std::int16_t& keycnt,
                              const std::u16string& bef_key1, const std::u16string& aft_key1,
                              const std::u16string& bef_key2,
                              const std::u16string& aft_key2) const {
  to_pos(length_of(in_str));  // the count of matches is 16-bit
  std::int16_t count = 0;
  for (char16_t& c : in_str) {
    if (key_matches(bef_key1, c)) {
      put_first(aft_key1, c);
      ++count;
    } else if (keycnt == 2 && key_matches(bef_key2, c)) {
      put_first(aft_key2, c);
      ++count;
    }
  }
  return count;
}

std::int16_t TxtHdl::Text_chg(const std::u16string& in_str, std::u16string& out_str,
                              const std::u16string& bef_key, const std::u16string& aft_key) const {
  // Taken before out_str is written: the two may be the same variable.
  const std::int16_t passes = to_pos(length_of(in_str));
  out_str = std::u16string(in_str);
  // An empty key would match before every character and only insert aft_key.
  if (bef_key.empty()) return 0;
  std::int16_t count = 0;
  // Every pass searches from the start, so an aft_key holding bef_key is
  // replaced again; the pass limit ends that.
  for (std::int16_t pass = 0; pass < passes; ++pass) {
    const std::int16_t found = find_from(out_str, bef_key, 1);
    if (found == 0) break;
    out_str.replace(static_cast<std::size_t>(found - 1), bef_key.size(), aft_key);
    ++count;
  }
  return count;
}

std::int16_t TxtHdl::Text_chg_1cnt(const std::u16string& in_str, std::u16string& out_str,
                                   const std::u16string& bef_key,
                                   const std::u16string& aft_key) const {
  out_str = std::u16string(in_str);
  if (bef_key.empty()) return 0;
  const std::int16_t found = find_from(out_str, bef_key, 1);
  if (found == 0) return 0;
  out_str.replace(static_cast<std::size_t>(found - 1), bef_key.size(), aft_key);
  return 1;
}

std::u16string TxtHdl::PC_file_Char_chg(const std::u16string& in_str) const {
  std::u16string out;
  out.reserve(in_str.size());
  for (char16_t c : in_str) {
    for (const auto& [from, to] : kFileNameChars) {
      if (c == from) {
        c = to;
        break;
      }
    }
    out += c;
  }
  return out;
}

std::u16string TxtHdl::Phase_file_name(const std::u16string& inp_file, std::u16string& out_file,
                                       std::u16string& out_kaku) const {
  const std::u16string name = trim(inp_file);
  const std::int16_t dot = B_Instr(name, u".");
  if (dot > 0) {
    out_file = name.substr(0, static_cast<std::size_t>(dot - 1));
    out_kaku = name.substr(static_cast<std::size_t>(dot));
  } else {
    out_file = name;
    out_kaku.clear();
  }
  return {};
}

void TxtHdl::Phase_PATH(const std::u16string& inp_path_file, std::u16string& out_path,
                        std::u16string& out_file) const {
  bool passed_dot = false;
  std::size_t sep = inp_path_file.size();
  while (sep > 0 && inp_path_file[sep - 1] != u'\\') {
    if (inp_path_file[sep - 1] == u'.') passed_dot = true;
    --sep;
  }
  if (sep == 0) return;  // no folder part: outputs stay as they were

  std::u16string path = inp_path_file.substr(0, sep - 1);
  std::u16string file = trim(inp_path_file.substr(sep));
  // A last component without an extension names a folder.
  if (!passed_dot && inp_path_file.back() != u']') {
    path = inp_path_file;
    file.clear();
  }
  out_path = std::move(path);
  out_file = std::move(file);
}

bool TxtHdl::EISUJI_CHK(const std::u16string& inp_chr) const {
  return !inp_chr.empty() && is_ascii_alnum(inp_chr[0]);
}

std::int16_t TxtHdl::EISUJI_not_POS(const std::u16string& inp_str,
                                    const std::int16_t& inp_st_pos) const {
  // The added blank ends every run inside the text.
  const std::u16string text = inp_str + kBlank;
  const std::int64_t len = length_of(text);
  if (inp_st_pos > len) return -1;
  require_start(inp_st_pos);
  for (std::int64_t p = inp_st_pos; p <= len; ++p) {
    if (!is_ascii_alnum(text[p - 1])) return to_pos(p - 1);
  }
  return to_pos(len);  // not reached: the last character is a blank
}

std::u16string TxtHdl::cut_CR_LF(const std::u16string& inp_str) const {
  std::u16string text = inp_str.substr(0, inp_str.find(u'\n'));
  return text.substr(0, text.find(u'\r'));
}

}  // namespace morvanta
