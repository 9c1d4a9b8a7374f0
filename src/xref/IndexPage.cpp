#include "xref/IndexPage.h"

#include <algorithm>
#include <set>

#include "xref/Html.h"

namespace morvanta::xref {

std::map<std::u16string, std::vector<Use>> usedBy(const ProjectDb& db) {
  std::map<std::u16string, std::u16string> definer;  // symbol -> element key
  for (const auto& [key, record] : db.elements) {
    for (const auto& definition : record.definitions) definer.emplace(definition.symbol, key);
  }
  std::map<std::u16string, std::set<std::pair<std::u16string, std::u16string>>> seen;
  std::map<std::u16string, std::vector<Use>> users;
  for (const auto& [key, record] : db.elements) {
    for (const auto& use : record.uses) {
      std::u16string target = use.target;
      if (!use.element) {
        const auto found = definer.find(use.target);
        if (found == definer.end()) continue;
        target = found->second;
      }
      if (target == key || !db.elements.contains(target)) continue;
      if (seen[target].insert({key, use.relation}).second) {
        users[target].push_back({use.relation, key, true});
      }
    }
  }
  return users;
}

std::u16string renderIndex(const ProjectDb& db) {
  const auto users = usedBy(db);
  std::u16string html = pageStart(u"プロジェクト " + db.project, u"style.css");
  html += u"<h1>プロジェクト " + escapeHtml(db.project) + u"</h1>\n";
  std::size_t count = 0;
  std::u16string rows;
  std::u16string file;
  for (const auto& [key, record] : db.elements) {
    if (record.id.file != file) {
      file = record.id.file;
      rows += u"<tr><th colspan=\"5\">" + escapeHtml(file) + u"</th></tr>\n";
    }
    ++count;
    rows += u"<tr><td><a href=\"" + hrefOf(record.page) + u"\">" + escapeHtml(record.id.element) +
            u"</a></td><td>" + kindName(record.kind) + u"</td><td>" + escapeHtml(record.date) +
            u"</td><td>" + escapeHtml(record.summary) + u"</td><td>";
    if (const auto found = users.find(key); found != users.end()) {
      bool first = true;
      for (const auto& use : found->second) {
        const auto user = db.elements.find(use.target);
        if (!first) rows += u"<br>";
        first = false;
        rows += u"<a href=\"" + hrefOf(user->second.page) + u"\">" + escapeHtml(use.target) +
                u"</a> (" + escapeHtml(use.relation) + u")";
      }
    }
    rows += u"</td></tr>\n";
  }
  html += u"<p>エレメント数: ";
  for (const char c : std::to_string(count)) html += static_cast<char16_t>(c);
  html +=
      u"</p>\n<table summary=\"エレメント一覧\">\n"
      u"<tr><th>エレメント</th><th>種別</th><th>更新</th><th>内容</th><th>使用元</th></tr>\n";
  html += rows + u"</table>\n" + pageEnd();
  return html;
}

}  // namespace morvanta::xref
