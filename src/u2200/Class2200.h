#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/TxtHdl.h"

namespace morvanta {

// The 2200 utility class: name conversions between the 2200, its FTP server
// and the PC, Fieldata codes, octal words and tdate$ times, runstream
// statement splitting, browser paths, and the source scanners.
//
// Every operation takes its arguments by reference and changes only the
// ones it writes. "Not found" is an empty text; argument errors of the
// conversions are exceptions (std::invalid_argument for a type mismatch,
// std::overflow_error for a value or read position that does not fit).
class Class2200 {
 public:
  Class2200();

  // The class's own text toolkit; the runstream, browser-path and scanner
  // operations cut text with it.
  TxtHdl th;

  std::int32_t root_PLUS_procedure_cnt = 0;
  std::int32_t root_SKEL_procedure_cnt = 0;
  std::int32_t root_MASM_procedure_cnt = 0;
  std::int32_t root_MASM_jump_cnt = 0;
  std::int32_t root_MASM_PIKA_procedure_cnt = 0;
  std::int32_t root_MASM_import_name_cnt = 0;
  std::int16_t MASM_CODE_END = 0;
  std::u16string TASK_TYPE;
  std::int16_t ELT_SKIP_POS = 24;
  std::int16_t PLS_SKIP_POS = 40;
  std::int16_t UPLS_SKIP_POS = 24;
  std::int16_t UCOB_SKIP_POS = 24;
  std::int16_t MASM_SKIP_POS = 52;
  std::int16_t PRTS_SKIP_POS = 12;
  std::int32_t Printer_Line_CNT_Per_Page = 80;
  std::int16_t Adjust_POS = 0;
  std::int16_t Filenum_log = 0;
  std::int32_t CBL_PERFORM_cnt = 0;
  std::int32_t CBL_CALL_cnt = 0;
  std::u16string DF_ELT_SYM = u"SYM";
  std::u16string DF_ELT_ABS = u"ABS";
  std::u16string DF_ELT_REL = u"REL";
  std::u16string DF_ELT_OMN = u"OMN";
  std::u16string DF_Task_PLS = u"PLS";
  std::u16string DF_Task_UPLS = u"UPLS";
  std::u16string DF_Task_ELT = u"ELT";
  std::u16string DF_Task_UCOB = u"UCOB";
  std::u16string DF_Task_MASM = u"MASM";
  std::u16string DF_Task_LINK = u"LINK";
  std::u16string DF_Task_MAP = u"Collector";
  std::u16string DF_Task_FURPUR = u"FURPUR";
  std::u16string DF_LANG_PLS = u"PLS";
  std::u16string DF_LANG_COB = u"COB";
  std::u16string DF_LANG_VB = u"VB";
  std::u16string DF_LANG_MASM = u"MASM";
  std::u16string DF_LANG_SKEL = u"SKEL";

  // --- Fieldata codes (Class2200.cpp) ---

  // Two-digit Fieldata codes, one after another, to characters. A code
  // without a table row gives the character with code 0. A count of 16,384
  // or more overflows the read position: std::overflow_error, no result.
  std::u16string FD_TO_ASC(const std::u16string& in_str, const std::int16_t& in_chr_cnt) const;
  // Three-digit octal ASCII codes to two-digit Fieldata codes ("00" when a
  // code has no row). A count of 10,923 or more: std::overflow_error.
  std::u16string ASC_TO_FDcode(const std::u16string& in_str, const std::int16_t& in_chr_cnt) const;

  // --- 2200 names and PC file names (Class2200_naming.cpp) ---

  std::u16string U2200FileName_to_PcName(const std::u16string& in_str) const;
  std::u16string PcName_to_U2200FileName(const std::u16string& in_str) const;
  // dsp_or_txt: "DSP" keeps "/", "TXT" gives the full-width solidus, "TXT."
  // gives ".". out_typ receives the element type ("SYM" when no suffix).
  std::u16string U2200ElementName_to_PcName(const std::u16string& dsp_or_txt,
                                            const std::u16string& in_str,
                                            std::u16string& out_typ) const;
  std::u16string PcName_to_U2200ElementName(const std::u16string& in_str) const;
  std::u16string PcName_to_U2200ElementName_FTP(const std::u16string& in_str,
                                                const std::u16string& IN_ELT_TYP) const;
  // "JAN".."DEC" in any letter case to "01".."12"; anything else "00".
  std::u16string month_string_edit(const std::u16string& inpstr) const;

