#include "catalogue/TocListing.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>
#include <vector>

#include "app/MainForm.h"
#include "catalogue/ListingFields.h"
#include "platform/Platform.h"
#include "u2200/PcNameRule.h"

namespace morvanta::catalogue {

namespace {

// Up to `count` characters from the 1-based position `start`; fewer (or
// none) when the text is shorter.
std::u16string_view mid(std::u16string_view text, std::size_t start, std::size_t count) {
  if (start > text.size()) return {};
  return text.substr(start - 1, count);
}

template <class Char>
std::basic_string_view<Char> trimmed(std::basic_string_view<Char> text) {
  const auto first = text.find_first_not_of(Char(' '));
  if (first == std::basic_string_view<Char>::npos) return {};
  return text.substr(first, text.find_last_not_of(Char(' ')) - first + 1);
}

std::string_view trimmedBytes(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return text.substr(first, last - first);
}

// How far a field's reader looks past the field for the next one.
constexpr std::size_t kFieldBlankLimit = 100;

std::string_view midBytes(std::string_view text, std::size_t start, std::size_t count) {
  if (start > text.size()) return {};
  return text.substr(start - 1, count);
}

bool isAscii(std::u16string_view text) {
  char16_t any = 0;
  for (const char16_t c : text) any |= c;
  return any < 0x80;
}

std::string narrow(std::u16string_view ascii) {
  return std::string(ascii.begin(), ascii.end());
}

// The phased line's first field, the "TXT." form, differs from the display
// form only in its first "/", which becomes ".".
template <class Text>
void appendTextName(Text& out, const Text& display) {
  const std::size_t start = out.size();
  out += display;
  const auto slash = display.find('/');
  if (slash != Text::npos) out[start + slash] = '.';
}

// Past this a line's positions no longer fit the text toolkit's 16-bit ones.
constexpr std::size_t kLongestLine = 32767;

std::u16string twoDigits(int value) {
  return {static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

std::string fourDigitBytes(int value) {
  std::string digits = std::to_string(value);
  while (digits.size() < 4) digits.insert(digits.begin(), '0');
  return digits;
}

std::u16string fourDigits(int value) {
  return platform::fromUtf8(fourDigitBytes(value));
}

// The month texts as Class2200::month_string_edit knows them; the line is
// upper case already. The three letters are compared as one number.
std::string_view monthNumberBytes(std::string_view field) {
  static constexpr std::string_view kMonths = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
  static constexpr std::string_view kNumbers = "010203040506070809101112";
  if (field.size() != 3) return "00";
  const auto key = [](std::string_view three) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(three[0])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(three[1])) << 8 |
           static_cast<unsigned char>(three[2]);
  };
  const std::uint32_t wanted = key(field);
  for (std::size_t m = 0; m < 12; ++m) {
    if (key(kMonths.substr(m * 3, 3)) == wanted) return kNumbers.substr(m * 2, 2);
  }
  return "00";
}

bool takenByFilter(const std::u16string& display, const std::u16string& filter) {
  return filter.empty() || filter == u"*" || display.find(filter) != std::u16string::npos;
}

constexpr std::size_t kMonthsRemembered = 16;

}  // namespace

namespace {

template <class Char>
std::basic_string_view<Char> fieldAt(std::basic_string_view<Char> text, std::size_t& pos) {
  // Plain loops: fields are a few characters long, too short for a library
  // search to pay for its call.
  const std::size_t len = text.size();
  while (pos < len && text[pos] == Char(' ')) ++pos;
  if (pos + 1 >= len) return {};
  std::size_t end = pos + 1;
  while (end < len && text[end] != Char(' ')) ++end;
  const std::basic_string_view<Char> field = text.substr(pos, end - pos);
  for (std::size_t next = end + 1; next <= end + kFieldBlankLimit; ++next) {
    if (next >= len || text[next] != Char(' ')) {
      pos = next;
      return field;
    }
  }
  return field;
}

}  // namespace

std::u16string_view nextField(std::u16string_view text, std::size_t& pos) {
  return fieldAt(text, pos);
}

std::string_view nextField(std::string_view text, std::size_t& pos) {
  return fieldAt(text, pos);
}

std::u16string phasedTocName(int pane) {
  return std::u16string(1, static_cast<char16_t>(u'0' + pane)) + u"phased-TOC.TXT";
}

ListingLineParser::ListingLineParser(const Class2200& cls2200, std::int16_t mdirMode,
                                     const platform::DateTime& now)
    : cls2200_(cls2200),
      mdir_(mdirMode != 0),
      currentMonth_(twoDigits(now.month)),
      thisYear_(fourDigits(now.year)),
      lastYear_(fourDigits(now.year - 1)),
      currentMonthBytes_(narrow(currentMonth_)),
      thisYearBytes_(fourDigitBytes(now.year)),
      lastYearBytes_(fourDigitBytes(now.year - 1)) {}

const std::u16string& ListingLineParser::monthNumber(std::u16string_view monthField) const {
  // A listing uses a dozen month texts over and over.
  for (const auto& [field, number] : months_) {
    if (field == monthField) return number;
  }
  std::u16string field(monthField);
  std::u16string number = cls2200_.month_string_edit(field);
  if (months_.size() >= kMonthsRemembered) months_.clear();
  months_.emplace_back(std::move(field), std::move(number));
  return months_.back().second;
}

void ListingLineParser::dateText(std::u16string_view monthField, std::u16string_view dayField,
                                 std::u16string_view timeField, std::u16string& text) const {
  const std::u16string& month = monthNumber(monthField);
  const auto colon = timeField.find(u':');
  if (colon == std::u16string_view::npos) {
    // An element older than about half a year shows its year instead of a time.
    text += timeField;
  } else {
    // The listing leaves the year out for the last twelve months, so a month
    // after the current one is last year's. An unknown month ("00") never is.
    text += month > currentMonth_ ? lastYear_ : thisYear_;
  }
  text += u'/';
  text += month;
  text += u'/';
  if (dayField.size() == 1) text += u'0';
  text += dayField;
  if (colon != std::u16string_view::npos) {
    text += u"  ";
    if (colon == 2) {
      text += mid(timeField, 1, 2);
      text += u':';
      text += mid(timeField, 4, 2);
    } else {
      text += u'0';
      text += mid(timeField, 1, 1);
      text += u':';
      text += mid(timeField, 3, 2);
    }
  }
  text += u' ';
}

bool ListingLineParser::parse(const std::u16string& line, const std::u16string& filter,
                              ListingRow& row) const {
  std::u16string& text = line_;
  text.assign(trimmed(std::u16string_view(line)));
  // Text positions are 16-bit: a longer line cannot be a listing line.
  if (text.empty() || text.size() >= kLongestLine) return false;
  for (char16_t& c : text) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  // A one-character field that ends the text is not read as a field.
  text += u' ';

  std::u16string_view element;
  row.date.clear();
  if (mdir_) {
    std::size_t pos = 0;
    std::u16string_view fields[8];
    for (auto& field : fields) field = nextField(text, pos);
    dateText(fields[4], fields[5], fields[6], row.date);
    element = trimmed(fields[7]);
  } else {
    element = trimmed(std::u16string_view(text));
  }

  std::u16string& type = type_;
  element_.assign(element);
  std::u16string display = cls2200_.U2200ElementName_to_PcName(u"DSP", element_, type);
  if (!takenByFilter(display, filter)) return false;
  // A name that is no 2200 element name, or one whose PC file could land
  // outside its folder, never reaches the list or the phased file.
  if (!display.empty() && !naming::isReceivableElement(display)) {
    ++refusedRows_;
    return false;
  }

  // The "TXT." form differs from the display form only in its first "/",
  // which becomes "."; one conversion serves both.
  std::u16string& phased = row.phased;
  phased.assign(display);
  if (const auto slash = phased.find(u'/'); slash != std::u16string::npos) phased[slash] = u'.';
  if (type != u"SYM") {
    display += u'(';
    display += type;
    display += u')';
  }
  phased += u' ';
  phased += display;
  if (mdir_) {
    phased += u' ';
    phased += row.date;
    phased += u' ';
  }
  row.display = std::move(display);
  return true;
}

// The same text as the other dateText, from an upper-case ASCII line.
char* ListingLineParser::dateText(std::string_view monthField, std::string_view dayField,
                                  std::string_view timeField, char* to) const {
  const auto put = [&to](std::string_view bytes) {
    std::memcpy(to, bytes.data(), bytes.size());
    to += bytes.size();
  };
  const std::string_view month = monthNumberBytes(monthField);
  const auto colon = findInShort(timeField, ':');
  if (colon == std::string_view::npos) {
    put(timeField);
  } else {
    put(month > std::string_view(currentMonthBytes_) ? lastYearBytes_ : thisYearBytes_);
  }
  *to++ = '/';
  put(month);
  *to++ = '/';
  if (dayField.size() == 1) *to++ = '0';
  put(dayField);
  if (colon != std::string_view::npos) {
    *to++ = ' ';
    *to++ = ' ';
    if (colon == 2) {
      put(midBytes(timeField, 1, 2));
      *to++ = ':';
      put(midBytes(timeField, 4, 2));
    } else {
      *to++ = '0';
      put(midBytes(timeField, 1, 1));
      *to++ = ':';
      put(midBytes(timeField, 3, 2));
    }
  }
  *to++ = ' ';
  return to;
}

bool quickDisplayName(std::string_view ftpName, std::string& display, std::string_view& type) {
  // NAME_TYPE with the only "_" four from the end and something before it.
  const std::size_t size = ftpName.size();
  if (size < 5 || ftpName[size - 4] != '_') return false;
  const std::string_view word = ftpName.substr(size - 3);
  if (word == "SYM") {
    type = "SYM";
  } else if (word == "ABS") {
    type = "ABS";
  } else if (word == "REL") {
    type = "REL";
  } else if (word == "OMN") {
    type = "OMN";
  } else {
    return false;
  }
  std::string_view name = ftpName.substr(0, size - 4);
  for (const char c : name) {
    if (c == '_' || static_cast<unsigned char>(c) >= 0x80) return false;
  }
  // An empty version leaves a "." at the end, which goes; otherwise the
  // first "." parts element and version.
  if (name.back() == '.') {
    display.assign(trimmedBytes(name.substr(0, name.size() - 1)));
    return true;
  }
  display.assign(trimmedBytes(name));
  if (const auto dot = findInShort(display, '.'); dot != std::string::npos) display[dot] = '/';
  return true;
}

// The filter as each kind of line needs it.
struct ListingLineParser::Filter {
  explicit Filter(const std::u16string& filter)
      : all(filter.empty() || filter == u"*"), text(filter), ascii(isAscii(filter)) {
    if (ascii) bytes = narrow(filter);
  }
  bool all;
  const std::u16string& text;
  bool ascii;
  std::string bytes;
};

void ListingLineParser::parseListing(std::string_view bytes, const std::u16string& filter,
                                     ListingResult& result) const {
  const Filter wanted(filter);
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    // CR LF and a lone LF end a line alike.
    if (end > start && bytes[end - 1] == '\r' && end < bytes.size()) --end;
    parseLine(bytes.substr(start, end - start), wanted, result);
    start = next;
  }
}

