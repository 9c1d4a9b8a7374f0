#include "cli/CliE2e.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/Platform.h"

namespace morvanta::testing {

namespace fs = std::filesystem;

CliE2eTest::CliE2eTest() : CliE2eTest(test::HostSimOptions{}) {}

CliE2eTest::CliE2eTest(test::HostSimOptions hostOptions)
    : host([&] {
        hostOptions.user = "cliuser";
        hostOptions.password = kPassword;
        return hostOptions;
      }()) {
  fs::create_directories(app());
}

void CliE2eTest::configure(const CliSetup& setup) {
  const std::string password = setup.password.empty() ? host.password() : setup.password;
  std::string ini =
      "TEXT-EDITOR=editor-that-must-not-run\r\n"
      "HOST=SIM,127.0.0.1 " +
      std::to_string(host.port()) +
      "\r\n"
      "FTP-USERID=" +
      host.user() + "\r\n" +
      (setup.keyring ? "FTP-PASSWORD-KEYRING=YES" : "FTP-PASSWORD=" + password) + "\r\n";
  if (setup.send) ini += "FTP-SEND=YES\r\n";
  writeFile(app() / "Morvanta.ini", ini);
  // Private, as a configuration that holds a password should be.
  std::filesystem::permissions(
      app() / "Morvanta.ini",
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
      std::filesystem::perm_options::replace);
  std::string rows;
  for (const auto& row : setup.bulkRows) rows += row + "\r\n";
  writeFile(app() / "updatehtm.ini", rows);
}

CliRun CliE2eTest::cli(const std::vector<std::string>& args,
                       const std::vector<std::string>& environment) {
  std::vector<std::string> all{"--folder", app().string()};
  all.insert(all.end(), args.begin(), args.end());
  return runCli(all, host.scratch(), environment);
}

fs::path CliE2eTest::received(const std::string& pcFile, const std::string& qualFile) const {
  const std::u16string folder =
      platform::fromUtf8(qualFile).replace(platform::fromUtf8(qualFile).find(u'*'), 1, u"＊");
  return app() / "FTPRCV" / platform::toUtf8(folder) / pcFile;
}

std::string CliE2eTest::hostTextForPc(const std::string& qualFile,
                                      const std::string& ftpName) const {
  const std::string text = host.readElement(qualFile, ftpName);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
    out.push_back(text[i]);
  }
  return out;
}

std::string CliE2eTest::hostTime(const std::string& qualFile, const std::string& ftpName) const {
  return platform::toUtf8(
      platform::modifiedTime(platform::fromUtf8(host.elementPath(qualFile, ftpName).string())));
}

void CliE2eTest::expectPasswordHidden(const CliRun& run) const {
  EXPECT_EQ(run.out.find(kPassword), std::string::npos) << run.out;
  EXPECT_EQ(run.err.find(kPassword), std::string::npos) << run.err;
  if (!fs::exists(work())) return;
  for (const auto& entry : fs::directory_iterator(work())) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".log") || name.ends_with(".status")) {
      EXPECT_EQ(readFile(entry.path()).find(kPassword), std::string::npos) << name;
    }
  }
}

std::string CliE2eTest::readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> CliE2eTest::lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

void CliE2eTest::writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace morvanta::testing
