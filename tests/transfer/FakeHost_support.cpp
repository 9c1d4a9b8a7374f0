#include "transfer/FakeHost_support.h"

#include "platform/Platform.h"

namespace morvanta::testing {

namespace {

std::u16string sibling(const std::u16string& batchPath, const std::u16string& name) {
  const std::size_t slash = batchPath.find_last_of(u"/\\");
  return batchPath.substr(0, slash + 1) + name;
}

// The two operands of the script's line that begins with `command`.
std::pair<std::u16string, std::u16string> operands(const std::u16string& script,
                                                   const std::u16string& command) {
  for (const std::u16string& line : platform::readTextLines(script)) {
    if (!line.starts_with(command)) continue;
    const std::u16string rest = line.substr(command.size());
    const std::size_t blank = rest.find(u' ');
    return {rest.substr(0, blank), rest.substr(blank + 1)};
  }
  return {};
}

// "PRJ*SRC.MAIN/R1" -> "MAIN.R1_SYM"; "PRJ*SRC.MAIN" -> "MAIN._SYM".
std::u16string ftpName(const std::u16string& remote) {
  std::u16string elt = remote.substr(remote.find(u'.') + 1);
  const std::size_t slash = elt.find(u'/');
  if (slash == std::u16string::npos) return elt + u"._SYM";
  elt[slash] = u'.';
  return elt + u"_SYM";
}

}  // namespace

void writeStatus(const std::u16string& batchPath, int exitCode, const std::string& reason) {
  platform::writeBinaryFile(batchPath + u".status",
                            "{\"event\":\"start\",\"pid\":1}\n{\"event\":\"end\",\"exit\":" +
                                std::to_string(exitCode) + ",\"reason\":\"" + reason + "\"}\n");
}

void FakeHost::attach(forms::RecordingDesktop& desktop) {
  desktop.playBatch = [this](const std::u16string& batchPath) { play(batchPath); };
}

void FakeHost::play(const std::u16string& batchPath) {
  const std::size_t slash = batchPath.find_last_of(u"/\\");
  const std::u16string batch = batchPath.substr(slash + 1);
  played.push_back(batch);
  const std::u16string script = sibling(batchPath, batch.substr(0, batch.size() - 4) + u".TXT");
  const auto listing = [&](const std::u16string& remote, const std::u16string& local) {
    std::vector<std::u16string> lines;
    if (text) {
      lines.push_back(u"-rw-rw-r--   1 PRJ      " +
                      platform::fromUtf8(std::to_string(text->size())) + u" " + listedTime + u" " +
                      ftpName(remote));
    }
    platform::writeTextLines(local, lines);
  };
  if (batch == u"CHECK.BAT") {
    if (!checkReaches) return writeStatus(batchPath, 1, "cannot connect");
    const auto [remote, copy] = operands(script, u"RECV ");
    lastRemote = remote;
    listing(remote, operands(script, u"mdir ").second);
    if (!text) return writeStatus(batchPath, 1, "element missing (550)");
    platform::writeBinaryFile(copy, *text);
    return writeStatus(batchPath, 0);
  }
  if (batch == u"SEND.BAT" || batch == u"RESTORE.BAT") {
    const auto [local, remote] = operands(script, u"SEND ");
    const std::string bytes = platform::readBinaryFile(local);
    if (batch == u"RESTORE.BAT") {
      restoredTexts.push_back(bytes);
      text = bytes;
      return writeStatus(batchPath, 0);
    }
    if (!sendSucceeds) {
      text = bytes.substr(0, bytes.size() / 2);  // cut off part-way
      return writeStatus(batchPath, 1, "connection lost");
    }
    sentText = bytes;
    text = bytes;
    listedTime = u"Dec  7 10:45";
    return writeStatus(batchPath, 0);
  }
  if (batch == u"SENT.BAT") {
    listing(lastRemote, operands(script, u"mdir ").second);
    return writeStatus(batchPath, 0);
  }
}

}  // namespace morvanta::testing
