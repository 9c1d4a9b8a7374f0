// The configuration's password and who may read the file. POSIX only (modes).

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "app/Secrets.h"
#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta {
namespace {

using Lines = std::vector<std::u16string>;

class ConfigPrivacyTest : public testing::FormFixture {
 protected:
  void chmodIni(mode_t mode) {
    ::chmod(platform::toUtf8(folder.file(u"Morvanta.ini")).c_str(), mode);
  }
};

TEST_F(ConfigPrivacyTest, TemplateIsWrittenForTheOwnerOnly) {
  load();
  struct stat info {};
  ASSERT_EQ(::stat(platform::toUtf8(folder.file(u"Morvanta.ini")).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  // The first start names the new file; it is not called readable by others.
  for (const std::u16string& message : desktop.messages) {
    EXPECT_FALSE(message.starts_with(app::kConfigReadableMessage)) << platform::toUtf8(message);
  }
}

TEST_F(ConfigPrivacyTest, ReadableConfigurationWithAPasswordIsPointedOut) {
  struct Case {
    const char16_t* password;
    mode_t mode;
    bool warned;
  } cases[] = {
      // First: a loaded password stays for the loads after it.
      {u"FTP-USERID=U", 0644, false},  // nothing secret in it
      {u"FTP-PASSWORD=SECRET1", 0644, true},
      {u"FTP-PASSWORD=SECRET1", 0640, true},
      {u"FTP-PASSWORD=SECRET1", 0600, false},
  };
  for (const Case& c : cases) {
    desktop.messages.clear();
    writeIni({u"HOST=HOSTA,192.0.2.1", c.password});
    chmodIni(c.mode);
    load();
    const Lines expected =
        c.warned ? Lines{app::kConfigReadableMessage + folder.file(u"Morvanta.ini")} : Lines{};
    EXPECT_EQ(desktop.messages, expected) << c.mode;
    // The message names the file, never the password.
    for (const auto& m : desktop.messages) EXPECT_EQ(m.find(u"SECRET1"), std::u16string::npos);
  }
}

}  // namespace
}  // namespace morvanta
