#include "app/ControlTable.h"

#include <string>
#include <utility>

#include "app/MainForm.h"

namespace morvanta::app {

namespace {

using forms::ControlSpec;
using forms::Placement;

constexpr int kShared = -1;
const std::u16string kWindow;

ControlSpec at(std::u16string name, int index, std::u16string container, Placement place) {
  return ControlSpec{std::move(name), index, std::move(container), place};
}

template <class T>
std::unique_ptr<T> captioned(std::unique_ptr<T> control, const std::u16string& caption,
                             const std::u16string& toolTip = {}) {
  control->setCaption(caption);
  if (!toolTip.empty()) control->setToolTip(toolTip);
  return control;
}

template <class T>
std::unique_ptr<T> tipped(std::unique_ptr<T> control, const std::u16string& toolTip) {
  control->setToolTip(toolTip);
  return control;
}

template <class T>
std::unique_ptr<T> texted(std::unique_ptr<T> control, const std::u16string& text) {
  control->setText(text);
  return control;
}

// The clipboard prefix buttons have no design placement of their own; they
// stand in a row left of the account box, "@START" a little wider.
Placement optionPlace(int n) {
  constexpr int kOptionWidth = 960;
  constexpr int kWideOptionWidth = 1110;
  constexpr int kOptionGap = 30;
  return Placement{120 + n * (kOptionWidth + kOptionGap), 240,
                   n == 4 ? kWideOptionWidth : kOptionWidth, 255};
}

}  // namespace

void createSharedControls(MainForm& f, forms::ControlFactory& make) {
  const std::u16string fileElt = u"Frame_file_elt";
  f.Frame_file_elt = captioned(make.frame(at(fileElt, kShared, kWindow, {120, 120, 7215, 855})),
                               u"ファイル.エレメント形式、または、IEのパス形式");
  f.Combo_host_file_elt =
      texted(make.comboBox(at(u"Combo_host_file_elt", kShared, fileElt, {120, 240, 1395, 300})),
             u"ホスト選択");
  f.Text_file_elt =
      tipped(make.textBox(at(u"Text_file_elt", kShared, fileElt, {1560, 240, 4155, 270})),
             u"qual*file.elt または file.elt形式で入力");
  f.Command_file_elt = captioned(
      make.commandButton(at(u"Command_file_elt", kShared, fileElt, {5820, 120, 1275, 615})),
      u"element read", u"ファイル・エレメント指定の受信");

  const std::u16string action = u"Frame_ACTION";
  f.Frame_ACTION = captioned(make.frame(at(action, kShared, kWindow, {120, 1080, 8655, 615})),
                             u"クリップボードにつける文字");
  f.Option_none =
      captioned(make.optionButton(at(u"Option_none", kShared, action, optionPlace(0))), u"none");
  f.Option_OLD =
      captioned(make.optionButton(at(u"Option_OLD", kShared, action, optionPlace(1))), u"OLD");
  f.Option_add =
      captioned(make.optionButton(at(u"Option_add", kShared, action, optionPlace(2))), u"@ADD");
  f.Option_ST =
      captioned(make.optionButton(at(u"Option_ST", kShared, action, optionPlace(3))), u"ST");
  f.Option_START =
      captioned(make.optionButton(at(u"Option_START", kShared, action, optionPlace(4))), u"@START");
  f.selectOption(*f.Option_none);
  f.Text_AC_USR =
      tipped(texted(make.textBox(at(u"Text_AC_USR", kShared, action, {5280, 120, 3255, 375})),
                    u"ACCOUT/USERID WHEN ST KEYIN"),
             u"account/userid format");

  f.Command_jcl_phase = captioned(
      make.commandButton(at(u"Command_jcl_phase", kShared, kWindow, {7440, 240, 1095, 735})),
      u"@USE解析", u"直近の受信データのUSE名を解析");
  f.Check_mdir =
      captioned(make.checkBox(at(u"Check_mdir", kShared, kWindow, {8520, 720, 855, 345})), u"mdir");
  f.Check_mdir->setChecked(true);
  f.Fileselect = make.fileListBox(at(u"Fileselect", kShared, kWindow, kFileselectPlace));
}

void createPaneControls(MainForm& f, forms::ControlFactory& make, int i) {
  f.Text_2200file[i] =
      tipped(make.textBox(at(u"Text_2200file", i, kWindow, {120, 1920, 1815, 285})),
             u"qual*file形式またはIEのパス形式指定");
  f.elementTable[i] = std::make_unique<forms::ElementTable>();
  forms::ElementTable& rows = *f.elementTable[i];
  f.List_elt[i] = tipped(make.elementList(at(u"List_elt", i, kWindow, {240, 2280, 1335, 3765}),
                                          rows, forms::ElementColumn::Names),
                         u"クリックでクリップボード、ダブルクリックで受信");
  f.List_date[i] = make.elementList(at(u"List_date", i, kWindow, {1800, 2280, 300, 3840}), rows,
                                    forms::ElementColumn::Dates);

  const std::u16string cmd = u"Frame_cmd";
  f.Frame_cmd[i] = captioned(make.frame(at(cmd, i, kWindow, {120, 6240, 2655, 1935})), u"");
  f.Combo_host[i] =
      texted(make.comboBox(at(u"Combo_host", i, cmd, {120, 240, 1530, 300})), u"Select HOST");
  f.Command_toc[i] = captioned(make.commandButton(at(u"Command_toc", i, cmd, {120, 720, 975, 375})),
                               u"TOC取得", u"エレメント一覧取得（シンボリックのみ）");
  f.Command_SEL[i] =
      captioned(make.commandButton(at(u"Command_SEL", i, cmd, {1740, 360, 615, 375})), u"LC",
                u"エレメント文字列検索");
  f.Check_date[i] =
      captioned(make.checkBox(at(u"Check_date", i, cmd, {1200, 840, 1095, 255})), u"date表示");
  f.Check_date[i]->setChecked(false);
  f.Command_AUTO[i] = captioned(
      make.commandButton(at(u"Command_AUTO", i, cmd, {120, 1320, 1335, 375})), u"一括受信設定");
  f.Command_AUTO_recv[i] = captioned(
      make.commandButton(at(u"Command_AUTO_recv", i, cmd, {1560, 1200, 975, 615})), u"一括受信");
  f.List_2200file[i] = tipped(make.listBox(at(u"List_2200file", i, cmd, kDropBoxPlace)),
                              i == 0 ? std::u16string(u"デバック: ") + kDropBoxHint : kDropBoxHint);
  f.Timer1[i] = make.timer(at(u"Timer1", i, cmd, {}));
  f.Timer1[i]->setInterval(1000);
  f.Timer1[i]->setEnabled(false);

  const std::u16string send = u"Frame_SEND";
  f.Frame_SEND[i] = captioned(make.frame(at(send, i, kWindow, {120, 8400, 1935, 1095})), u"");
  f.Command_new_elt[i] =
      captioned(make.commandButton(at(u"Command_new_elt", i, send, {120, 600, 2055, 300})),
                u"新規エレメント設定");
  f.List_send[i] = tipped(make.listBox(at(u"List_send", i, send, {120, 240, 1695, 240})),
                          u"ダブルクリックで送信");
}

}  // namespace morvanta::app