  // --- octal, word and date conversions (Class2200_octal.cpp) ---
  // These return a message text for bad input and an empty text on success;
  // an output argument is written only on success.

  // The numeric test used by every conversion of this group. True for
  //   [blanks] [+|-] digits [. [digits]] [(E|e) [+|-] digits] [blanks]
  //   [blanks] [+|-] . digits [(E|e) [+|-] digits] [blanks]
  //   [blanks] &O octal-digits [blanks]      (O or o; digits 0-7)
  //   [blanks] &H hex-digits [blanks]        (H or h; digits 0-9, A-F, a-f)
  // where blanks are ASCII spaces. No sign before "&", no thousands
  // separators, currency signs, parentheses or trailing signs; an empty or
  // all-blank text is not numeric.
  static bool Numeric_chk(const std::u16string& in_str);
  // The value of a Numeric_chk text as a 32-bit integer: decimals round half
  // to even, "&O"/"&H" texts read as positive. Outside 32 bits it is
  // std::overflow_error.
  static std::int32_t Numeric_int32(const std::u16string& in_str);

  std::u16string DEC_TO_OCT(const std::u16string& in_DEC, std::u16string& out_OCT) const;
  // 0 when every character up to the first one above 7 is an octal digit,
  // -1 otherwise. A character that passed Numeric_chk but is no digit (a
  // blank, sign, point, exponent letter, "&") is std::invalid_argument.
  std::int16_t OCT_chk(const std::u16string& in_oct) const;
  // Octal values above 2^31 - 1 are std::overflow_error.
  std::u16string OCT_TO_DEC(const std::u16string& in_oct, std::u16string& out_DEC) const;
  // A 36-bit word of twelve octal digits to its value. A numeric text that
  // does not begin with a digit is std::invalid_argument.
  std::u16string OCT_TO_DBL(const std::u16string& in_org_oct, double& out_DBL) const;
  // inp_part: "H1", "H2", "Q1".."Q4". An empty word gives " "; a part that
  // holds no octal number (an unknown part name, a word too short for the
  // part, a non-octal character) gives an empty text.
  std::u16string ONE_WORD_TO_DEC_with_part(const std::u16string& inp_part,
                                           const std::u16string& inp_str) const;
  std::u16string ONE_WORD_TO_HEX_with_part(const std::u16string& inp_part,
                                           const std::u16string& inp_str) const;
  std::u16string ADD_ZERO_to_STR(const std::u16string& in_str, const std::int32_t& MAX_LEN) const;
  std::u16string tdate_edit(const std::u16string& str, std::int32_t& yyyy, std::int16_t& month,
                            std::int16_t& dd, std::int16_t& hh, std::int16_t& mm,
                            std::int16_t& ss) const;
  std::u16string time_edit(const std::u16string& str, std::int16_t& hh, std::int16_t& mm,
                           std::int16_t& ss, std::int16_t& msec) const;

  // --- runstream statements (Class2200_runstream.cpp) ---
  // Outputs not named by a statement keep the caller's value unless the
  // operation clears them first.

