#include <algorithm>

#include "text/TxtHdl.h"
#include "text/TxtHdl_internal.h"

namespace morvanta {

using namespace txthdl_internal;

namespace {

// An all-blank key is searched as one blank. The advance after a match is the
// trimmed key's length, so a key with blanks around it leaves the position
// on its inner part (" ." leaves it on the ".").
std::int16_t settle_key(std::u16string& skey) {
  const std::u16string trimmed = trim(skey);
  if (trimmed.empty()) {
    skey = u" ";
    return 1;
  }
  return to_pos(length_of(trimmed));
}

std::u16string pick(const std::u16string& in_str, const std::u16string& skey, std::int16_t key_len,
                    std::int16_t& pos) {
  const std::int16_t found = find_from(in_str, skey, pos);
  if (found == 0) return {};
  std::u16string piece = mid(in_str, pos, found - pos);
  pos = to_pos(std::int64_t{found} + key_len);
  return piece;
}

// Column 200 bounds the blank skip whatever the line holds.
constexpr std::int16_t kStopperSkipLimit = 200;

std::u16string pick_with_stopper(const std::u16string& in_str, const std::u16string& skey,
                                 std::int16_t key_len, std::int16_t& pos,
                                 const std::u16string& in_stopper) {
  require_start(pos);
  while (pos <= length_of(in_str) && is_blank(in_str[pos - 1]) && pos <= kStopperSkipLimit) {
    step(pos);
  }
  std::int16_t found = find_from(in_str, skey, pos);
  if (found == 0) found = find_from(in_str, in_stopper, pos);
  if (found == 0) return {};
  std::u16string piece = trim(mid(in_str, pos, found - pos));
  // The advance is the key's length even when the stopper was what matched.
  pos = to_pos(std::int64_t{found} + key_len);
  return piece;
}

// How far Field_get looks past a field for the next one.
constexpr std::int64_t kFieldBlankLimit = 100;

}  // namespace

std::u16string TxtHdl::Text_pick(const std::u16string& in_str, std::u16string& skey,
                                 std::int16_t& pos) const {
  const std::int16_t key_len = settle_key(skey);
  return pick(in_str, skey, key_len, pos);
}

std::u16string TxtHdl::Text_pick(const std::u16string& in_str, const std::u16string& skey,
                                 std::int16_t& pos) const {
  std::u16string key = skey;
  return Text_pick(in_str, key, pos);
}

std::u16string TxtHdl::Text_Pick_With_Stopper(const std::u16string& in_str, std::u16string& skey,
                                              std::int16_t& pos,
                                              const std::u16string& in_stopper) const {
  const std::int16_t key_len = settle_key(skey);
  return pick_with_stopper(in_str, skey, key_len, pos, in_stopper);
}

std::u16string TxtHdl::Text_Pick_With_Stopper(const std::u16string& in_str,
                                              const std::u16string& skey, std::int16_t& pos,
                                              const std::u16string& in_stopper) const {
  std::u16string key = skey;
  return Text_Pick_With_Stopper(in_str, key, pos, in_stopper);
}

std::int16_t TxtHdl::Text_find(const std::u16string& in_str, const std::u16string& skey,
                               std::int16_t& pos) const {
  // A "%" in the key marks where the caller wants to continue inside the match.
  const auto percent = skey.find(u'%');
  const std::int64_t k = percent == std::u16string::npos ? length_of(skey) + 1
                                                         : static_cast<std::int64_t>(percent) + 1;
  const std::int16_t found = find_from(in_str, skey, pos);
  if (found == 0) return 0;
  pos = to_pos(found + k - 1);
  return found;
}

std::u16string TxtHdl::Field_get(const std::u16string& in_str, std::int16_t& pos) const {
  require_start(pos);
  const std::int64_t len = length_of(in_str);
  while (pos <= len && is_blank(in_str[pos - 1])) step(pos);
  // Also true when only the last character is left: callers append a blank
  // to a line before reading its fields.
  if (pos >= len) return {};

  const auto blank = in_str.find(kBlank, static_cast<std::size_t>(pos - 1));
  const std::int64_t end =
      blank == std::u16string::npos ? len + 1 : static_cast<std::int64_t>(blank) + 1;
  std::u16string field = mid(in_str, pos, end - pos);

  for (std::int64_t next = end + 1; next <= end + kFieldBlankLimit; ++next) {
    if (next > len || !is_blank(in_str[next - 1])) {
      pos = to_pos(next);
      return field;
    }
  }
  return field;  // a longer blank run: pos stays on the field
}

std::u16string TxtHdl::Field_KUGIRI_get(const std::u16string& inp_str, std::int16_t& pos,
                                        const std::u16string& KUGIRI,
                                        std::int16_t& rslt_sts) const {
  rslt_sts = 0;
  if (KUGIRI.size() != 1) {
    rslt_sts = 1;
    return {};
  }
  const std::int64_t len = length_of(inp_str);
  if (pos > len) {
    rslt_sts = -1;
    return {};
  }
  require_start(pos);
  const auto sep = inp_str.find(KUGIRI[0], static_cast<std::size_t>(pos - 1));
  if (sep == std::u16string::npos) {
    std::u16string field = trim(mid(inp_str, pos, len - pos + 1));
    pos = to_pos(len + 1);
    rslt_sts = -1;
    return field;
  }
  std::u16string field = trim(mid(inp_str, pos, static_cast<std::int64_t>(sep) + 1 - pos));
  pos = to_pos(static_cast<std::int64_t>(sep) + 2);
  return field;
}

std::u16string TxtHdl::Label_get(const std::u16string& in_str) const {
  const std::int16_t column = to_pos(std::int64_t{Adjust_POS} + 1);
  require_start(column);
  if (column > length_of(in_str) || is_blank(in_str[column - 1])) return {};
  const auto blank = in_str.find(kBlank, static_cast<std::size_t>(column - 1));
  if (blank == std::u16string::npos) return u"0";
  return decimal(to_pos(static_cast<std::int64_t>(blank) + 1));
}

std::int16_t TxtHdl::B_Instr(const std::u16string& in_str, const std::u16string& srch_str) const {
  return B_Instr_with_start_pos(to_pos(length_of(in_str)), in_str, srch_str);
}

std::int16_t TxtHdl::B_Instr_with_start_pos(const std::int16_t& st_pos,
                                            const std::u16string& in_str,
                                            const std::u16string& srch_str) const {
  // The match must lie wholly inside the text.
  const std::int64_t last_fit = length_of(in_str) - length_of(srch_str) + 1;
  const std::int64_t start = std::min<std::int64_t>(st_pos, last_fit);
  if (start < 1) return 0;
  const auto at = in_str.rfind(srch_str, static_cast<std::size_t>(start - 1));
  if (at == std::u16string::npos) return 0;
  return to_pos(static_cast<std::int64_t>(at) + 1);
}

void TxtHdl::SET_STR_by_pos(std::u16string& in_str, const std::u16string& set_str,
                            const std::int32_t& set_pos) const {
  const std::int64_t len = length_of(in_str);
  if (set_pos < 1 || set_pos > len) {
    throw std::invalid_argument("TxtHdl: overwrite position outside the text");
  }
  const std::int64_t room = len - set_pos + 1;
  const std::u16string part =
      set_str.substr(0, static_cast<std::size_t>(std::min(room, length_of(set_str))));
  in_str.replace(static_cast<std::size_t>(set_pos - 1), part.size(), part);
}

std::u16string TxtHdl::To_1_space(const std::u16string& in_str) const {
  constexpr int kMaxFields = 500;
  const std::int64_t len = length_of(in_str);
  std::u16string out;
  std::int16_t pos = 1;
  for (int i = 0; i < kMaxFields; ++i) {
    std::int64_t field_start = pos;
    while (field_start <= len && is_blank(in_str[field_start - 1])) ++field_start;
    const std::u16string field = Field_get(in_str, pos);
    if (field.empty()) break;
    out += kBlank;
    out += field;
    // Field_get stays on a field followed by a very long blank run; go on
    // from the field's end so the run collapses instead of the field repeating.
    if (pos == field_start) pos = to_pos(field_start + length_of(field));
  }
  return out;
}

}  // namespace morvanta
