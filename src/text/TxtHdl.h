#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace morvanta {

// The string toolkit every command and Class2200 cut their lines with.
//
// Text is UTF-16, one unit per character; positions are 1-based and 16-bit.
// A blank is U+0020 alone, and trimming removes nothing else. Searches and
// comparisons are exact and case-sensitive.
//
// Errors: a read position of 0 or below throws std::invalid_argument, a
// position or length past 32767 throws std::overflow_error. Either leaves the
// caller's variables as far as the call had got. "Not found" is never an
// error: it is an empty text, a 0 position or a status.
class TxtHdl {
 public:
  // Label_get reads the label column Adjust_POS + 1.
  std::int16_t Adjust_POS = 24;
  // Trace lines are written while this is not 0 and txthdllog_out is set.
  std::int16_t txthdllog_fno = 0;
  // Where trace lines go, one call per line, without a line end.
  std::function<void(const std::u16string&)> txthdllog_out;

  // --- tokens and fields ---

  // Text from pos up to the next skey. An all-blank skey becomes " " (also in
  // the caller's variable). pos advances by the trimmed key length; when the
  // key is not found the result is empty and pos stays. The text after the
  // last key is never returned: callers append a terminator first.
  std::u16string Text_pick(const std::u16string& in_str, std::u16string& skey,
                           std::int16_t& pos) const;
  // The same for a key the caller does not keep (a literal).
  std::u16string Text_pick(const std::u16string& in_str, const std::u16string& skey,
                           std::int16_t& pos) const;

  // As Text_pick after skipping blanks (up to column 200), falling back to
  // in_stopper when skey is absent; the result is trimmed.
  std::u16string Text_Pick_With_Stopper(const std::u16string& in_str, std::u16string& skey,
                                        std::int16_t& pos, const std::u16string& in_stopper) const;
  std::u16string Text_Pick_With_Stopper(const std::u16string& in_str, const std::u16string& skey,
                                        std::int16_t& pos, const std::u16string& in_stopper) const;

  // Column of skey from pos, or 0. pos moves just past the match, or onto the
  // first "%" of the key inside the match.
  std::int16_t Text_find(const std::u16string& in_str, const std::u16string& skey,
                         std::int16_t& pos) const;

  // Next blank-separated field from pos; pos moves to the next field. A
  // one-character field that ends the text is not returned, and a run of more
  // than 100 blanks after a field leaves pos at that field.
  std::u16string Field_get(const std::u16string& in_str, std::int16_t& pos) const;

  // Next field up to the one-character separator KUGIRI, trimmed. rslt_sts:
  // 0 separator met, -1 end of text, 1 KUGIRI not one character.
  std::u16string Field_KUGIRI_get(const std::u16string& inp_str, std::int16_t& pos,
                                  const std::u16string& KUGIRI, std::int16_t& rslt_sts) const;

  // Column (as decimal text) of the first blank at or after the label column,
  // "0" without one, empty when the label column is blank.
  std::u16string Label_get(const std::u16string& in_str) const;

  // Position of the last srch_str in in_str, or 0.
  std::int16_t B_Instr(const std::u16string& in_str, const std::u16string& srch_str) const;
  // Position of the last srch_str starting at or before st_pos, or 0.
  std::int16_t B_Instr_with_start_pos(const std::int16_t& st_pos, const std::u16string& in_str,
                                      const std::u16string& srch_str) const;

  // Overwrites in_str from set_pos on, never changing its length.
  void SET_STR_by_pos(std::u16string& in_str, const std::u16string& set_str,
                      const std::int32_t& set_pos) const;

  // The fields of in_str, each preceded by one blank.
  std::u16string To_1_space(const std::u16string& in_str) const;

  // --- characters and literals ---

  // Replaces, in place, every character equal to bef_key1 (and, with keycnt 2,
  // bef_key2) by the first character of its aft_key; returns how many matched.
  std::int16_t Char_chg(std::u16string& in_str, const std::int16_t& keycnt,
                        const std::u16string& bef_key1, const std::u16string& aft_key1,
                        const std::u16string& bef_key2, const std::u16string& aft_key2) const;

