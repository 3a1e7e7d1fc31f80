#include "Unit1.h"

#include <array>
#include <string_view>

#include "emulator/EmulatorContract.h"
#include "launch/PlayAction.h"
#include "options/GameTable.h"
#include "options/ValueTables.h"
#include "platform/forms/Layout.h"
#include "platform/inifiles.h"
#include "platform/sysutils.h"
#include "resources/MainIcon.h"
#include "settings/SettingsFile.h"

TForm1* Form1 = nullptr;

namespace {

// The texts a list shows, one per row of its table.
template <typename Row, std::size_t Size>
constexpr std::array<std::string_view, Size> Labels(const std::array<Row, Size>& table,
                                                    std::string_view Row::*label) {
  std::array<std::string_view, Size> labels{};
  for (std::size_t row = 0; row < Size; ++row) labels[row] = table[row].*label;
  return labels;
}

constexpr auto GameTitles = Labels(GameTable, &TGameEntry::Title);
constexpr auto SampleRateItems = Labels(SampleRates, &TSampleRate::Label);
constexpr auto ResolutionItems = Labels(Resolutions, &TResolution::Label);
constexpr std::span<const std::string_view> None{};

using enum TControlKind;
constexpr THintSwitch Inherit = THintSwitch::FromParent;

// clang-format off
constexpr TLayoutItem Layout[] = {
  // Name          Kind        Parent       Left Top  W    H    Caption               Tab Hint                                  Hints?            Items            Index Checked
  {"RadioGroup1", RadioGroup, "",          128,   0, 193, 105, "SoundCard",           0, "使用するサウンドカードの種類。",       THintSwitch::On, SoundCardNames,   0, false},
  {"RadioGroup2", RadioGroup, "",          328,   0,  89,  57, "YM2151 Sample Rate",  1, "ｻｳﾝﾄﾞのｻﾝﾌﾟﾘﾝｸﾞﾚｰﾄです。",          Inherit,         SampleRateItems,  1, false},
  {"RadioGroup5", RadioGroup, "",          224, 160,  89,  81, "Resolution",          2, "解像度の設定。",                       Inherit,         ResolutionItems,  0, false},
  {"RadioGroup6", RadioGroup, "",          128, 160,  89,  81, "Skip Frame",          3, "フレームスキップ",                     Inherit,         SkipFrameTexts,   0, false},
  {"ListBox1",    ListBox,    "",            0,   0, 121, 281, "",                    4, "ゲーム名。",                           Inherit,         GameTitles,      -1, false},
  {"Button1",     Button,     "",          128, 248, 289,  33, "Play!!",              5, "スタートボタン",                       Inherit,         None,            -1, false},
  {"GroupBox1",   GroupBox,   "",          320, 112,  97,  41, "Vsync",               6, "",                                     Inherit,         None,            -1, false},
  {"CheckBox1",   CheckBox,   "GroupBox1",   8,  16,  81,  17, "Enable",              0, "ｽｸﾘｰﾝの同期をとります。",              Inherit,         None,            -1, false},
  {"GroupBox2",   GroupBox,   "",          320, 160,  97,  41, "RDTSC",               7, "",                                     Inherit,         None,            -1, false},
  {"CheckBox2",   CheckBox,   "GroupBox2",   8,  16,  81,  17, "Enable",              0, "486マシンの方はﾁｪｯｸしてください。",    Inherit,         None,            -1, false},
  {"GroupBox3",   GroupBox,   "",          320, 200,  97,  41, "AnalogJoystick",      8, "",                                     Inherit,         None,            -1, false},
  {"CheckBox3",   CheckBox,   "GroupBox3",   8,  16,  81,  17, "Enable",              0, "ｱﾅﾛｸﾞｼﾞｮｲｽﾃｨｯｸ使用の場合はCheck",      Inherit,         None,            -1, false},
  {"GroupBox4",   GroupBox,   "",          224, 112,  89,  41, "Eagle graphics",      9, "",                                     Inherit,         None,            -1, false},
  {"CheckBox4",   CheckBox,   "GroupBox4",   8,  16,  57,  17, "Enable",              0, "",                                     Inherit,         None,            -1, false},
  {"GroupBox5",   GroupBox,   "",          128, 112,  89,  41, "ScanLine",           10, "走査線モード！",                       Inherit,         None,            -1, false},
  {"CheckBox5",   CheckBox,   "GroupBox5",   8,  16,  65,  17, "Enable",              0, "",                                     Inherit,         None,            -1, false},
  {"RadioGroup3", RadioGroup, "",          328,  56,  89,  49, "Sound Emu",          11, "サウンド エンジンの種類",              Inherit,         SoundEngineNames, 1, false},
};
// clang-format on

const TFormSettings Window{
    .Caption = "Corvanta Menu Ver 0.57    [corvanta menu team]",
    .ClientWidth = 417,
    .ClientHeight = 281,
    .BorderStyle = bsDialog,
    .Position = poScreenCenter,
    .Font = {.Name = "ＭＳ Ｐゴシック",
             .Height = -12,
             .Charset = TFontCharset::ShiftJis,
             .Color = clBlack},
    .ShowHint = true,
    .Icon = {.Xpm = MainIconXpm},
};

}  // namespace

