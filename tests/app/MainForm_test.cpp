#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "platform/Platform.h"
#include "support/FormFixture.h"

namespace morvanta {
namespace {

using forms::ControlSpec;

// Remembers what the form asked for, in order, then makes memory controls.
class RequestRecorder : public forms::MemoryControlFactory {
 public:
  std::vector<ControlSpec> requests;

#define MORVANTA_RECORD(kind, type)                                    \
  std::unique_ptr<forms::type> kind(const ControlSpec& def) override { \
    requests.push_back(def);                                           \
    return MemoryControlFactory::kind(def);                            \
  }
  MORVANTA_RECORD(textBox, TextBox)
  MORVANTA_RECORD(listBox, ListBox)
  MORVANTA_RECORD(comboBox, ComboBox)
  MORVANTA_RECORD(checkBox, CheckBox)
  MORVANTA_RECORD(optionButton, OptionButton)
  MORVANTA_RECORD(commandButton, CommandButton)
  MORVANTA_RECORD(frame, Frame)
  MORVANTA_RECORD(label, Label)
  MORVANTA_RECORD(fileListBox, FileListBox)
  MORVANTA_RECORD(timer, Timer)
#undef MORVANTA_RECORD
  std::unique_ptr<forms::ListBox> elementList(const ControlSpec& def, forms::ElementTable& table,
                                              forms::ElementColumn column) override {
    requests.push_back(def);
    return MemoryControlFactory::elementList(def, table, column);
  }

