#include <gtest/gtest.h>

#include <stdexcept>

#include "app/ProgramFolder.h"
#include "platform/Platform.h"

namespace morvanta::app {
namespace {

using Args = std::vector<std::u16string>;

struct FolderCase {
  Args args;
  std::u16string environment;
  std::u16string expected;
};

TEST(ChooseProgramFolder, OptionThenEnvironmentThenExecutable) {
  const std::u16string root = platform::pathSeparator();
  const std::u16string exe = root + u"opt" + root + u"bin";
  const std::u16string cwd = root + u"home";
  const std::u16string given = root + u"data";
  const FolderCase cases[] = {
      {{}, u"", exe},
      {{}, given, given},
      {{u"--folder", given}, root + u"env", given},
      {{u"--folder=" + given}, u"", given},
      {{u"--folder", root + u"first", u"--folder", given}, u"", given},
      {{u"--other", u"x"}, u"", exe},
      {{u"--folder", u"work"}, u"", platform::joinPath(cwd, u"work")},
      {{}, u"rel", platform::joinPath(cwd, u"rel")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(chooseProgramFolder(c.args, c.environment, exe, cwd), c.expected)
        << platform::toUtf8(c.expected);
  }
}

TEST(ChooseProgramFolder, FolderOptionWithoutAFolderIsRefused) {
  EXPECT_THROW(chooseProgramFolder({u"--folder"}, u"", u"/x", u"/y"), std::invalid_argument);
  EXPECT_THROW(chooseProgramFolder({u"--folder="}, u"", u"/x", u"/y"), std::invalid_argument);
}

}  // namespace
}  // namespace morvanta::app
