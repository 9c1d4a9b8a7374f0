#include "support/FormFixture.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/Platform.h"

namespace morvanta::testing {

namespace fs = std::filesystem;

FormFixture::FormFixture() : form(std::make_unique<MainForm>(factory, desktop, folder.path())) {}

FormFixture::~FormFixture() = default;

void FormFixture::writeIni(const std::vector<std::u16string>& lines) {
  // Private, as a configuration that holds a password should be.
  platform::writeTextLines(folder.file(u"Morvanta.ini"), lines, platform::FileAccess::OwnerOnly);
}

void FormFixture::loadWithDefaultIni(const std::vector<std::u16string>& extraLines) {
  std::vector<std::u16string> lines = {u"TEXT-EDITOR=editor.exe", u"FTP-USERID=USER1",
                                       u"FTP-PASSWORD=SECRET1", u"HOST=HOSTA,192.0.2.1",
                                       u"HOST=HOSTB,192.0.2.2"};
  lines.insert(lines.end(), extraLines.begin(), extraLines.end());
  writeIni(lines);
  load();
}

void FormFixture::load() {
  form->Form_Load();
}

std::vector<std::u16string> FormFixture::readLines(const std::u16string& path) const {
  EXPECT_TRUE(platform::fileExists(path)) << platform::toUtf8(path);
  if (!platform::fileExists(path)) return {};
  return platform::readTextLines(path);
}

std::string FormFixture::readBytes(const std::u16string& path) const {
  std::ifstream in(fs::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string FormFixture::workFile(const std::u16string& name) const {
  return platform::joinPath(platform::joinPath(form->pub.workRoot, u"FTPWK"), name);
}

}  // namespace morvanta::testing