  const ControlSpec* find(const std::u16string& name, int index) const {
    for (const auto& s : requests) {
      if (s.name == name && s.index == index) return &s;
    }
    return nullptr;
  }
  std::size_t order(const std::u16string& name, int index) const {
    return static_cast<std::size_t>(find(name, index) - requests.data());
  }
};

struct Designed {
  const char16_t* name;
  int index;
  const char16_t* container;
  int left, top, width, height;
};

TEST(MainFormControls, EveryControlIsMadeWithItsDesignPlacementAndContainer) {
  RequestRecorder factory;
  forms::RecordingDesktop desktop;
  MainForm form(factory, desktop, u"/nowhere");

  const Designed table[] = {
      {u"Text_2200file", 0, u"", 120, 1920, 1815, 285},
      {u"List_elt", 0, u"", 240, 2280, 1335, 3765},
      {u"List_date", 0, u"", 1800, 2280, 300, 3840},
      {u"Frame_cmd", 0, u"", 120, 6240, 2655, 1935},
      {u"Combo_host", 0, u"Frame_cmd", 120, 240, 1530, 300},
      {u"Command_toc", 0, u"Frame_cmd", 120, 720, 975, 375},
      {u"Command_SEL", 0, u"Frame_cmd", 1740, 360, 615, 375},
      {u"Check_date", 0, u"Frame_cmd", 1200, 840, 1095, 255},
      {u"Command_AUTO", 0, u"Frame_cmd", 120, 1320, 1335, 375},
      {u"Command_AUTO_recv", 0, u"Frame_cmd", 1560, 1200, 975, 615},
      {u"List_2200file", 0, u"Frame_cmd", 2460, 240, 900, 855},
      {u"Frame_SEND", 0, u"", 120, 8400, 1935, 1095},
      {u"Command_new_elt", 0, u"Frame_SEND", 120, 600, 2055, 300},
      {u"List_send", 0, u"Frame_SEND", 120, 240, 1695, 240},
      {u"Frame_file_elt", -1, u"", 120, 120, 7215, 855},
      {u"Combo_host_file_elt", -1, u"Frame_file_elt", 120, 240, 1395, 300},
      {u"Text_file_elt", -1, u"Frame_file_elt", 1560, 240, 4155, 270},
      {u"Command_file_elt", -1, u"Frame_file_elt", 5820, 120, 1275, 615},
      {u"Frame_ACTION", -1, u"", 120, 1080, 8655, 615},
      {u"Text_AC_USR", -1, u"Frame_ACTION", 5280, 120, 3255, 375},
      {u"Command_jcl_phase", -1, u"", 7440, 240, 1095, 735},
      {u"Check_mdir", -1, u"", 8520, 720, 855, 345},
      {u"Fileselect", -1, u"", 9480, 120, 1305, 1575},
  };
  for (const auto& want : table) {
    const ControlSpec* got = factory.find(want.name, want.index);
    ASSERT_NE(got, nullptr) << platform::toUtf8(want.name);
    EXPECT_EQ(got->container, want.container) << platform::toUtf8(want.name);
    EXPECT_EQ(std::tie(got->at.left, got->at.top, got->at.width, got->at.height),
              std::tie(want.left, want.top, want.width, want.height))
        << platform::toUtf8(want.name);
  }
  for (auto option :
       {u"Option_none", u"Option_OLD", u"Option_add", u"Option_ST", u"Option_START"}) {
    ASSERT_NE(factory.find(option, -1), nullptr);
    EXPECT_EQ(factory.find(option, -1)->container, u"Frame_ACTION");
  }
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(factory.find(u"Timer1", i), nullptr) << i;
    // A container exists before what it holds; the date list lies in front.
    EXPECT_LT(factory.order(u"Frame_cmd", i), factory.order(u"Combo_host", i));
    EXPECT_LT(factory.order(u"Frame_SEND", i), factory.order(u"List_send", i));
    EXPECT_LT(factory.order(u"List_elt", i), factory.order(u"List_date", i));
  }
  EXPECT_LT(factory.order(u"Frame_ACTION", -1), factory.order(u"Option_none", -1));
  EXPECT_LT(factory.order(u"Frame_file_elt", -1), factory.order(u"Text_file_elt", -1));
}

class MainFormTest : public testing::FormFixture {};

TEST_F(MainFormTest, CaptionsTextsAndToolTipsAsDesigned) {
  MainForm& f = *form;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(f.Text_2200file[i]->toolTip(), u"qual*file形式またはIEのパス形式指定");
    EXPECT_EQ(f.List_elt[i]->toolTip(), u"クリックでクリップボード、ダブルクリックで受信");
    EXPECT_EQ(f.Combo_host[i]->text(), u"Select HOST");
    EXPECT_EQ(f.Command_toc[i]->caption(), u"TOC取得");
    EXPECT_EQ(f.Command_toc[i]->toolTip(), u"エレメント一覧取得（シンボリックのみ）");
    EXPECT_EQ(f.Command_SEL[i]->caption(), u"LC");
    EXPECT_EQ(f.Command_SEL[i]->toolTip(), u"エレメント文字列検索");
    EXPECT_EQ(f.Check_date[i]->caption(), u"date表示");
    EXPECT_FALSE(f.Check_date[i]->checked());
    EXPECT_EQ(f.Command_AUTO[i]->caption(), u"一括受信設定");
    EXPECT_EQ(f.Command_AUTO_recv[i]->caption(), u"一括受信");
    EXPECT_EQ(f.Command_new_elt[i]->caption(), u"新規エレメント設定");
    EXPECT_EQ(f.List_send[i]->toolTip(), u"ダブルクリックで送信");
    EXPECT_EQ(f.Frame_cmd[i]->caption(), u"");
    EXPECT_FALSE(f.Timer1[i]->enabled());
  }
  // Every drop box says what it takes; pane 0's is also the debug list.
  const std::u16string hint = u"印刷したTOCのファイルをここへドロップ";
  EXPECT_EQ(f.List_2200file[0]->toolTip(), u"デバック: " + hint);
  EXPECT_EQ(f.List_2200file[1]->toolTip(), hint);
  EXPECT_EQ(f.List_2200file[2]->toolTip(), hint);

