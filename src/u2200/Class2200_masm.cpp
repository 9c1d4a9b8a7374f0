// Assembler (MASM) source scanners: labels, jump targets, imports and exports.
// A caller runs two passes: "make" collects, MSM_label_jump_reset keeps only
// the labels worth marking, and any other pass name reports columns to mark.

#include <algorithm>
#include <string>

#include "u2200/Class2200.h"
#include "u2200/ScanText.h"

namespace morvanta {

namespace {

const std::u16string kMake = u"make";

// Quotes (or any other one-character delimiters) around an external name.
std::u16string strip_ends(const std::u16string& s) {
  if (s.size() < 2) return {};
  return text::trimBlanks(s.substr(1, s.size() - 2));
}

// MASM lines are read only from element and assembler listings or from the
// plain source; other listing kinds are taken to start at column 1.
std::int16_t start_column(const Class2200& cls) {
  if (cls.TASK_TYPE == cls.DF_Task_ELT) return scan::column(cls.ELT_SKIP_POS + 1);
  if (cls.TASK_TYPE == cls.DF_Task_MASM) return scan::column(cls.MASM_SKIP_POS + 1);
  return 1;
}

}  // namespace

void Class2200::MSM_phase_label(const std::u16string& fnc, const std::u16string& in_str,
                                std::int16_t& label_end_pos, std::u16string& label_typ) {
  label_end_pos = 0;
  label_typ.clear();
  const std::int16_t c = start_column(*this);
  const auto first = scan::char_at(in_str, c);
  if (first == u' ' || first == u'$') return;

  std::int16_t p = c;
  auto label = th.Field_get(in_str, p);
  if (label.empty() || label[0] == u'.' || label[0] == u'/') return;
  if (scan::blank_first(label, u'*')) label_typ = u"*";
  scan::blank_first(label, u'.');
  label = text::trimBlanks(label);

  const auto op = th.Field_get(in_str, p);
  if (!op.empty() &&
      (scan::one_of(op, {u"RES", u"NAME", u"$NAME", u"EQU", u"$EQU"}) || op[0] == u'+'))
    return;  // data or a constant, not a place to jump to

  const bool import = op == u"$IMPORT";
  std::u16string external;
  if (import) {
    if (th.Field_get(in_str, p) == u"OM$CODE_REF") external = strip_ends(th.Field_get(in_str, p));
    label_typ = u"$IMPORT";
  }

  if (fnc == kMake) {
    // A line is stored whole or not at all.
    const bool star = label_typ == u"*";
    scan::require_room(root_MASM_procedure_name, root_MASM_procedure_cnt);
    if (star) scan::require_room(root_MASM_PIKA_procedure_name, root_MASM_PIKA_procedure_cnt);
    if (import) {
      scan::require_room(root_MASM_import_label, root_MASM_import_name_cnt);
      root_MASM_import_name[static_cast<std::size_t>(root_MASM_import_name_cnt)] = external;
      scan::store_entry(root_MASM_import_label, root_MASM_import_name_cnt, label);
    }
    scan::store_entry(root_MASM_procedure_name, root_MASM_procedure_cnt, label);
    if (star) scan::store_entry(root_MASM_PIKA_procedure_name, root_MASM_PIKA_procedure_cnt, label);
  } else if (scan::find_entry(root_MASM_procedure_name, root_MASM_procedure_cnt, label) < 0) {
    return;
  }
  label_end_pos = scan::column(c + static_cast<std::int32_t>(label.size()) - 1);
}

void Class2200::MSM_phase_instruction(const std::u16string& fnc, const std::u16string& in_str,
                                      std::int16_t& jump_st_pos, std::int16_t& jump_end_pos,
                                      std::u16string& jump_typ) {
  jump_st_pos = 0;
  jump_end_pos = 0;
  jump_typ.clear();
  bool found = false;
  std::u16string target;
  const std::int16_t c = start_column(*this);

  const auto first = scan::char_at(in_str, c);
  if (first != u'.' && first != u'/') {
    // Reading one column past c: a label standing at c loses its first
    // character, and only a one-character label lets the operation through.
    std::int16_t p = scan::column(c + 1);
    const auto op = th.Field_get(in_str, p);
    if (!op.empty() && op[0] != u'.') {
      if (op == u"END" || op == u"$END") MASM_CODE_END = 1;
      if (scan::one_of(op, {u"LMJ", u"LIJ", u"LBJ", u"OM$CALL"})) jump_typ = u"MAYOUTSIDE";
      const std::int16_t p0 = p;
      if (scan::one_of(op, {u"J", u"SLJ", u"OM$CALL", u"LOCL", u"JC", u"JNC"})) {
        jump_st_pos = p0;
        const auto operand = th.Field_get(in_str, p);
        // An indexed (comma) or indirect ("*") operand names no fixed target;
        // a missing operand names none either.
        if (!operand.empty() && !scan::contains(operand, u',') && operand[0] != u'*') {
          found = true;
          target = operand;
        }
      } else if (scan::one_of(op, {u"JZ", u"JNZ", u"JP", u"JN", u"JGD", u"JB", u"JNB", u"LMJ",
                                   u"LBJ", u"LIJ"})) {
        const auto operand = th.Field_get(in_str, p);
        if (std::count(operand.begin(), operand.end(), u',') < 2) {
          const auto comma = operand.find(u',');
          const std::int16_t k = comma == std::u16string::npos
                                     ? 0
                                     : scan::column(static_cast<std::int32_t>(comma) + 1);
          std::int16_t kp = scan::column(k + 1);
          target = th.Text_pick(operand + u" ", u" ", kp);
          jump_st_pos = scan::column(p0 + k);
          found = !target.empty();
        }
      }
      if (found) {
        target = text::trimBlanks(target);
        jump_end_pos = scan::column(jump_st_pos + static_cast<std::int32_t>(target.size()) - 1);
        if (fnc == kMake && scan::find_entry(root_MASM_jump_name, root_MASM_jump_cnt, target) < 0)
          scan::store_entry(root_MASM_jump_name, root_MASM_jump_cnt, target);
      }
    }
  }
  if (jump_end_pos == 0 || !found) {
    jump_st_pos = 0;
    jump_end_pos = 0;
  }
}

void Class2200::MSM_label_jump_reset() {
  const auto n = scan::stored(root_MASM_procedure_name, root_MASM_procedure_cnt);
  for (std::size_t i = 0; i < n; ++i) {
    auto& label = root_MASM_procedure_name[i];
    if (scan::find_entry(root_MASM_jump_name, root_MASM_jump_cnt, label) >= 0) continue;
    if (scan::find_entry(root_MASM_PIKA_procedure_name, root_MASM_PIKA_procedure_cnt, label) >= 0)
      continue;
    label.clear();
  }
}

std::u16string Class2200::MSM_import_SRCH(const std::u16string& jumper_str) const {
  const auto at = scan::find_entry(root_MASM_import_label, root_MASM_import_name_cnt, jumper_str);
  return at < 0 ? std::u16string() : root_MASM_import_name[static_cast<std::size_t>(at)];
}

std::u16string Class2200::MSM_get_DOLLexport_name(std::u16string& in_str) const {
  in_str = text::upperAscii(in_str);
  const std::int16_t c = start_column(*this);
  std::int16_t p = c;
  if (th.Text_find(in_str, u"$EXPORT", p) == 0) return {};
  const std::int16_t q = p;
  if (th.Text_find(in_str, u"'", p) == 0) return {};
  const auto name = th.Text_pick(in_str, u"'", p);
  if (name.empty()) return {};
  p = c;
  const auto period = th.Text_find(in_str, u".", p);
  if (period != 0 && period < q) return {};  // the keyword stands in a comment
  p = c;
  return th.Text_find(in_str, u"OM$ENTRY", p) != 0 ? name : std::u16string();
}

std::u16string Class2200::MSM_get_export_LABEL(const std::u16string& inp_str) const {
  const auto s = text::upperAscii(inp_str) + u" ";
  const std::int16_t c = start_column(*this);
  std::int16_t p = c;
  if (th.Text_find(s, u"*", p) == 0) return {};
  const std::int16_t b = p;
  if (b > 2) {
    const auto before = scan::char_at(s, b - 2);
    if (before == u' ' || before == u'.' || before == u'\'') return {};
  }
  const auto after = scan::char_at(s, b);
  if (after != u' ' && after != u'.') return {};
  p = c;
  const auto period = th.Text_find(s, u".", p);
  if (period != 0 && period < b) return {};  // a comment
  p = c;
  const auto name = th.Text_pick(s, u"*", p);
  if (scan::contains(name, u' ')) return {};
  if (scan::char_at(s, p) == u'*') ++p;
  const auto op = text::trimBlanks(th.Field_get(s, p));
  if (scan::one_of(op,
                   {u"FUNC", u"$FUNC", u"EQU", u"$EQU", u"NAME", u"$NAME", u"PROC", u"$PROC"}) ||
      scan::contains(name, u'\''))
    return {};
  return name;
}

std::int16_t Class2200::MSM_get_DOLL_EXTEND(std::u16string& in_str) const {
  in_str = text::upperAscii(in_str);
  const std::int16_t c = start_column(*this);
  const auto at = scan::find_col(in_str, u"$EXTEND", c);
  if (at == 0) return 0;
  // As for $EXPORT: a period before the keyword opens a comment.
  const auto period = scan::find_col(in_str, u'.', c);
  return period != 0 && period < at ? 0 : 1;
}

}  // namespace morvanta