TForm1::TForm1(TComponent* Owner) : TForm(Owner) {
  ApplyFormSettings(*this, Window);
  BuildLayout(*this, Layout);
  BindControl(*this, RadioGroup1, "RadioGroup1");
  BindControl(*this, RadioGroup2, "RadioGroup2");
  BindControl(*this, RadioGroup5, "RadioGroup5");
  BindControl(*this, RadioGroup6, "RadioGroup6");
  BindControl(*this, ListBox1, "ListBox1");
  BindControl(*this, Button1, "Button1");
  BindControl(*this, GroupBox1, "GroupBox1");
  BindControl(*this, CheckBox1, "CheckBox1");
  BindControl(*this, GroupBox2, "GroupBox2");
  BindControl(*this, CheckBox2, "CheckBox2");
  BindControl(*this, GroupBox3, "GroupBox3");
  BindControl(*this, CheckBox3, "CheckBox3");
  BindControl(*this, GroupBox4, "GroupBox4");
  BindControl(*this, CheckBox4, "CheckBox4");
  BindControl(*this, GroupBox5, "GroupBox5");
  BindControl(*this, CheckBox5, "CheckBox5");
  BindControl(*this, RadioGroup3, "RadioGroup3");

  Button1->OnClick = [this](TObject* Sender) { Button1Click(Sender); };
  ListBox1->OnDblClick = [this](TObject* Sender) { Button1Click(Sender); };
  CheckBox5->OnClick = [this](TObject* Sender) { CheckBox5Click(Sender); };

  // The window opens showing what the settings file holds; nothing is written.
  const std::string settingsPath = SettingsFilePath();
  ListBox1->SetItemIndex(0);
  const TIniFile settings(settingsPath);
  ApplySettings(LoadSettings(settings));
}

void TForm1::ApplySettings(const TSettingsValues& values) {
  RadioGroup1->SetItemIndex(values.SoundCard);
  if (const auto row = SampleRateIndexOf(values.SampleRate)) RadioGroup2->SetItemIndex(*row);
  RadioGroup3->SetItemIndex(values.Old2151);
  CheckBox5->SetChecked(values.ScanLines != 0);
  CheckBox4->SetChecked(values.Eagle != 0);
  CheckBox1->SetChecked(values.Vsync != 0);
  CheckBox2->SetChecked(values.Rdtsc != 0);
  // Last, and whether the group is locked or not: a stored width decides over the coupling.
  if (const auto row = ResolutionIndexOfWidth(values.XRes)) RadioGroup5->SetItemIndex(*row);
}

TLaunchOptions TForm1::ReadOptionsFromWindow() const {
  return {.GameIndex = ListBox1->ItemIndex(),
          .SoundCard = RadioGroup1->ItemIndex(),
          .SampleRateIndex = RadioGroup2->ItemIndex(),
          .SoundEngine = RadioGroup3->ItemIndex(),
          .ResolutionIndex = RadioGroup5->ItemIndex(),
          .SkipFrameIndex = RadioGroup6->ItemIndex(),
          .Vsync = CheckBox1->Checked(),
          .Rdtsc = CheckBox2->Checked(),
          .AnalogJoystick = CheckBox3->Checked(),
          .Eagle = CheckBox4->Checked(),
          .ScanLines = CheckBox5->Checked()};
}

void TForm1::Button1Click(TObject* /*Sender*/) {
  const std::string settingsPath = SettingsFilePath();
  const TLaunchOptions options = ReadOptionsFromWindow();

  const std::optional<TPlayResult> result = PlayGame(options, settingsPath);
  // The window slept in the wait for the emulator; clicks and keys it was given meanwhile, a
  // click on Play!! above all, are stale now and must not start another game.
  Application->DiscardPendingInput();
  if (!result) return;  // no game row, so no command line: nothing to play

  ApplySettings(result->Settings);
  if (result->StartFailure)
    throw Exception(std::string(emulator::ExecutableName) +
                    " を起動できません: " + result->StartFailure->Reason);
}

void TForm1::CheckBox5Click(TObject* /*Sender*/) {
  if (CheckBox5->Checked()) {
    RadioGroup5->SetItemIndex(2);  // 640 x 480
    RadioGroup5->SetEnabled(false);
  } else {
    RadioGroup5->SetEnabled(true);  // the selection stays as it is
  }
}