  EXPECT_EQ(f.Frame_file_elt->caption(), u"ファイル.エレメント形式、または、IEのパス形式");
  EXPECT_EQ(f.Combo_host_file_elt->text(), u"ホスト選択");
  EXPECT_EQ(f.Text_file_elt->toolTip(), u"qual*file.elt または file.elt形式で入力");
  EXPECT_EQ(f.Command_file_elt->caption(), u"element read");
  EXPECT_EQ(f.Command_file_elt->toolTip(), u"ファイル・エレメント指定の受信");
  EXPECT_EQ(f.Frame_ACTION->caption(), u"クリップボードにつける文字");
  EXPECT_EQ(f.Text_AC_USR->text(), u"ACCOUT/USERID WHEN ST KEYIN");
  EXPECT_EQ(f.Text_AC_USR->toolTip(), u"account/userid format");
  EXPECT_EQ(f.Command_jcl_phase->caption(), u"@USE解析");
  EXPECT_EQ(f.Command_jcl_phase->toolTip(), u"直近の受信データのUSE名を解析");
  EXPECT_EQ(f.Check_mdir->caption(), u"mdir");
  EXPECT_TRUE(f.Check_mdir->checked());
  EXPECT_EQ(f.Option_none->caption(), u"none");
  EXPECT_EQ(f.Option_OLD->caption(), u"OLD");
  EXPECT_EQ(f.Option_add->caption(), u"@ADD");
  EXPECT_EQ(f.Option_ST->caption(), u"ST");
  EXPECT_EQ(f.Option_START->caption(), u"@START");
}

TEST_F(MainFormTest, OneOptionOfTheGroupIsSelected) {
  MainForm& f = *form;
  auto selected = [&f] {
    return std::vector<bool>{f.Option_none->selected(), f.Option_OLD->selected(),
                             f.Option_add->selected(), f.Option_ST->selected(),
                             f.Option_START->selected()};
  };
  EXPECT_EQ(selected(), (std::vector<bool>{true, false, false, false, false}));
  f.selectOption(*f.Option_ST);
  EXPECT_EQ(selected(), (std::vector<bool>{false, false, false, true, false}));
  f.selectOption(*f.Option_START);
  f.selectOption(*f.Option_START);
  EXPECT_EQ(selected(), (std::vector<bool>{false, false, false, false, true}));
}

TEST_F(MainFormTest, CheckMdirClickFollowsTheBox) {
  form->Check_mdir->setChecked(false);
  form->Check_mdir_Click();
  EXPECT_EQ(form->mdirMode, 0);
  form->Check_mdir->setChecked(true);
  form->Check_mdir_Click();
  EXPECT_EQ(form->mdirMode, 1);
}

TEST_F(MainFormTest, FolderNameJoinsTheWorkFolders) {
  form->pub.workRoot = u"ROOT";
  const auto& sep = platform::pathSeparator();
  EXPECT_EQ(form->FOLDER_NAME(u"WK", u""), u"ROOT" + sep + u"FTPWK");
  EXPECT_EQ(form->FOLDER_NAME(u"RCV", u""), u"ROOT" + sep + u"FTPRCV");
  EXPECT_EQ(form->FOLDER_NAME(u"RCV", u"A"), u"ROOT" + sep + u"FTPRCV" + sep + u"A");
  EXPECT_EQ(form->FOLDER_NAME(u"WK", u"1TOC-RSLT.TXT"),
            u"ROOT" + sep + u"FTPWK" + sep + u"1TOC-RSLT.TXT");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MainFormTest, FolderNameWithAnyOtherKeyEndsTheProgram) {
  for (auto key : {u"wk", u"rcv", u"", u"WK "}) {
    desktop.messages.clear();
    try {
      form->FOLDER_NAME(key, u"A");
      ADD_FAILURE() << "no program end for " << platform::toUtf8(key);
    } catch (const forms::ProgramEnded& ended) {
      EXPECT_NE(ended.status, 0);
    }
    EXPECT_EQ(desktop.messages, std::vector<std::u16string>{u"FOLER NAME変換エラー。終了します"});
  }
}

TEST_F(MainFormTest, HostAddressOfTheFirstHostOfThatExactName) {
  auto& pub = form->pub;
  pub.hostCount = 3;
  pub.hostNames = {u"A", u"B", u"A"};
  pub.hostAddresses = {u"10.0.0.1", u"10.0.0.2", u"10.0.0.3"};
  pub.hostNames[3] = u"C";  // past hostCount: not a host
  pub.hostAddresses[3] = u"10.0.0.4";
  EXPECT_EQ(form->get_host_address(u"A"), u"10.0.0.1");
  EXPECT_EQ(form->get_host_address(u"B"), u"10.0.0.2");
  EXPECT_EQ(form->get_host_address(u"a"), u"");
  EXPECT_EQ(form->get_host_address(u"C"), u"");
  EXPECT_EQ(form->get_host_address(u"Select HOST"), u"");
}

}  // namespace
}  // namespace morvanta