  // Replaces bef_key by aft_key, searching from the start on every pass, at
  // most as many passes as in_str has characters; returns the count.
  std::int16_t Text_chg(const std::u16string& in_str, std::u16string& out_str,
                        const std::u16string& bef_key, const std::u16string& aft_key) const;
  // One pass of Text_chg: 1 when a replacement was made, else 0.
  std::int16_t Text_chg_1cnt(const std::u16string& in_str, std::u16string& out_str,
                             const std::u16string& bef_key, const std::u16string& aft_key) const;

  // File-name punctuation mapped to full-width characters ("*" to "＊", ...).
  std::u16string PC_file_Char_chg(const std::u16string& in_str) const;

  // Splits a file name at its last "." into name and extension. Returns "".
  std::u16string Phase_file_name(const std::u16string& inp_file, std::u16string& out_file,
                                 std::u16string& out_kaku) const;

  // Splits a "\"-separated path at its last "\" into folder and file; a last
  // component without "." (and not ending in "]") is taken as a folder.
  void Phase_PATH(const std::u16string& inp_path_file, std::u16string& out_path,
                  std::u16string& out_file) const;

  std::u16string Literal_add(const std::u16string& in_str) const;
  std::u16string Double_quotation() const;
  std::u16string Double_quotation_add(const std::u16string& in_str) const;

  // Content between the first quote at or after pos and the last quote of the
  // text, trimmed.
  std::u16string Literal_get(const std::u16string& in_str, const std::int16_t& pos) const;
  std::u16string Double_quotation_get(const std::u16string& in_str, const std::int16_t& pos) const;

  // Fill in_str with blanks to MAX_LEN; before it when BEF_OR_AFT is "BEF" or
  // "BEFORE" (any case), after it otherwise.
  std::u16string ADD_SPACE_to_STR(const std::u16string& in_str, const std::int32_t& MAX_LEN,
                                  const std::u16string& BEF_OR_AFT) const;
  // As ADD_SPACE_to_STR, counting every character as two columns.
  std::u16string ADD_SPACE_to_STR_byte(const std::u16string& in_str, const std::int32_t& MAX_LEN,
                                       const std::u16string& BEF_OR_AFT) const;
  // Fill with full-width spaces; "BEF"/"BEFORE" must be upper case.
  std::u16string ADD_SPACE_to_STR_zen(const std::u16string& in_str, const std::int32_t& MAX_LEN,
                                      const std::u16string& BEF_OR_AFT) const;
  // As ADD_SPACE_to_STR_zen, and a longer text is cut to MAX_LEN characters.
  std::u16string ADD_SPACE_to_STR_zen2(const std::u16string& in_str, const std::int32_t& MAX_LEN,
                                       const std::u16string& BEF_OR_AFT) const;

  // Whether the first character is an ASCII letter or digit.
  bool EISUJI_CHK(const std::u16string& inp_chr) const;
  // Position of the last character of the letter/digit run starting at
  // inp_st_pos (inp_st_pos - 1 when the run is empty); -1 past the end.
  std::int16_t EISUJI_not_POS(const std::u16string& inp_str, const std::int16_t& inp_st_pos) const;

  // The text before its first line feed, then before its first carriage return.
  std::u16string cut_CR_LF(const std::u16string& inp_str) const;

  // --- HTML tags ---

  // inp_str with the first srch_str at or after st_pos wrapped in a link to
  // ahref_str; empty when the word does not occur.
  std::u16string HTM_Tag_Ahref(const std::int16_t& st_pos, const std::u16string& inp_str,
                               const std::u16string& ahref_str,
                               const std::u16string& srch_str) const;
  // inp_str with the first srch_str at or after st_pos in color_str and, when
  // except_color_str is set, the text around it in that colour. st_pos moves
  // behind the coloured word, where the next call continues.
  std::u16string HTM_Tag_FONT_COLOR(std::int16_t& st_pos, const std::u16string& inp_str,
                                    const std::u16string& color_str,
                                    const std::u16string& except_color_str,
                                    const std::u16string& srch_str) const;
  // inp_str in COLOR, or unchanged when COLOR is empty.
  std::u16string HTM_Tag_font_color_add(const std::u16string& inp_str,
                                        const std::u16string& COLOR) const;
};

}  // namespace morvanta
