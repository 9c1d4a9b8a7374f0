#include "app/MainForm.h"

#include <utility>

#include "app/ControlTable.h"
#include "app/Fatal.h"
#include "app/ShellMessages.h"
#include "platform/Platform.h"

namespace morvanta {

MainForm::MainForm(forms::ControlFactory& factory, forms::Desktop& desktop,
                   std::u16string programFolder)
    : desktop(desktop), programFolder(std::move(programFolder)) {
  app::createSharedControls(*this, factory);
  for (int i = 0; i < kPanes; ++i) app::createPaneControls(*this, factory, i);
}

MainForm::~MainForm() = default;

std::u16string MainForm::FOLDER_NAME(const std::u16string& IN_FNC,
                                     const std::u16string& IN_ADD_name) {
  std::u16string folder;
  if (IN_FNC == u"WK") {
    folder = platform::joinPath(pub.workRoot, u"FTPWK");
  } else if (IN_FNC == u"RCV") {
    folder = platform::joinPath(pub.workRoot, u"FTPRCV");
  } else {
    app::endWithMessage(desktop, app::kFolderNameMessage);
  }
  if (IN_ADD_name.empty()) return folder;
  return platform::joinPath(folder, IN_ADD_name);
}

std::u16string MainForm::get_host_address(const std::u16string& name) const {
  for (std::int32_t i = 0; i < pub.hostCount && i < Module_pub::kMaxHosts; ++i) {
    if (pub.hostNames[static_cast<std::size_t>(i)] == name) {
      return pub.hostAddresses[static_cast<std::size_t>(i)];
    }
  }
  return {};
}

void MainForm::selectOption(forms::OptionButton& option) {
  for (auto* each : {Option_none.get(), Option_OLD.get(), Option_add.get(), Option_ST.get(),
                     Option_START.get()}) {
    if (each != nullptr && each != &option) each->setSelected(false);
  }
  option.setSelected(true);
}

}  // namespace morvanta