  std::int16_t TANKA_RUN_PHASE(const std::u16string& in_str, std::u16string& RUNID,
                               std::u16string& PROJ) const;
  std::u16string TANKA_QUAL_PHASE(const std::u16string& in_str) const;
  // 0 when both names of "@USE a,b" were found, 1 (outputs untouched) if not.
  std::int16_t TANKA_USE_PHASE(const std::u16string& in_str, std::u16string& USE_LEFT,
                               std::u16string& USE_RIGHT) const;
  std::int16_t TANKA_COPY_PHASE(const std::u16string& in_str, std::u16string& COPY_LEFT_F,
                                std::u16string& COPY_LEFT_E, std::u16string& COPY_RIGHT_F,
                                std::u16string& COPY_RIGHT_E) const;
  std::int16_t U2200_FILE_PHASE(const std::u16string& in_str, std::u16string& f_QUAL,
                                std::u16string& f_PIKA, std::u16string& f_NAME) const;
  std::int16_t U2200_FILE_ELEMENT_PHASE(const std::u16string& in_str, std::u16string& f_NAME,
                                        std::u16string& e_NAME) const;
  std::int16_t TANKA_ADD_START_PHASE(const std::u16string& str_b, std::u16string& f_QUAL,
                                     std::u16string& PIKA, std::u16string& f_NAME,
                                     std::u16string& e_NAME) const;

  // --- browser path (Class2200_browser.cpp) ---

  // A drive path, "file:///" or "http://" path to a page stored under the PC
  // names of a 2200 file and element, back to the 2200 name. file_elt_flg:
  // 1 file, 2 element, anything else file "." element. Empty when the path
  // does not have that shape.
  std::u16string htm_path_to_2200_file_elt(const std::u16string& inp_str,
                                           const std::u16string& KUGIRI,
                                           const std::int16_t& file_elt_flg) const;

  // --- source scanners: begin ---
  // Two-pass scanners: a first pass with fnc "make" collects names into the
  // lists below, a marking pass (any other fnc) reports where they occur.
  // Each list has a fixed capacity; storing past it throws std::out_of_range
  // and stores nothing. A caller that scans a second source sets the
  // root_..._cnt counters back to 0 first.

  // Listing kind and columns (Class2200_checks.cpp).

  // Sets TASK_TYPE from a processor's sign-on line str_a when the previous
  // line old_line_img is a control statement ("@..."); OUT_NOW_FOUND 1 when
  // it did. Returns TASK_TYPE.
  std::u16string TASK_TYPE_set(const std::u16string& str_a, std::int16_t& OUT_NOW_FOUND,
                               const std::u16string& old_line_img);
  // Column where the source text of a listing line starts for TASK_TYPE.
  std::int16_t GET_Start_Column() const;
  // Level and generated-line numbers of a listing line (0 when absent).
  // Numbers are Numeric_chk texts; one that does not fit 32 bits throws
  // std::overflow_error. Always returns 0.
  std::int16_t GET_LEVEL_and_GENLINE(const std::u16string& str_b, std::int32_t& out_level,
                                     std::int32_t& out_genline) const;
  // Element name of an "ED,R qual*file.element" header line ("/" becomes
  // "_"), or " "; e_type "PLS", "MASM", another type word or "UNDEF".
  // in_str is upper-cased and given a trailing blank.
  std::u16string get_element_name(std::u16string& in_str, std::u16string& e_type) const;
  // 1 when in_type names a language of the family, else 0 (case matters).
  std::int16_t Elt_PLUS_chk(const std::u16string& in_type) const;
  std::int16_t Elt_COB_chk(const std::u16string& in_type) const;
  std::int16_t Elt_MASM_chk(const std::u16string& in_type) const;
  std::int16_t Elt_SKEL_chk(const std::u16string& in_type) const;
  // wk_color_chg_str extended to the whole identifier it begins in
  // wk_conv_str, by the identifier characters of inp_LANG.
  std::u16string koumoku_find(const std::u16string& inp_LANG, const std::u16string& wk_conv_str,
                              const std::u16string& wk_color_chg_str) const;
  // 1 when the first two bytes written as upper-case hexadecimal ("82A0")
  // form a Shift_JIS double-byte character; LETSJ_CHK for the ranges of the
  // 2200's Japanese letter code.
  std::int16_t SJIS_CHK(const std::u16string& INP) const;
  std::int16_t LETSJ_CHK(const std::u16string& INP) const;

  // MASM (Class2200_masm.cpp). Lines start at column 25 in element
  // listings, 53 in assembler listings, otherwise at 1.