// A line with characters beyond ASCII takes the general way: decoded, read
// as text, and its phased line encoded strictly.
void ListingLineParser::parseDecodedLine(std::string_view line, const Filter& filter,
                                         ListingResult& result) const {
  if (!parse(platform::fromCp932(std::string(line)), filter.text, row_)) return;
  result.names.append(row_.display);
  if (mdir_) result.dates.append(row_.date);
  if (!result.unwritable.empty()) return;
  try {
    result.phased += platform::toCp932(row_.phased);
    result.phased += "\r\n";
  } catch (const platform::EncodingError& e) {
    result.unwritable = e.what();
  }
}

void ListingLineParser::parseLine(std::string_view line, const Filter& filter,
                                  ListingResult& result) const {
  const std::string_view trimmedLine = trimmedBytes(line);
  if (trimmedLine.empty()) return;
  if (!isAsciiBytes(trimmedLine)) return parseDecodedLine(line, filter, result);
  // Text positions are 16-bit: a longer line cannot be a listing line.
  if (trimmedLine.size() >= kLongestLine) return;

  // Only the fields that are used are upper-cased, into text_, which keeps
  // its storage from line to line.
  std::string_view element;
  std::string_view month;
  std::string_view day;
  std::string_view time;
  if (mdir_) {
    std::string_view fields[4];
    listedFields(trimmedLine, fields);
    std::size_t length = 0;
    for (const auto& field : fields) length += field.size();
    if (text_.size() < length) text_.resize(length);
    char* to = text_.data();
    for (auto& field : fields) {
      upperInto(field, to);
      field = std::string_view(to, field.size());
      to += field.size();
    }
    month = fields[0];
    day = fields[1];
    time = fields[2];
    element = fields[3];
  } else {
    if (text_.size() < trimmedLine.size()) text_.resize(trimmedLine.size());
    upperInto(trimmedLine, text_.data());
    element = std::string_view(text_.data(), trimmedLine.size());
  }

  std::string_view type;
  if (!quickDisplayName(element, display_, type)) {
    // The general conversion keeps ASCII names ASCII.
    std::u16string generalType;
    element_.assign(element.begin(), element.end());
    display_ = narrow(cls2200_.U2200ElementName_to_PcName(u"DSP", element_, generalType));
    type_.assign(generalType);
    type = std::string_view();
  }
  if (!filter.all && (!filter.ascii || display_.find(filter.bytes) == std::string::npos)) {
    return;
  }
  // A name that is no 2200 element name, or one whose PC file could land
  // outside its folder, never reaches the list or the phased file.
  if (!display_.empty() && !naming::isReceivableElement(std::string_view(display_))) {
    ++refusedRows_;
    return;
  }

  const std::string_view typeWord =
      type.empty() ? std::string_view(typeBytes_ = narrow(type_)) : type;
  // The line is put together in out_ and appended in one piece; the date
  // text is written once and copied from there into the date list.
  const std::size_t longest = 2 * display_.size() + typeWord.size() + day.size() + time.size() + 32;
  if (out_.size() < longest) out_.resize(longest);
  char* const first = out_.data();
  char* to = first;
  const auto put = [&to](std::string_view bytes) {
    std::memcpy(to, bytes.data(), bytes.size());
    to += bytes.size();
  };
  // The text name, the "TXT." form, differs from the display form only in
  // its first "/", which becomes ".".
  put(display_);
  if (const auto slash = findInShort(display_, '/'); slash != std::string::npos) first[slash] = '.';
  *to++ = ' ';
  const char* const row = to;
  put(display_);
  if (typeWord != "SYM") {
    *to++ = '(';
    put(typeWord);
    *to++ = ')';
  }
  result.names.appendAscii(std::string_view(row, static_cast<std::size_t>(to - row)));
  if (mdir_) {
    *to++ = ' ';
    const char* const date = to;
    to = dateText(month, day, time, to);
    result.dates.appendAscii(std::string_view(date, static_cast<std::size_t>(to - date)));
    *to++ = ' ';
  }
  *to++ = '\r';
  *to++ = '\n';
  result.phased.append(first, static_cast<std::size_t>(to - first));
}

