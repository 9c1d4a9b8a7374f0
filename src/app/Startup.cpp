#include "app/Startup.h"

#include "app/BulkTable.h"
#include "app/Config.h"
#include "app/FailureText.h"
#include "app/Fatal.h"
#include "app/Layout.h"
#include "app/MainForm.h"
#include "app/Secrets.h"
#include "app/ShellMessages.h"
#include "platform/Platform.h"

namespace morvanta::app {

namespace {

// Only the last level is made; a folder that is there already is fine.
void ensureFolder(MainForm& form, const std::u16string& folder) {
  if (!platform::createFolder(folder)) {
    endWithMessage(form.desktop, kCannotCreateFolderMessage + folder);
  }
}

void makeWorkFolders(MainForm& form) {
  // The work folders are made one level deep only: a work root that is not
  // there is a mistake in the pointer file, not something to create.
  if (!platform::folderExists(form.pub.workRoot)) {
    endWithMessage(form.desktop, kNoWorkRootMessage + form.pub.workRoot);
  }
  ensureFolder(form, platform::joinPath(form.pub.workRoot, u"FTPWK"));
  ensureFolder(form, platform::joinPath(form.pub.workRoot, u"FTPRCV"));
}

void prepareBulkTable(MainForm& form) {
  Module_pub& pub = form.pub;
  pub.bulkTableName = kBulkTableFileName;
  const std::u16string path = platform::joinPath(pub.appFolder, pub.bulkTableName);
  // Something that is there but cannot be read (a folder of that name,
  // say) is left alone; loading it tells the user.
  if (!platform::fileExists(path) && !platform::folderExists(path)) {
    try {
      platform::writeTextLines(path, {});
    } catch (const platform::FileError& e) {
      endWithMessage(form.desktop, withReason(kCannotCreateFileMessage + path, e));
    }
  }
  // A table that cannot be read only costs the bulk receive: the user is
  // told and the window starts with an empty table.
  loadBulkTable(form);
}

void fillPanes(MainForm& form) {
  const Module_pub& pub = form.pub;
  if (pub.debugFtp != 1) form.List_2200file[0]->setVisible(false);
  for (int i = 0; i < form.paneCount; ++i) {
    for (std::int32_t h = 0; h < pub.hostCount; ++h) {
      const std::u16string& name = pub.hostNames[static_cast<std::size_t>(h)];
      form.Combo_host[i]->addItem(name);
      if (i == 0) form.Combo_host_file_elt->addItem(name);
    }
    form.Frame_SEND[i]->setVisible(pub.ftpSend == u"YES");
  }
}

// A new user must learn where the template went and what it needs before
// the first request can work; the editor is offered to open it at once.
void welcomeFirstStart(MainForm& form) {
  const Module_pub& pub = form.pub;
  if (!form.desktop.okCancel(firstStartMessage(pub.iniPath), kFirstStartTitle)) return;
  form.desktop.startProcess(pub.textEditor + u" \"" + pub.iniPath + u"\"");
}

}  // namespace

std::u16string firstStartMessage(const std::u16string& iniPath) {
  return kFirstStartMessageHead + iniPath + kFirstStartMessageBody;
}

void startUp(MainForm& form) {
  Module_pub& pub = form.pub;
  pub.layoutReady = 1;
  form.paneCount = 3;
  // txtHdl and cls2200 are made with the form and live as long as it does.

  // The process never changes its current directory: every name below is
  // taken from the program folder.
  pub.appFolder = form.programFolder;
  // A folder named with --folder may be new.
  ensureFolder(form, pub.appFolder);

  pub.testLogName = u"testlog.txt";
  pub.iniPath = kConfigFileName;
  pub.iniPointerName = kIniPointerFileName;
  pub.hostCount = 0;
  const bool firstStart = get_option(form);
  warnIfConfigReadable(form);

  makeWorkFolders(form);
  eraseLeftoverScripts(form);
  prepareBulkTable(form);
  fillPanes(form);
  pub.lastReceivedFolder.clear();
  layoutPanes(form);
  if (firstStart) welcomeFirstStart(form);
}

}  // namespace morvanta::app
