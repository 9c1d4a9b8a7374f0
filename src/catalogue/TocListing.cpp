#include "catalogue/TocListing.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <future>
#include <iterator>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "app/MainForm.h"
#include "catalogue/ListingFields.h"
#include "platform/Platform.h"
#include "platform/WorkerThread.h"
#include "text/TextRules.h"
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

// Copies of a few bytes: plain loops, as a library call costs more than
// the copy.
char* put(char* to, std::string_view bytes) {
  for (const char c : bytes) *to++ = c;
  return to;
}

// The copy with ASCII letters upper-cased.
char* putUpper(char* to, std::string_view bytes) {
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    *to++ = static_cast<char>(static_cast<unsigned char>(u - 'a') < 26 ? u - ('a' - 'A') : u);
  }
  return to;
}

// A receivable display name (two 12-character parts and "/") is at most
// kLongestDisplay bytes; it is copied as kDisplayRoom.
constexpr std::size_t kLongestDisplay = 25;
constexpr std::size_t kDisplayRoom = naming::kDisplayNameRoom;
static_assert(kLongestDisplay < kDisplayRoom);

// A quick line, with the day and time of their usual lengths.
constexpr std::size_t kQuickLineRoom = 2 * kDisplayRoom + 48;

// How far the rows' bytes may be read past their end: the widening reads
// and writes sixteen characters a step.
constexpr std::size_t kWideningSlack = 16;

// ASCII bytes, with kWideningSlack readable bytes after `last`, as a row of
// the column.
void appendWidened(forms::TextColumn& column, const char* first, const char* last) {
  const auto count = static_cast<std::size_t>(last - first);
  char16_t* to = column.beginRow(count + kWideningSlack);
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (std::size_t i = 0; i < count; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i + 8), _mm_unpackhi_epi8(bytes, zero));
  }
#else
  for (std::size_t i = 0; i < count; ++i) to[i] = static_cast<unsigned char>(first[i]);
#endif
  column.endRow(to + count);
}

// Where the first "." and the first "/" of a name lie (npos for none).
struct Parting {
  std::size_t dot = std::string_view::npos;
  std::size_t slash = std::string_view::npos;
};

// The first `size` bytes at `from` (at most kLongestDisplay) upper-cased
// into `name`, and where among them its parting characters lie. When a
// whole kDisplayRoom can be read at `from`, sixteen bytes are done a step
// and the bytes after `size` up to the step's end are copied too.
Parting upperCopyFindingParting(const char* from, std::size_t size, const char* readableEnd,
                                char (&name)[kDisplayRoom]) {
#if defined(__SSE2__)
  if (readableEnd - from >= static_cast<std::ptrdiff_t>(kDisplayRoom)) {
    // A lower-case letter, moved to the lowest signed bytes, is one signed
    // comparison.
    const __m128i moveLetters = _mm_set1_epi8(static_cast<char>(0x80 - 'a'));
    const __m128i belowLetters = _mm_set1_epi8(static_cast<char>(-128 + 26));
    std::uint32_t dots = 0;
    std::uint32_t slashes = 0;
    for (std::size_t at = 0; at < size; at += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + at));
      const __m128i lower = _mm_cmplt_epi8(_mm_add_epi8(bytes, moveLetters), belowLetters);
      const __m128i upper = _mm_sub_epi8(bytes, _mm_and_si128(lower, _mm_set1_epi8(0x20)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(name + at), upper);
      dots |=
          static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'))))
          << at;
      slashes |=
          static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('/'))))
          << at;
    }
    const std::uint32_t inName = (std::uint32_t{1} << size) - 1;
    const auto first = [&](std::uint32_t bits) {
      bits &= inName;
      return bits == 0 ? std::string_view::npos : static_cast<std::size_t>(std::countr_zero(bits));
    };
    return {first(dots), first(slashes)};
  }
#endif
  std::fill(std::begin(name), std::end(name), '\0');
  putUpper(name, std::string_view(from, size));
  return {findInShort(std::string_view(name, size), '.'),
          findInShort(std::string_view(name, size), '/')};
}

