// toc: the element list of a program file, as text or as a JSON array.

#include <nlohmann/json.hpp>

#include "app/MainForm.h"
#include "catalogue/TocRequest.h"
#include "cli/Commands.h"
#include "cli/Session.h"
#include "platform/Platform.h"

namespace morvanta::cli {

namespace {

struct TocEntry {
  std::u16string name;  // display form, e.g. MAIN/R1
  std::u16string type;  // SYM, ABS, REL or OMN
  std::u16string date;  // yyyy/mm/dd, "" without dates
  std::u16string time;  // hh:mm, "" without dates or for a year-only entry
};

// "LIB(REL)" is LIB of type REL; a row without parentheses is symbolic.
void splitType(const std::u16string& row, TocEntry& entry) {
  const auto open = row.find(u'(');
  if (open == std::u16string::npos || row.back() != u')') {
    entry.name = row;
    entry.type = u"SYM";
    return;
  }
  entry.name = row.substr(0, open);
  entry.type = row.substr(open + 1, row.size() - open - 2);
}

// "2003/01/05  09:07 " or "2001/12/24 ".
void splitDate(const std::u16string& text, TocEntry& entry) {
  std::vector<std::u16string> words;
  std::size_t at = 0;
  while (at < text.size()) {
    const auto begin = text.find_first_not_of(u' ', at);
    if (begin == std::u16string::npos) break;
    const auto end = text.find(u' ', begin);
    words.push_back(text.substr(begin, end == std::u16string::npos ? end : end - begin));
    at = end == std::u16string::npos ? text.size() : end;
  }
  if (!words.empty()) entry.date = words[0];
  if (words.size() > 1) entry.time = words[1];
}

std::vector<TocEntry> listedEntries(MainForm& form) {
  const forms::ListBox& names = *form.List_elt[0];
  const forms::ListBox& dates = *form.List_date[0];
  std::vector<TocEntry> entries;
  for (int row = 0; row < names.count(); ++row) {
    TocEntry entry;
    splitType(names.item(row), entry);
    if (row < dates.count()) splitDate(dates.item(row), entry);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string u8(const std::u16string& text) {
  return platform::toUtf8(text);
}

nlohmann::ordered_json orNull(const std::u16string& text, const std::string& value) {
  return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(value);
}

std::string isoDate(const std::u16string& date) {
  std::string text = u8(date);
  for (char& c : text) {
    if (c == '/') c = '-';
  }
  return text;
}

void printJson(std::ostream& out, const std::vector<TocEntry>& entries) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const TocEntry& entry : entries) {
    list.push_back({{"name", u8(entry.name)},
                    {"type", u8(entry.type)},
                    {"date", orNull(entry.date, isoDate(entry.date))},
                    {"time", orNull(entry.time, u8(entry.time))}});
  }
  out << list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void printText(std::ostream& out, const std::vector<TocEntry>& entries) {
  for (const TocEntry& entry : entries) {
    std::string line = u8(entry.name);
    if (entry.type != u"SYM") line += "(" + u8(entry.type) + ")";
    if (!entry.date.empty()) line += " " + u8(entry.date);
    if (!entry.time.empty()) line += " " + u8(entry.time);
    out << line << "\n";
  }
}

}  // namespace

int fetchToc(Session& session, const CliOptions& options, const std::u16string& file,
             bool withDates) {
  MainForm& form = session.form();
  session.desktop().beginStep();
  if (form.Check_mdir->checked() != withDates) {
    form.Check_mdir->setChecked(withDates);
    form.Check_mdir_Click();
  }
  form.Combo_host[0]->setText(session.hostName(options));
  form.Text_2200file[0]->setText(file);
  form.Command_toc_Click(0);
  if (const int status = session.jobOutcome(); status != kExitDone) return status;
  // The job has ended, so the first tick finds the listing; the poll's own
  // limit bounds the loop should it not.
  const std::size_t before = session.desktop().messages().size();
  for (int tick = 0; tick <= catalogue::kPollTickLimit && form.Timer1[0]->enabled(); ++tick) {
    form.Timer1_Timer(0);
  }
  return session.desktop().messages().size() == before ? kExitDone : kExitFailed;
}

int runToc(Session& session, const CliOptions& options) {
  if (const int status = fetchToc(session, options, options.operands[0], !options.mls);
      status != kExitDone) {
    return status;
  }
  const std::vector<TocEntry> entries = listedEntries(session.form());
  if (options.json) {
    printJson(session.out(), entries);
  } else {
    printText(session.out(), entries);
  }
  return kExitDone;
}

}  // namespace morvanta::cli