std::u16string parse_toc_listing(MainForm& form, const std::u16string& folder,
                                 const std::u16string& fileName, int i,
                                 const std::u16string& filter) {
  Module_pub& pub = form.pub;
  forms::ElementTable& rows = *form.elementTable[pane(i)];
  pub.listingQualFile.clear();
  pub.phasedTocPath = platform::joinPath(form.FOLDER_NAME(u"WK", u""), phasedTocName(i));

  std::string bytes;
  try {
    bytes = platform::readBinaryFile(platform::joinPath(folder, fileName));
  } catch (const platform::FileError&) {
    rows.assign({}, {});
    // What the bulk receive reads must not outlive the listing it came from.
    platform::writeBinaryFile(pub.phasedTocPath, {});
    throw;
  }

  const bool mdir = form.mdirMode != 0;
  const ListingLineParser parser(form.cls2200, form.mdirMode, form.desktop.now());
  ListingResult result;
  const std::size_t lines = countLineFeeds(bytes) + 1;
  result.names.reserve(lines, lines * 12);
  if (mdir) result.dates.reserve(lines, lines * 18);
  result.phased.reserve(bytes.size() * 3 / 4);
  parser.parseListing(bytes, filter, result);
  // Both lists change in one step.
  rows.assign(std::move(result.names), std::move(result.dates));

  if (parser.refusedRows() > 0) {
    form.desktop.msgBox(kUnsafeListingRowsMessage +
                        platform::fromUtf8(std::to_string(parser.refusedRows())));
  }
  try {
    if (!result.unwritable.empty()) {
      throw platform::EncodingError(platform::toUtf8(pub.phasedTocPath) + ": " + result.unwritable);
    }
    platform::writeBinaryFile(pub.phasedTocPath, result.phased);
  } catch (const platform::FileError& e) {
    form.desktop.msgBox(kPhasedTocWriteFailedMessage + platform::fromUtf8(e.what()));
    // Better no phased lines than those of an earlier listing.
    try {
      platform::writeBinaryFile(pub.phasedTocPath, {});
    } catch (const platform::FileError&) {
    }
  }
  return u"";
}

}  // namespace morvanta::catalogue
