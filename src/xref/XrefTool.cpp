#include "xref/XrefTool.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>
#include <set>

#include "app/BulkTable.h"
#include "app/ProgramFolder.h"
#include "platform/Platform.h"
#include "text/TxtHdl.h"
#include "u2200/Class2200.h"
#include "xref/Html.h"
#include "xref/IndexPage.h"
#include "xref/Page.h"
#include "xref/ProjectDb.h"
#include "xref/Scan.h"

namespace morvanta::xref {

namespace {

namespace fs = std::filesystem;

constexpr char16_t kIndexName[] = u"index.htm";
constexpr char16_t kStyleName[] = u"style.css";

std::string u8(const std::u16string& text) {
  return platform::toUtf8(text);
}

std::u16string folderOf(const std::u16string& path) {
  return fs::path(path).parent_path().u16string();
}
std::u16string nameOf(const std::u16string& path) {
  return fs::path(path).filename().u16string();
}
bool sameFolder(const std::u16string& a, const std::u16string& b) {
  return fs::path(a).lexically_normal() == fs::path(b).lexically_normal();
}

// The rows of updatehtm.ini that belong to the project.
std::vector<BulkRow> projectRows(const std::u16string& programFolder,
                                 const std::u16string& project) {
  const std::u16string path = platform::joinPath(programFolder, kBulkTableFileName);
  std::vector<BulkRow> rows;
  if (!platform::fileExists(path)) return rows;
  const TxtHdl txtHdl;
  for (const auto& line : platform::readTextLines(path)) {
    const auto row = app::parseBulkRow(txtHdl, line);
    if (row && row->project == project) rows.push_back(*row);
  }
  return rows;
}

struct Input {
  std::u16string path;
  ElementId id;
};

std::u16string fileOfInput(const XrefRequest& request, const std::vector<BulkRow>& rows,
                           const std::u16string& path) {
  if (!request.file.empty()) return request.file;
  for (const auto& row : rows) {
    if (sameFolder(row.pcFolder, folderOf(path))) return row.hostFile;
  }
  if (rows.size() == 1) return rows.front().hostFile;
  if (rows.empty()) {
    throw XrefError("updatehtm.ini has no row of project " + u8(request.project) +
                    "; name the 2200 file with --file QUAL*FILE");
  }
  throw XrefError("no row of project " + u8(request.project) + " in updatehtm.ini has the folder " +
                  u8(folderOf(path)));
}

std::vector<Input> inputsOf(const XrefRequest& request, const std::vector<BulkRow>& rows) {
  const Class2200 cls;
  std::vector<Input> inputs;
  for (const auto& path : request.inputs) {
    if (!platform::fileExists(path)) throw XrefError("no such element file: " + u8(path));
    const std::u16string element = cls.PcName_to_U2200ElementName(nameOf(path));
    if (element.empty()) throw XrefError("no element name in " + u8(path));
    inputs.push_back({path, {fileOfInput(request, rows, path), element}});
  }
  return inputs;
}

class ProjectLinks : public LinkResolver {
 public:
  ProjectLinks(const ProjectDb& db, const std::vector<BulkRow>& rows) : db_(db) {
    for (const auto& row : rows) pcFolders_.emplace(row.hostFile, row.pcFolder);
    for (const auto& [key, record] : db.elements) {
      for (const auto& d : record.definitions) {
        symbols_.emplace(d.symbol, LinkTarget{record.page, anchorName(d.anchor)});
      }
    }
  }

  std::optional<LinkTarget> element(const std::u16string& key) const override {
    if (const auto found = db_.elements.find(key); found != db_.elements.end()) {
      return LinkTarget{found->second.page, {}};
    }
    // An element whose PC copy the project keeps gets its page in the same
    // bulk job, maybe a few lines further down.
    const ElementId id = elementIdOf(key);
    const auto folder = pcFolders_.find(id.file);
    if (folder == pcFolders_.end()) return std::nullopt;
    std::u16string type;
    const std::u16string copy = cls_.U2200ElementName_to_PcName(u"TXT.", id.element, type);
    if (!platform::fileExists(platform::joinPath(folder->second, copy + u".txt"))) {
      return std::nullopt;
    }
    return LinkTarget{pagePathOf(cls_, id), {}};
  }

  std::optional<LinkTarget> symbol(const std::u16string& name) const override {
    if (const auto found = symbols_.find(name); found != symbols_.end()) return found->second;
    return std::nullopt;
  }

