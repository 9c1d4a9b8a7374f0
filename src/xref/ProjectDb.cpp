#include "xref/ProjectDb.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/Platform.h"

namespace morvanta::xref {

namespace {

using nlohmann::json;

constexpr int kFormat = 1;

std::string u8(const std::u16string& text) {
  return platform::toUtf8(text);
}
std::u16string u16(const json& value) {
  return platform::fromUtf8(value.get<std::string>());
}

json toJson(const ElementRecord& record) {
  json definitions = json::array();
  for (const auto& d : record.definitions) {
    definitions.push_back({{"symbol", u8(d.symbol)}, {"anchor", u8(d.anchor)}});
  }
  json uses = json::array();
  for (const auto& u : record.uses) {
    uses.push_back(
        {{"relation", u8(u.relation)}, {"target", u8(u.target)}, {"element", u.element}});
  }
  return {{"file", u8(record.id.file)},
          {"element", u8(record.id.element)},
          {"kind", u8(kindName(record.kind))},
          {"date", u8(record.date)},
          {"source", u8(record.source)},
          {"page", u8(record.page)},
          {"summary", u8(record.summary)},
          {"definitions", definitions},
          {"uses", uses}};
}

ElementRecord fromJson(const json& value) {
  ElementRecord record;
  record.id = {u16(value.at("file")), u16(value.at("element"))};
  record.kind = kindFromName(u16(value.at("kind")));
  record.date = u16(value.at("date"));
  record.source = u16(value.at("source"));
  record.page = u16(value.at("page"));
  record.summary = u16(value.value("summary", json("")));
  for (const auto& d : value.at("definitions")) {
    record.definitions.push_back({u16(d.at("symbol")), u16(d.at("anchor"))});
  }
  for (const auto& u : value.at("uses")) {
    record.uses.push_back(
        {u16(u.at("relation")), u16(u.at("target")), u.at("element").get<bool>()});
  }
  return record;
}

std::string readAll(const std::u16string& path) {
  // The platform layer reads text as CP932 lines; the database is UTF-8.
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) throw DatabaseError("cannot open " + u8(path));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw DatabaseError("cannot read " + u8(path));
  return bytes.str();
}

}  // namespace

ProjectDb ProjectDb::load(const std::u16string& path) {
  ProjectDb db;
  if (!platform::fileExists(path)) return db;
  try {
    const json root = json::parse(readAll(path));
    if (root.at("format").get<int>() != kFormat) {
      throw DatabaseError(u8(path) + " has a format this tool does not know");
    }
    db.project = u16(root.at("project"));
    for (const auto& [key, value] : root.at("elements").items()) {
      db.elements.emplace(platform::fromUtf8(key), fromJson(value));
    }
  } catch (const json::exception& e) {
    throw DatabaseError(u8(path) + " is not a project database: " + e.what());
  }
  return db;
}

void ProjectDb::save(const std::u16string& path) const {
  json elementsJson = json::object();
  for (const auto& [key, record] : elements) elementsJson[u8(key)] = toJson(record);
  const json root = {{"format", kFormat}, {"project", u8(project)}, {"elements", elementsJson}};
  platform::writeBinaryFile(path, root.dump(1) + "\n");
}

const ElementRecord* ProjectDb::definerOf(const std::u16string& symbol,
                                          std::u16string& anchor) const {
  for (const auto& [key, record] : elements) {
    for (const auto& definition : record.definitions) {
      if (definition.symbol == symbol) {
        anchor = definition.anchor;
        return &record;
      }
    }
  }
  return nullptr;
}

}  // namespace morvanta::xref
