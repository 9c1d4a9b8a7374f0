#include "catalogue/TocListing.h"

#include <string_view>
#include <vector>

#include "app/MainForm.h"
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

std::u16string_view trimmed(std::u16string_view text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// Past this a line's positions no longer fit the text toolkit's 16-bit ones.
constexpr std::size_t kLongestLine = 32767;

std::u16string twoDigits(int value) {
  return {static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

std::u16string fourDigits(int value) {
  std::u16string digits = platform::fromUtf8(std::to_string(value));
  while (digits.size() < 4) digits.insert(digits.begin(), u'0');
  return digits;
}

bool takenByFilter(const std::u16string& display, const std::u16string& filter) {
  return filter.empty() || filter == u"*" || display.find(filter) != std::u16string::npos;
}

constexpr std::size_t kMonthsRemembered = 16;

// How far a field's reader looks past the field for the next one.
constexpr std::size_t kFieldBlankLimit = 100;

}  // namespace

std::u16string_view nextField(std::u16string_view text, std::size_t& pos) {
  const std::size_t len = text.size();
  while (pos < len && text[pos] == u' ') ++pos;
  if (pos + 1 >= len) return {};
  const std::size_t blank = text.find(u' ', pos);
  const std::size_t end = blank == std::u16string_view::npos ? len : blank;
  const std::u16string_view field = text.substr(pos, end - pos);
  for (std::size_t next = end + 1; next <= end + kFieldBlankLimit; ++next) {
    if (next >= len || text[next] != u' ') {
      pos = next;
      return field;
    }
  }
  return field;
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
      lastYear_(fourDigits(now.year - 1)) {}

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
  text.assign(trimmed(line));
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
    element = trimmed(text);
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

std::u16string parse_toc_listing(MainForm& form, const std::u16string& folder,
                                 const std::u16string& fileName, int i,
                                 const std::u16string& filter) {
  Module_pub& pub = form.pub;
  forms::ListBox& elements = *form.List_elt[static_cast<std::size_t>(i)];
  forms::ListBox& dates = *form.List_date[static_cast<std::size_t>(i)];
  pub.listingQualFile.clear();
  elements.clear();
  dates.clear();
  pub.phasedTocPath = platform::joinPath(form.FOLDER_NAME(u"WK", u""), phasedTocName(i));

  std::vector<std::u16string> lines;
  try {
    lines = platform::readTextLines(platform::joinPath(folder, fileName));
  } catch (const platform::FileError&) {
    // What the bulk receive reads must not outlive the listing it came from.
    platform::writeTextLines(pub.phasedTocPath, {});
    throw;
  }

  const bool mdir = form.mdirMode != 0;
  const ListingLineParser parser(form.cls2200, form.mdirMode, form.desktop.now());
  // The phased file is built as one text and written in one go.
  std::u16string phased;
  phased.reserve(lines.size() * 48);
  std::size_t taken = 0;
  ListingRow row;
  for (const std::u16string& line : lines) {
    if (!parser.parse(line, filter, row)) continue;
    elements.addItem(row.display);
    if (mdir) dates.addItem(row.date);
    if (taken++ > 0) phased += u"\r\n";
    phased += row.phased;
  }

  if (parser.refusedRows() > 0) {
    form.desktop.msgBox(kUnsafeListingRowsMessage +
                        platform::fromUtf8(std::to_string(parser.refusedRows())));
  }
  std::vector<std::u16string> content;
  if (taken > 0) content.push_back(std::move(phased));
  try {
    platform::writeTextLines(pub.phasedTocPath, content);
  } catch (const platform::FileError& e) {
    form.desktop.msgBox(kPhasedTocWriteFailedMessage + platform::fromUtf8(e.what()));
    // Better no phased lines than those of an earlier listing.
    try {
      platform::writeTextLines(pub.phasedTocPath, {});
    } catch (const platform::FileError&) {
    }
  }
  return u"";
}

}  // namespace morvanta::catalogue