// Eight bytes at `from` as one word, their ASCII letters upper-cased; and
// the word written back as bytes. A byte's order in the word is the
// machine's, so only arithmetic that keeps bytes apart is done on it.
std::uint64_t upperWord(const char* from) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  std::uint64_t word;
  std::memcpy(&word, from, sizeof word);
  const std::uint64_t low7 = word & kLow7;
  // The high bit of each byte: at least 'a', and above 'z', without a carry
  // between bytes.
  const std::uint64_t fromA = low7 + 0x1F1F1F1F1F1F1F1FULL;
  const std::uint64_t pastZ = low7 + 0x0505050505050505ULL;
  const std::uint64_t lower = fromA & ~pastZ & ~word & kHigh;
  return word ^ (lower >> 2);
}

char* putWord(char* to, std::uint64_t word, std::size_t count) {
  std::memcpy(to, &word, sizeof word);
  return to + count;
}

// Three bytes as one number, compared with upper-case words in either
// case: a letter's byte with bit 5 cleared is its upper case, and only its
// two cases give that byte.
constexpr std::uint32_t wordKey(std::string_view three) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(three[0])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(three[1])) << 8 |
         static_cast<unsigned char>(three[2]);
}

std::uint32_t anyCaseKey(std::string_view three) {
  return wordKey(three) & 0xDFDFDFu;
}

