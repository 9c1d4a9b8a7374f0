#pragma once
// The main window as the commands see it: every control under its own name
// (per-pane controls as arrays indexed by pane), the form-level state, the
// shared state and the two service objects. Each event handler forwards to
// the command in its subsystem folder.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/DesktopJobHost.h"
#include "app/LoginPassword.h"
#include "app/Module_pub.h"
#include "forms/ControlFactory.h"
#include "forms/Controls.h"
#include "forms/Desktop.h"
#include "jobs/JobQueue.h"
#include "text/TxtHdl.h"
#include "u2200/Class2200.h"

namespace morvanta {

// A pane's index into the per-pane controls. Handlers take the pane as an
// int, as the window's control indexes are.
constexpr std::size_t pane(int i) {
  return static_cast<std::size_t>(i);
}

class MainForm {
 public:
  static constexpr int kPanes = 3;
  // The window's client area as designed, in twips.
  static constexpr int kDesignWidthTwips = 10905;
  static constexpr int kDesignHeightTwips = 9660;
  template <class T>
  using PerPane = std::array<std::unique_ptr<T>, kPanes>;

  // Creates every control through the factory with its caption, text and
  // tool tip. `programFolder` plays the program's own folder (where
  // "ini.ini", "Morvanta.ini" and "updatehtm.ini" live). Nothing is read
  // until Form_Load.
  MainForm(forms::ControlFactory& factory, forms::Desktop& desktop, std::u16string programFolder);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;
  ~MainForm();

  forms::Desktop& desktop;
  const std::u16string programFolder;

  // The rows the element and date lists of each pane show (names and dates
  // side by side); declared before the lists, which must not outlive them.
  PerPane<forms::ElementTable> elementTable;

  // --- Per-pane controls ---------------------------------------------------
  PerPane<forms::TextBox> Text_2200file;
  PerPane<forms::ListBox> List_elt;
  PerPane<forms::ListBox> List_date;
  PerPane<forms::Frame> Frame_cmd;
  PerPane<forms::ComboBox> Combo_host;
  PerPane<forms::CommandButton> Command_toc;
  PerPane<forms::CommandButton> Command_SEL;
  PerPane<forms::CheckBox> Check_date;
  PerPane<forms::CommandButton> Command_AUTO;
  PerPane<forms::CommandButton> Command_AUTO_recv;
  PerPane<forms::ListBox> List_2200file;
  PerPane<forms::Timer> Timer1;
  PerPane<forms::Frame> Frame_SEND;
  PerPane<forms::CommandButton> Command_new_elt;
  PerPane<forms::ListBox> List_send;

  // --- Shared controls -----------------------------------------------------
  std::unique_ptr<forms::Frame> Frame_file_elt;
  std::unique_ptr<forms::ComboBox> Combo_host_file_elt;
  std::unique_ptr<forms::TextBox> Text_file_elt;
  std::unique_ptr<forms::CommandButton> Command_file_elt;
  std::unique_ptr<forms::Frame> Frame_ACTION;
  std::unique_ptr<forms::OptionButton> Option_none;
  std::unique_ptr<forms::OptionButton> Option_OLD;
  std::unique_ptr<forms::OptionButton> Option_add;
  std::unique_ptr<forms::OptionButton> Option_ST;
  std::unique_ptr<forms::OptionButton> Option_START;
  std::unique_ptr<forms::TextBox> Text_AC_USR;
  std::unique_ptr<forms::CommandButton> Command_jcl_phase;
  std::unique_ptr<forms::CheckBox> Check_mdir;
  std::unique_ptr<forms::FileListBox> Fileselect;

  // --- Window size (twips); the Qt window keeps it current -----------------
  int windowWidth = kDesignWidthTwips;
  int windowHeight = kDesignHeightTwips;

  // --- Form-level state ----------------------------------------------------
  std::int16_t paneCount = kPanes;
  std::int16_t mdirMode = 1;
  std::int32_t pollTicks = 0;
  // Elements the last bulk receive collected, in phased TOC order.
  std::vector<std::u16string> bulkElements;

  // --- Jobs ----------------------------------------------------------------
  // Every batch file the form starts is a job of this queue; Jobs_Tick
  // follows them (every kJobTickMs in the window, by hand in tests).
  static constexpr int kJobTickMs = 100;
  app::DesktopJobHost jobHost{desktop};
  jobs::JobQueue jobs{jobHost};
  // Job files a writer could not write yet because an unfinished job holds
  // their names; the next submitted job takes them.
  std::vector<jobs::JobFile> stagedJobFiles;
  std::vector<std::u16string> stagedRemovals;
  // What follows a job's end, by job id, in place of the usual notice
  // (app::tellJobEnd): recording a baseline, the send after its check.
  using JobEndAction = std::function<void(MainForm&, const jobs::Job&)>;
  std::map<int, JobEndAction> jobEndActions;
  // The FTP passwords of this run when they come from the keyring or the
  // user (app/LoginPassword.h).
  app::SessionPasswords sessionPasswords;

  // --- Shared state and services -------------------------------------------
  Module_pub pub;
  TxtHdl txtHdl;
  Class2200 cls2200;

  // --- Look-ups every command uses -----------------------------------------
  // workRoot + "FTPWK" ("WK") or "FTPRCV" ("RCV") [+ name]; any other key
  // tells the user and ends the program.
  std::u16string FOLDER_NAME(const std::u16string& IN_FNC, const std::u16string& IN_ADD_name);
  // The address of the first host of that exact name, "" when none.
  std::u16string get_host_address(const std::u16string& name) const;
  // Selects one option button of the Frame_ACTION group and clears the others.
  void selectOption(forms::OptionButton& option);

  // --- Event handlers ------------------------------------------------------
  void Form_Load();
  void Form_Resize();
  void Check_date_Click(int i);
  void Check_mdir_Click();
  void Command_toc_Click(int i);
  void Timer1_Timer(int i);
  void Command_SEL_Click(int i);
  void List_elt_Click(int i);
  void List_elt_DblClick(int i);
  void Command_file_elt_Click();
  void List_send_DblClick(int i);
  void Command_new_elt_Click(int i);
  void Command_AUTO_Click(int i);
  void Command_AUTO_recv_Click(int i);
  void List_2200file_OLEDragDrop(int i, const std::vector<std::u16string>& files);
  void Command_jcl_phase_Click();
  void Text_2200file_LostFocus(int i);
  void Text_file_elt_LostFocus();
  void Jobs_Tick();
  void Job_Cancel(int id);
  void List_elt_OpenCrossReference(int i);  // analysis/CrossReference.cpp
};

}  // namespace morvanta
