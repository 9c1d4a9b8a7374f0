#include "jobs/JobStatus.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "platform/Platform.h"

namespace morvanta::jobs {

namespace {

using nlohmann::json;
// Written records keep "event" first, as people read them.
using record = nlohmann::ordered_json;

std::u16string textOf(const json& record, const char* key) {
  const auto it = record.find(key);
  if (it == record.end() || !it->is_string()) return {};
  return platform::fromUtf8(it->get<std::string>());
}

std::int64_t numberOf(const json& record, const char* key) {
  const auto it = record.find(key);
  if (it == record.end() || !it->is_number_integer()) return 0;
  return it->get<std::int64_t>();
}

int smallNumberOf(const json& record, const char* key) {
  const std::int64_t n = numberOf(record, key);
  if (n < INT32_MIN || n > INT32_MAX) return 0;
  return static_cast<int>(n);
}

void apply(JobStatus& status, const json& record) {
  const std::u16string event = textOf(record, "event");
  if (event == u"start") {
    status.started = true;
    status.pid = numberOf(record, "pid");
  } else if (event == u"step") {
    status.done = smallNumberOf(record, "done");
    status.total = smallNumberOf(record, "total");
    status.element = textOf(record, "element");
    status.bytesDone = status.bytesTotal = 0;
  } else if (event == u"bytes") {
    status.bytesDone = numberOf(record, "done");
    status.bytesTotal = numberOf(record, "total");
    status.element = textOf(record, "element");
  } else if (event == u"end") {
    status.ended = true;
    status.exitCode = smallNumberOf(record, "exit");
    status.reason = textOf(record, "reason");
  }
}

std::string utf8(const std::u16string& text) {
  return platform::toUtf8(text);
}

}  // namespace

std::u16string statusPathFor(const std::u16string& batchPath) {
  return batchPath + u".status";
}

JobStatus parseStatus(const std::string& bytes) {
  JobStatus status;
  std::size_t from = 0;
  for (std::size_t nl = bytes.find('\n'); nl != std::string::npos; nl = bytes.find('\n', from)) {
    const json record = json::parse(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                    bytes.begin() + static_cast<std::ptrdiff_t>(nl), nullptr,
                                    /*allow_exceptions=*/false);
    if (record.is_object()) apply(status, record);
    from = nl + 1;
  }
  return status;
}

JobStatus readStatusFile(const std::u16string& path) {
  std::ifstream in(platform::toUtf8(path), std::ios::binary);
  if (!in) return {};
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return parseStatus(bytes);
}

StatusWriter::StatusWriter(const std::u16string& path)
    : file_(std::fopen(platform::toUtf8(path).c_str(), "wb")) {}

StatusWriter::~StatusWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

void StatusWriter::writeLine(const record& fields) {
  if (file_ == nullptr) return;
  // Invalid UTF-8 becomes U+FFFD rather than losing the record.
  const std::string line = fields.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

void StatusWriter::start(std::int64_t pid) {
  writeLine(record{{"event", "start"}, {"pid", pid}});
}

void StatusWriter::step(int done, int total, const std::u16string& element) {
  writeLine(
      record{{"event", "step"}, {"done", done}, {"total", total}, {"element", utf8(element)}});
}

void StatusWriter::bytes(std::int64_t done, std::int64_t total, const std::u16string& element) {
  writeLine(
      record{{"event", "bytes"}, {"done", done}, {"total", total}, {"element", utf8(element)}});
}

void StatusWriter::end(int exitCode, const std::u16string& reason) {
  writeLine(record{{"event", "end"}, {"exit", exitCode}, {"reason", utf8(reason)}});
}

}  // namespace morvanta::jobs