// The element type word at the end of an FTP name, in either case; empty
// for any other word.
std::string_view typeWordOf(std::string_view word) {
  static constexpr std::string_view kTypes[] = {"SYM", "ABS", "REL", "OMN"};
  const std::uint32_t wanted = anyCaseKey(word);
  // Compared with all four at once: the types of a listing come in no
  // order a branch could guess.
  const unsigned which = static_cast<unsigned>(wordKey(kTypes[0]) == wanted) |
                         static_cast<unsigned>(wordKey(kTypes[1]) == wanted) << 1 |
                         static_cast<unsigned>(wordKey(kTypes[2]) == wanted) << 2 |
                         static_cast<unsigned>(wordKey(kTypes[3]) == wanted) << 3;
  if (which == 0) return {};
  return kTypes[std::countr_zero(which)];
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

constexpr std::string_view kMonthWords[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                            "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// Where a month's word lies in a table of sixteen: a multiplication that
// gives the twelve words twelve places, so a month costs one look and no
// search (the months of a listing come in no order a branch could guess).
constexpr std::uint32_t monthSlot(std::uint32_t key) {
  return (key * 0xAA4DA823u) >> 28;
}

struct MonthSlots {
  std::uint32_t keys[16] = {};
  int numbers[16] = {};
};

constexpr MonthSlots kMonthSlots = [] {
  MonthSlots slots;
  for (int m = 0; m < 12; ++m) {
    const std::uint32_t key = wordKey(kMonthWords[m]);
    slots.keys[monthSlot(key)] = key;
    slots.numbers[monthSlot(key)] = m + 1;
  }
  return slots;
}();

static_assert(
    [] {
      for (int m = 0; m < 12; ++m) {
        if (kMonthSlots.numbers[monthSlot(wordKey(kMonthWords[m]))] != m + 1) return false;
      }
      return true;
    }(),
    "two months share a slot");

// The month's number, 1 to 12, for the month texts as
// Class2200::month_string_edit knows them, in either case; 0 for any other
// text.
int monthOf(std::string_view field) {
  if (field.size() != 3) return 0;
  const std::uint32_t wanted = anyCaseKey(field);
  const std::uint32_t slot = monthSlot(wanted);
  return kMonthSlots.keys[slot] == wanted ? kMonthSlots.numbers[slot] : 0;
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
      currentMonthNumber_(now.month),
      thisYearBytes_(fourDigitBytes(now.year)),
      lastYearBytes_(fourDigitBytes(now.year - 1)),
      fourDigitYears_(thisYearBytes_.size() == 4 && lastYearBytes_.size() == 4),
      secondCore_(std::thread::hardware_concurrency() > 1) {
  for (int month = 0; month <= 12; ++month) {
    const std::string digits = {static_cast<char>('0' + month / 10),
                                static_cast<char>('0' + month % 10)};
    const std::string slashed = "/" + digits + "/";
    std::memcpy(&monthWords_[month], slashed.data(), sizeof monthWords_[month]);
    if (!fourDigitYears_) continue;
    const std::string dated =
        (month > currentMonthNumber_ ? lastYearBytes_ : thisYearBytes_) + slashed;
    std::memcpy(&yearMonthWords_[month], dated.data(), sizeof yearMonthWords_[month]);
  }
}

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
  text = text::upperAscii(std::move(text));
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

// The same text as the other dateText, from an ASCII line's fields as they
// stand: letters are upper-cased as they are copied.
char* ListingLineParser::dateText(const ListedLine& listed, char* to) const {
  const std::string_view dayField = listed.day;
  const std::string_view timeField = listed.time;
  const int month = monthOf(listed.month);
  const auto colon = findInShort(timeField, ':');
  // The usual day and time, "7" or "17" and "9:05" or "19:05" or a year,
  // are copied as words.
  const auto readable = [&](std::string_view field) {
    return !field.empty() && listed.readableEnd - field.data() >= 8;
  };
  if (std::endian::native == std::endian::little && fourDigitYears_ && dayField.size() <= 2 &&
      timeField.size() <= 5 && (colon == 1 || colon == 2 || colon == std::string_view::npos) &&
      readable(dayField) && readable(timeField)) {
    return wordDateText(month, colon, dayField, timeField, to);
  }
  if (colon == std::string_view::npos) {
    to = putUpper(to, timeField);
  } else {
    to = put(to, month > currentMonthNumber_ ? lastYearBytes_ : thisYearBytes_);
  }
  *to++ = '/';
  *to++ = static_cast<char>('0' + month / 10);
  *to++ = static_cast<char>('0' + month % 10);
  *to++ = '/';
  if (dayField.size() == 1) *to++ = '0';
  to = putUpper(to, dayField);
  if (colon != std::string_view::npos) {
    *to++ = ' ';
    *to++ = ' ';
    if (colon == 2) {
      to = putUpper(to, midBytes(timeField, 1, 2));
      *to++ = ':';
      to = putUpper(to, midBytes(timeField, 4, 2));
    } else {
      *to++ = '0';
      to = putUpper(to, midBytes(timeField, 1, 1));
      *to++ = ':';
      to = putUpper(to, midBytes(timeField, 3, 2));
    }
  }
  *to++ = ' ';
  return to;
}

// The date text of a day of one or two bytes and a time of at most five
// with its ":" second or third (or none), each with eight bytes readable:
// "HH:MM" is the time's bytes as they stand, "H:MM" follows a "0", and a
// year is copied whole.
char* ListingLineParser::wordDateText(int month, std::size_t colon, std::string_view dayField,
                                      std::string_view timeField, char* to) const {
  const std::uint64_t time = upperWord(timeField.data());
  if (colon == std::string_view::npos) {
    to = putWord(to, time, timeField.size());
    std::memcpy(to, &monthWords_[month], sizeof monthWords_[month]);
    to += sizeof monthWords_[month];
  } else {
    to = putWord(to, yearMonthWords_[month], sizeof yearMonthWords_[month]);
  }
  const std::uint64_t day = upperWord(dayField.data());
  to = dayField.size() == 1 ? putWord(to, '0' | day << 8, 2) : putWord(to, day, 2);
  if (colon != std::string_view::npos) {
    *to++ = ' ';
    *to++ = ' ';
    to = colon == 2 ? putWord(to, time, timeField.size())
                    : putWord(to, '0' | time << 8, 1 + std::min<std::size_t>(timeField.size(), 4));
  }
  *to++ = ' ';
  return to;
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

namespace {

// Below this a listing is read by one thread: starting a second and joining
// the halves would cost about what it saves.
constexpr std::size_t kSplitBytes = 128 * 1024;

// Where the second half of `bytes` starts: after the line feed nearest
// past the middle, or at the end when there is none.
std::size_t halfwayLine(std::string_view bytes) {
  const std::size_t feed = bytes.find('\n', bytes.size() / 2);
  return feed == std::string_view::npos ? bytes.size() : feed + 1;
}

}  // namespace

void ListingLineParser::parseListing(std::string_view bytes, const std::u16string& filter,
                                     ListingResult& result) const {
  const Filter wanted(filter);
  const std::size_t split =
      secondCore_ && bytes.size() >= kSplitBytes ? halfwayLine(bytes) : bytes.size();
  if (split < bytes.size()) {
    parseHalves(bytes, split, wanted, result);
  } else {
    parseLines(bytes, wanted, result);
  }
}

void ListingLineParser::parseLines(std::string_view bytes, const Filter& filter,
                                   ListingResult& result) const {
  // Most listings are ASCII throughout: then no line needs its own look.
  const bool ascii = isAsciiBytes(bytes);
  forEachLine(bytes, [&](std::string_view line) { parseLine(line, bytes, ascii, filter, result); });
}

struct ListingLineParser::SecondHalf {
  explicit SecondHalf(const ListingLineParser& first) : parser(first) {}
  ListingLineParser parser;
  ListingResult rows;
  platform::WorkerThread thread;  // last: it ends before the rest goes
};

namespace {

// Work handed to another thread, waited for before what it uses goes, also
// when the caller fails meanwhile.
class Awaited {
 public:
  explicit Awaited(std::future<void> done) : done_(std::move(done)) {}
  ~Awaited() {
    if (done_.valid()) done_.wait();
  }
  Awaited(const Awaited&) = delete;
  Awaited& operator=(const Awaited&) = delete;
  // Waits, and rethrows what the work threw.
  void get() { done_.get(); }

 private:
  std::future<void> done_;
};

}  // namespace

// The rows of the second half go after those of the first, as if one thread
// had read them all; so do its refused rows and an unwritable row.
void ListingLineParser::parseHalves(std::string_view bytes, std::size_t split, const Filter& filter,
                                    ListingResult& result) const {
  if (!secondHalf_) secondHalf_ = std::make_shared<SecondHalf>(*this);
  SecondHalf& second = *secondHalf_;
  second.parser.refusedRows_ = 0;
  second.rows.names.clear();
  second.rows.dates.clear();
  second.rows.phased.clear();
  second.rows.unwritable.clear();
  {
    Awaited secondParsed(second.thread.run(
        [&] { second.parser.parseLines(bytes.substr(split), filter, second.rows); }));
    parseLines(bytes.substr(0, split), filter, result);
    secondParsed.get();
  }
  // The halves are joined on both threads: the phased bytes there, the
  // list rows here.
  const bool phasedFollows = result.unwritable.empty();
  Awaited phasedJoined(second.thread.run([&] {
    if (phasedFollows) result.phased.append(second.rows.phased.view());
  }));
  result.names.append(second.rows.names);
  result.dates.append(second.rows.dates);
  phasedJoined.get();
  if (phasedFollows) result.unwritable = second.rows.unwritable;
  refusedRows_ += second.parser.refusedRows_;
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
    result.phased.append(platform::toCp932(row_.phased) + "\r\n");
  } catch (const platform::EncodingError& e) {
    result.unwritable = e.what();
  }
}

void ListingLineParser::parseLine(std::string_view line, std::string_view bytes, bool knownAscii,
                                  const Filter& filter, ListingResult& result) const {
  const std::string_view trimmedLine = trimmedBytes(line);
  if (trimmedLine.empty()) return;
  if (!knownAscii && !isAsciiBytes(trimmedLine)) return parseDecodedLine(line, filter, result);
  // Text positions are 16-bit: a longer line cannot be a listing line.
  if (trimmedLine.size() >= kLongestLine) return;

  const char* const readableEnd = bytes.data() + bytes.size();
  ListedLine listed;
  if (mdir_) {
    std::string_view fields[4];
    listedFields(trimmedLine, readableEnd, fields);
    listed = {fields[0], fields[1], fields[2], fields[3]};
  } else {
    listed.element = trimmedLine;
  }
  listed.readableEnd = readableEnd;
  if (!quickRow(listed, filter, result)) generalRow(listed, filter, result);
}

// The usual row: an FTP name NAME.VER_TYPE, NAME._TYPE or NAME_TYPE that
// makes a receivable element, with a day and time of the usual lengths, in
// either case. It is converted in one pass over its bytes; false leaves the
// line to generalRow, which gives the same for such a line and also reads
// every other one (and counts the refused names).
bool ListingLineParser::quickRow(const ListedLine& listed, const Filter& filter,
                                 ListingResult& result) const {
  const std::string_view element = listed.element;
  const std::size_t size = element.size();
  if (size < 5 || size > kLongestDisplay + 4 || element[size - 4] != '_' || listed.day.size() > 2 ||
      listed.time.size() > 5) {
    return false;
  }
  const std::string_view type = typeWordOf(element.substr(size - 3));
  if (type.empty()) return false;

  char name[kDisplayRoom];
  const std::size_t nameSize = size - 4;
  std::size_t shownSize = nameSize;
  const Parting parting =
      upperCopyFindingParting(element.data(), nameSize, listed.readableEnd, name);
  if (const std::size_t dot = parting.dot; dot != std::string_view::npos) {
    // The first "." parts element and version; an empty version goes.
    name[dot] = '/';
    if (dot + 1 == nameSize) shownSize = dot;
  }
  // The display form's first "/" (a second one makes no element name).
  std::size_t slash = std::min(parting.dot, parting.slash);
  if (slash >= shownSize) slash = std::string_view::npos;
  if (!naming::isReceivableElement(name, shownSize)) return false;
  const std::string_view display(name, shownSize);
  if (!filter.all && (!filter.ascii || display.find(filter.bytes) == std::string_view::npos)) {
    return true;
  }
  writeRow(display, slash, type, listed, kQuickLineRoom, result);
  return true;
}

void ListingLineParser::generalRow(const ListedLine& raw, const Filter& filter,
                                   ListingResult& result) const {
  // The fields are upper-cased into text_, which keeps its storage from
  // line to line.
  std::string_view fields[4] = {raw.month, raw.day, raw.time, raw.element};
  // Eight bytes past the last field keep every field readable as a word.
  std::size_t length = 8;
  for (const auto& field : fields) length += field.size();
  if (text_.size() < length) text_.resize(length);
  char* to = text_.data();
  for (auto& field : fields) {
    putUpper(to, field);
    field = std::string_view(to, field.size());
    to += field.size();
  }
  const ListedLine listed{fields[0], fields[1], fields[2], fields[3], text_.data() + text_.size()};

  // The general conversion keeps ASCII names ASCII.
  element_.assign(listed.element.begin(), listed.element.end());
  display_ = narrow(cls2200_.U2200ElementName_to_PcName(u"DSP", element_, type_));
  typeBytes_ = narrow(type_);
  const std::string_view type = typeBytes_;
  if (!filter.all && (!filter.ascii || display_.find(filter.bytes) == std::string::npos)) {
    return;
  }
  // A name that is no 2200 element name, or one whose PC file could land
  // outside its folder, never reaches the list or the phased file.
  if (!display_.empty() && !naming::isReceivableElement(std::string_view(display_))) {
    ++refusedRows_;
    return;
  }
  const std::size_t longest = kDisplayRoom + display_.size() + type.size() + listed.day.size() +
                              listed.time.size() + 32 + kWideningSlack;
  // Only receivable names, and empty ones, get here.
  if (display_.size() > kLongestDisplay) return;
  char shown[kDisplayRoom];
  std::memcpy(shown, display_.data(), display_.size());
  writeRow(std::string_view(shown, display_.size()), findInShort(display_, '/'), type, listed,
           longest, result);
}

// The phased line is written in place, in room for `room` bytes, and the
// element and date rows are widened from its bytes.
void ListingLineParser::writeRow(std::string_view display, std::size_t slash, std::string_view type,
                                 const ListedLine& listed, std::size_t room,
                                 ListingResult& result) const {
  char* const first = result.phased.room(room);
  // The display name is copied as kDisplayRoom bytes, of which the ones
  // past its end are written over next: one fixed copy costs less than a
  // loop whose end no branch can guess.
  char* to = first;
  std::memcpy(to, display.data(), kDisplayRoom);
  to += display.size();
  // The text name, the "TXT." form, differs from the display form only in
  // its first "/", which becomes ".".
  if (slash != std::string_view::npos) first[slash] = '.';
  *to++ = ' ';
  const char* const row = to;
  std::memcpy(to, display.data(), kDisplayRoom);
  to += display.size();
  // The type is written always and kept unless it is SYM, for the same
  // reason.
  to[0] = '(';
  put(to + 1, type);
  to[type.size() + 1] = ')';
  const bool sym = type.size() == 3 && wordKey(type) == wordKey("SYM");
  to += sym ? 0 : type.size() + 2;
  appendWidened(result.names, row, to);
  if (mdir_) {
    *to++ = ' ';
    const char* const date = to;
    to = dateText(listed, to);
    appendWidened(result.dates, date, to);
    *to++ = ' ';
  }
  *to++ = '\r';
  *to++ = '\n';
  result.phased.commit(to);
}

}  // namespace morvanta::catalogue