  // Label defined by the line: label_end_pos is its last column (0 when the
  // line defines none or, in the marking pass, when the label is not kept);
  // label_typ "*" (externally visible), "$IMPORT" or "".
  void MSM_phase_label(const std::u16string& fnc, const std::u16string& in_str,
                       std::int16_t& label_end_pos, std::u16string& label_typ);
  // Jump or call target named by the line: its first and last columns (0, 0
  // when none); jump_typ "MAYOUTSIDE" for calls that may leave the element.
  void MSM_phase_instruction(const std::u16string& fnc, const std::u16string& in_str,
                             std::int16_t& jump_st_pos, std::int16_t& jump_end_pos,
                             std::u16string& jump_typ);
  // Between the passes: empties every label that is neither a jump target
  // nor externally visible. Counts stay.
  void MSM_label_jump_reset();
  // External name imported under the label jumper_str, or "".
  std::u16string MSM_import_SRCH(const std::u16string& jumper_str) const;
  // Name in quotes on a "$EXPORT ... OM$ENTRY" line, or "". Upper-cases in_str.
  std::u16string MSM_get_DOLLexport_name(std::u16string& in_str) const;
  // Label written "NAME*" on a code line, or "".
  std::u16string MSM_get_export_LABEL(const std::u16string& inp_str) const;
  // 1 when the line holds $EXTEND outside a comment, else 0. Upper-cases in_str.
  std::int16_t MSM_get_DOLL_EXTEND(std::u16string& in_str) const;

  // COBOL (Class2200_cobol.cpp). Indicator column Adjust_POS + 7, area A
  // from Adjust_POS + 8; a column past 32767 throws std::overflow_error.
  // fnc is accepted for symmetry with the other scanners and changes nothing.
  // All but CBL_get_PERFORM_body upper-case the caller's line.

  std::int16_t CBL_comment_chk(const std::u16string& in_line) const;
  std::u16string CBL_get_PERFORM_name(const std::u16string& fnc, std::u16string& in_str) const;
  std::u16string CBL_get_CALL_name(const std::u16string& fnc, std::u16string& in_str) const;
  // Also sets Adjust_POS from the column of "PROGRAM-ID.".
  std::u16string CBL_get_PROGRAMID_name(const std::u16string& fnc, std::u16string& in_str);
  // Paragraph or section name that the line begins in area A, or "";
  // SECTION_FLG 1 for a section.
  std::u16string CBL_get_PERFORM_body(const std::u16string& input_str,
                                      std::int16_t& SECTION_FLG) const;
  std::int16_t CBL_get_prog_start(std::u16string& in_str) const;

  // SKEL (Class2200_skel.cpp); lines start at GET_Start_Column().

  // Procedure named by a "*DEFINE" line, or ""; stored with fnc "make".
  // Upper-cases in_str.
  std::u16string SKEL_get_DEFINE_name(const std::u16string& fnc, std::u16string& in_str);
  // Collected procedure called by a "*PROCESS name" line, or ""; out_pos is
  // set to 1 when found and left alone otherwise.
  std::u16string SKEL_get_call_DEFINE_name(const std::u16string& i_line,
                                           std::int16_t& out_pos) const;
  // One line of "DEFINE name = value[,|;]". DEFINE_pending carries a
  // statement continued with "," over to the next line.
  void DEFINE_GET(const std::u16string& str_b, std::int16_t& DEFINE_found,
                  std::int16_t& DEFINE_pending, std::u16string& define_name,
                  std::u16string& define_val) const;
  // Two lines joined: field_trim not 0 collapses blanks (at most 30 fields a
  // line); else gyoukan_trim 1 joins with a blank, 0 without, other gives "".
  std::u16string LINE_Renketu(const std::u16string& in_line1, const std::u16string& in_line2,
                              const std::int16_t& gyoukan_trim,
                              const std::int16_t& field_trim) const;

  // PLUS (Class2200_plus.cpp); a double quote opens a comment.

