#include "u2200/Class2200.h"
#include "u2200/ScanText.h"

namespace morvanta {

namespace {

// The temporary program file: a name without a file belongs to it.
constexpr char16_t kTempFile[] = u"TPF$";

// "NAME." names the file NAME: the period goes, blanks around it too.
std::u16string without_final_period(const std::u16string& name) {
  std::u16string s = text::trimBlanks(name);
  if (!s.empty() && s.back() == u'.') s.back() = u' ';
  return text::trimBlanks(s);
}

}  // namespace

std::int16_t Class2200::TANKA_RUN_PHASE(const std::u16string& in_str, std::u16string& RUNID,
                                        std::u16string& PROJ) const {
  const std::u16string line = in_str;
  std::int16_t p = 1;
  th.Field_get(line, p);
  std::u16string runid = th.Text_pick(line, u",", p);
  th.Text_pick(line, u",", p);
  // The project id ends at a blank: without one it is not found.
  PROJ = th.Text_pick(line, u" ", p);
  RUNID = std::move(runid);
  return 0;
}

std::u16string Class2200::TANKA_QUAL_PHASE(const std::u16string& in_str) const {
  std::int16_t p = 1;
  th.Field_get(in_str, p);
  return th.Field_get(in_str, p);
}

std::int16_t Class2200::TANKA_USE_PHASE(const std::u16string& in_str, std::u16string& USE_LEFT,
                                        std::u16string& USE_RIGHT) const {
  std::int16_t p = 1;
  th.Field_get(in_str, p);
  const std::u16string left = th.Text_pick(in_str, u",", p);
  const std::u16string right = th.Field_get(in_str, p);
  if (left.empty() || right.empty()) return 1;
  USE_LEFT = without_final_period(left);
  USE_RIGHT = without_final_period(right);
  return 0;
}

std::int16_t Class2200::U2200_FILE_ELEMENT_PHASE(const std::u16string& in_str,
                                                 std::u16string& f_NAME,
                                                 std::u16string& e_NAME) const {
  const std::u16string name = in_str;  // the outputs may be the caller's input
  e_NAME.clear();
  f_NAME.clear();
  const std::u16string s = name + u" ";
  if (scan::contains(s, u'.')) {
    // Read from the name with its closing blank: Field_get leaves a
    // one-character field at the very end of a text unread, and "F.E" names
    // element "E". A name cut from a statement up to its comma never carries
    // that blank itself.
    std::int16_t p = 1;
    f_NAME = th.Text_pick(s, u".", p);
    e_NAME = th.Field_get(s, p);
  } else {
    f_NAME = kTempFile;
    e_NAME = text::trimBlanks(s);
  }
  return 0;
}

std::int16_t Class2200::TANKA_COPY_PHASE(const std::u16string& in_str, std::u16string& COPY_LEFT_F,
                                         std::u16string& COPY_LEFT_E, std::u16string& COPY_RIGHT_F,
                                         std::u16string& COPY_RIGHT_E) const {
  const std::u16string line = in_str;
  COPY_RIGHT_E.clear();
  std::int16_t p = 1;
  th.Field_get(line, p);  // "@COPY" with its options
  const std::int16_t p0 = p;
  std::u16string left = th.Text_pick(line, u",", p);
  if (!left.empty()) {
    U2200_FILE_ELEMENT_PHASE(left, COPY_LEFT_F, COPY_LEFT_E);
    const std::u16string right = th.Field_get(line, p);
    if (right.empty()) {
      COPY_RIGHT_F = kTempFile;
    } else if (right.back() == u'.') {
      COPY_RIGHT_F = right;  // a file without element
    } else {
      U2200_FILE_ELEMENT_PHASE(right, COPY_RIGHT_F, COPY_RIGHT_E);
    }
  } else {
    p = p0;
    left = th.Field_get(line, p);
    U2200_FILE_ELEMENT_PHASE(left, COPY_LEFT_F, COPY_LEFT_E);
    COPY_RIGHT_F = kTempFile;
  }
  // Copied without a new name, the element keeps its own.
  if (COPY_RIGHT_E.empty()) COPY_RIGHT_E = COPY_LEFT_E;
  return 0;
}

std::int16_t Class2200::U2200_FILE_PHASE(const std::u16string& in_str, std::u16string& f_QUAL,
                                         std::u16string& f_PIKA, std::u16string& f_NAME) const {
  const std::u16string s = in_str + u" ";
  f_QUAL.clear();
  f_PIKA.clear();
  f_NAME.clear();
  const auto k = s.find(u'*');
  if (k != std::u16string::npos) {
    f_QUAL = s.substr(0, k);
    f_PIKA = u"*";
    f_NAME = text::trimBlanks(s.substr(k + 1));
  } else {
    f_NAME = text::trimBlanks(s);
  }
  return 0;
}

std::int16_t Class2200::TANKA_ADD_START_PHASE(const std::u16string& str_b, std::u16string& f_QUAL,
                                              std::u16string& PIKA, std::u16string& f_NAME,
                                              std::u16string& e_NAME) const {
  const std::u16string s = str_b + u" ";
  f_QUAL.clear();
  PIKA.clear();
  f_NAME.clear();
  e_NAME.clear();
  std::int16_t p = 1;
  th.Field_get(s, p);
  const std::u16string n = th.Field_get(s, p);
  if (n.empty()) return 1;
  const std::u16string t = n + u" ";
  if (!scan::contains(t, u'.')) {
    f_NAME = kTempFile;
    e_NAME = t;
    return 1;
  }
  p = 1;
  if (scan::contains(t, u'*')) {
    PIKA = u"*";
    if (t.front() != u'*') {
      f_QUAL = th.Text_pick(t, u"*", p);
      f_NAME = th.Text_pick(t, u".", p);
    } else {
      std::u16string file = th.Text_pick(t, u".", p);
      if (!file.empty()) file.front() = u' ';
      f_NAME = text::trimBlanks(file);
    }
  } else {
    f_NAME = th.Text_pick(t, u".", p);
  }
  e_NAME = th.Text_pick(t, u" ", p);
  return 1;
}

}  // namespace morvanta