 private:
  const ProjectDb& db_;
  const Class2200 cls_;
  std::map<std::u16string, std::u16string> pcFolders_;
  std::map<std::u16string, LinkTarget> symbols_;
};

std::set<std::u16string> symbolsOf(const std::vector<Definition>& definitions) {
  std::set<std::u16string> symbols;
  for (const auto& d : definitions) symbols.insert(d.symbol);
  return symbols;
}

void dedupe(std::vector<Use>& uses) {
  std::vector<Use> unique;
  for (const auto& use : uses) {
    if (std::find(unique.begin(), unique.end(), use) == unique.end()) unique.push_back(use);
  }
  uses = std::move(unique);
}

std::vector<std::u16string> readElement(const std::u16string& path) {
  try {
    return platform::readTextLines(path);
  } catch (const platform::FileError& e) {
    throw XrefError(e.what());
  }
}

void writePage(const std::u16string& outf, const std::u16string& page, const std::u16string& html) {
  const fs::path target = fs::path(outf) / fs::path(page);
  std::error_code error;
  fs::create_directories(target.parent_path(), error);
  try {
    platform::writeBinaryFile(target.u16string(), u8(html));
  } catch (const platform::FileError& e) {
    throw XrefError(e.what());
  }
}

}  // namespace

XrefResult runXref(const XrefRequest& request, const std::u16string& programFolder) {
  XrefResult result;
  // The job's OUTF comes from updatehtm.ini and is read as the window reads
  // its names; a person's --out from where they stand.
  result.outf = app::resolveFolder(request.fromBulkJob ? programFolder : platform::currentFolder(),
                                   text::trimBlanks(request.outf));
  const std::vector<BulkRow> rows = projectRows(programFolder, request.project);
  const std::vector<Input> inputs = inputsOf(request, rows);

  std::error_code error;
  fs::create_directories(fs::path(result.outf), error);
  if (!platform::folderExists(result.outf)) {
    throw XrefError("cannot create the output folder " + u8(result.outf));
  }
  const std::u16string dbPath = platform::joinPath(result.outf, kDatabaseName);
  ProjectDb db;
  try {
    db = ProjectDb::load(dbPath);
  } catch (const DatabaseError& e) {
    throw XrefError(std::string(e.what()) + " (move it away to start the project afresh)");
  }
  if (db.project.empty()) db.project = request.project;
  if (db.project != request.project) {
    throw XrefError(u8(result.outf) + " holds the pages of project " + u8(db.project) + ", not " +
                    u8(request.project));
  }

  const Class2200 cls;
  std::set<std::u16string> changedSymbols, newKeys, handed;
  std::map<std::u16string, ScannedElement> scans;
  for (const Input& input : inputs) {
    const std::u16string key = input.id.key();
    std::vector<std::u16string> lines = readElement(input.path);
    const Kind kind = detectKind(request.func, lines);
    ScannedElement scan = scanElement(kind, input.id, std::move(lines));
    dedupe(scan.uses);
    ElementRecord record{input.id,
                         scan.kind,
                         platform::modifiedTime(input.path),
                         fs::absolute(fs::path(input.path)).u16string(),
                         pagePathOf(cls, input.id),
                         scan.summary,
                         scan.definitions,
                         scan.uses};
    const auto old = db.elements.find(key);
    std::set<std::u16string> before;
    if (old == db.elements.end()) {
      newKeys.insert(key);
    } else {
      before = symbolsOf(old->second.definitions);
    }
    const std::set<std::u16string> after = symbolsOf(record.definitions);
    std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(),
                                  std::inserter(changedSymbols, changedSymbols.end()));
    db.elements.insert_or_assign(key, std::move(record));
    scans.insert_or_assign(key, std::move(scan));
    handed.insert(key);
  }

  // Pages that link to a name which appeared or went away are written again.
  for (const auto& [key, record] : db.elements) {
    if (handed.contains(key)) continue;
    const bool affected = std::any_of(record.uses.begin(), record.uses.end(), [&](const Use& use) {
      return use.element ? newKeys.contains(use.target) : changedSymbols.contains(use.target);
    });
    if (!affected || !platform::fileExists(record.source)) continue;
    std::vector<std::u16string> lines = readElement(record.source);
    scans.insert_or_assign(key, scanElement(record.kind, record.id, std::move(lines)));
    result.dependents.push_back(record.page);
  }

  const TxtHdl txtHdl;
  const ProjectLinks links(db, rows);
  for (const auto& [key, scan] : scans) {
    const ElementRecord& record = db.elements.at(key);
    const PageInfo info{record.id, record.page, record.date};
    writePage(result.outf, record.page, renderPage(txtHdl, info, scan, links));
    result.pages.push_back(record.page);
  }

  try {
    db.save(dbPath);
    const std::u16string stylePath = platform::joinPath(result.outf, kStyleName);
    if (!platform::fileExists(stylePath)) platform::writeBinaryFile(stylePath, styleSheet());
    platform::writeBinaryFile(platform::joinPath(result.outf, kIndexName), u8(renderIndex(db)));
  } catch (const platform::FileError& e) {
    throw XrefError(e.what());
  }
  return result;
}

}  // namespace morvanta::xref