  // Column of the first double quote at or after pos, or 0.
  std::int16_t comment_chk(const std::u16string& in_line, const std::int16_t& pos) const;
  // 1 when the first field from pos begins with a double quote.
  std::int16_t TOP_img_comment_chk(const std::u16string& in_line, const std::int16_t& pos) const;
  // The line with the comment marks blanked.
  std::u16string comment_cut(const std::u16string& in_line) const;
  // 1 when the line holds a comment from in_skip_pos on; its text is
  // appended to out_str and, when it describes a function, put in out_kinou.
  std::int16_t keep_comment(const std::u16string& in_line, std::u16string& out_str,
                            std::u16string& out_kinou, const std::int16_t& in_skip_pos) const;
  // Procedure declared by the line, or ""; stored with fnc "make".
  // Upper-cases in_str.
  std::u16string get_procedure_Name(const std::u16string& fnc, std::u16string& in_str);
  // "EXPORTED", "IMPORTED", "INTERNAL", or "" with repeat_flg 1 when the
  // declaration goes on in the next line.
  std::u16string get_procedure_type(const std::u16string& first_str,
                                    std::u16string& export_import_name,
                                    std::int16_t& repeat_flg) const;
  // External name in apostrophes after EXPORTED / IMPORTED. out_sts 0 no
  // keyword (or in a comment), 1 no name, 2 name found. Upper-case in_str.
  std::u16string get_export_name(std::u16string& in_str, std::int16_t& out_sts) const;
  std::u16string get_import_name(std::u16string& in_str, std::int16_t& out_sts) const;
  // First collected procedure called in the line, or ""; out_pos its column.
  std::u16string get_sub_procedure_name(const std::u16string& i_line, std::int16_t& out_pos) const;
  // One try for procedure i from pos: sts "FOUND" (pos = its column), "EOL"
  // or "REPEAT" (pos moved on). i outside the list throws std::out_of_range.
  std::u16string get_sub_procedure_name_SUB(const std::u16string& i_line, std::int16_t& pos,
                                            const std::int32_t& i, const std::int32_t& j,
                                            std::u16string& sts) const;
  // --- source scanners: end ---

 private:
  // Rows 1..200 of the Fieldata <-> ASCII table; entry 0 is never used.
  static constexpr std::int32_t kCodeRows = 200;
  using CodeColumn = std::array<std::u16string, kCodeRows + 1>;
  CodeColumn FD_code;
  CodeColumn ASC_code;
  std::int32_t FD_code_cnt = 0;
  std::u16string FD_default_code;
  std::u16string ASC_default_code;
  std::u16string SPACE_default;
  std::u16string DQ_chr;
  std::u16string SQ_chr;

  void add_code_row(const std::u16string& fd, const std::u16string& asc);
  // The code in `to` on the first row whose code in `from` equals `code`
  // (compared as text), else `fallback`.
  const std::u16string& code_lookup(const CodeColumn& from, const std::u16string& code,
                                    const CodeColumn& to, const std::u16string& fallback) const;

  // --- private scanner state: begin ---
  static constexpr std::size_t kMasmNames = 5001;
  static constexpr std::size_t kMasmStarNames = 1001;
  static constexpr std::size_t kMasmImports = 101;
  static constexpr std::size_t kProcedureNames = 1001;
  std::vector<std::u16string> root_MASM_procedure_name = std::vector<std::u16string>(kMasmNames);
  std::vector<std::u16string> root_MASM_PIKA_procedure_name =
      std::vector<std::u16string>(kMasmStarNames);
  std::vector<std::u16string> root_MASM_jump_name = std::vector<std::u16string>(kMasmNames);
  std::vector<std::u16string> root_MASM_import_label = std::vector<std::u16string>(kMasmImports);
  std::vector<std::u16string> root_MASM_import_name = std::vector<std::u16string>(kMasmImports);
  std::vector<std::u16string> root_SKEL_procedure_name =
      std::vector<std::u16string>(kProcedureNames);
  std::vector<std::u16string> root_PLUS_procedure_name =
      std::vector<std::u16string>(kProcedureNames);
  // --- private scanner state: end ---
};

}  // namespace morvanta
