#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Unit1.h"
#include "options/GameTable.h"
#include "tests/support/TestFiles.h"

namespace {

using Names = std::vector<std::string>;

// The window loads the settings file as it is built. This one holds what the layout itself
// gives each control, so that the controls show their design-time state.
constexpr char DesignTimeSettings[] =
    "[sound]\nsoundcard=0\nsamplerate=22050\nold2151=1\n"
    "[screen]\nxres=320\nscanlines=0\neagle=0\nvsync=0\n"
    "[general]\nrdtsc=0\n";

class Form1Layout : public testing::Test {
 protected:
  static std::unique_ptr<TForm1> MakeForm(const testing_support::TempDir& dir) {
    testing_support::WriteFile(dir / "corvanta.ini", DesignTimeSettings);
    testing_support::ScopedCurrentDirectory inside(dir.Path());
    return std::make_unique<TForm1>(nullptr);
  }

  testing_support::TempDir dir;
  std::unique_ptr<TForm1> form = MakeForm(dir);

  TControl* Control(const std::string& name) {
    auto* control = dynamic_cast<TControl*>(form->FindComponent(name));
    if (control == nullptr) ADD_FAILURE() << "no control " << name;
    return control;
  }

  std::vector<std::string> TabWalk(int presses) {
    std::vector<std::string> visited;
    for (int i = 0; i < presses; ++i) {
      form->SelectNext(true);
      visited.push_back(form->ActiveControl()->Name());
    }
    return visited;
  }
};

TEST_F(Form1Layout, WindowSettings) {
  EXPECT_EQ(form->Caption().substr(0, 27), "Corvanta Menu Ver 0.57    [");
  EXPECT_EQ(form->Caption().back(), ']');
  EXPECT_EQ(form->Caption().find(']'), form->Caption().size() - 1);
  EXPECT_EQ(form->ClientWidth(), 417);
  EXPECT_EQ(form->ClientHeight(), 281);
  EXPECT_EQ(form->BorderStyle(), bsDialog);
  EXPECT_EQ(form->Position(), poScreenCenter);
  EXPECT_EQ(form->Font().Name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(form->Font().Height, -12);
  EXPECT_EQ(form->Font().Charset, TFontCharset::ShiftJis);
  EXPECT_EQ(form->Font().Color, clBlack);
  EXPECT_TRUE(form->ShowHint());
  EXPECT_FALSE(form->Icon().Empty());
  EXPECT_EQ(std::string(form->Icon().Xpm[0]).substr(0, 6), "32 32 ");
}

struct Row {
  const char* name;
  const char* parent;
  int left, top, width, height;
  const char* caption;
  int tab;
  const char* hint;
};

// The window's controls, in the order they are made and stacked.
const Row Rows[] = {
    {"RadioGroup1", "", 128, 0, 193, 105, "SoundCard", 0, "使用するサウンドカードの種類。"},
    {"RadioGroup2", "", 328, 0, 89, 57, "YM2151 Sample Rate", 1, "ｻｳﾝﾄﾞのｻﾝﾌﾟﾘﾝｸﾞﾚｰﾄです。"},
    {"RadioGroup5", "", 224, 160, 89, 81, "Resolution", 2, "解像度の設定。"},
    {"RadioGroup6", "", 128, 160, 89, 81, "Skip Frame", 3, "フレームスキップ"},
    {"ListBox1", "", 0, 0, 121, 281, "", 4, "ゲーム名。"},
    {"Button1", "", 128, 248, 289, 33, "Play!!", 5, "スタートボタン"},
    {"GroupBox1", "", 320, 112, 97, 41, "Vsync", 6, ""},
    {"CheckBox1", "GroupBox1", 8, 16, 81, 17, "Enable", 0, "ｽｸﾘｰﾝの同期をとります。"},
    {"GroupBox2", "", 320, 160, 97, 41, "RDTSC", 7, ""},
    {"CheckBox2", "GroupBox2", 8, 16, 81, 17, "Enable", 0, "486マシンの方はﾁｪｯｸしてください。"},
    {"GroupBox3", "", 320, 200, 97, 41, "AnalogJoystick", 8, ""},
    {"CheckBox3", "GroupBox3", 8, 16, 81, 17, "Enable", 0, "ｱﾅﾛｸﾞｼﾞｮｲｽﾃｨｯｸ使用の場合はCheck"},
    {"GroupBox4", "", 224, 112, 89, 41, "Eagle graphics", 9, ""},
    {"CheckBox4", "GroupBox4", 8, 16, 57, 17, "Enable", 0, ""},
    {"GroupBox5", "", 128, 112, 89, 41, "ScanLine", 10, "走査線モード！"},
    {"CheckBox5", "GroupBox5", 8, 16, 65, 17, "Enable", 0, ""},
    {"RadioGroup3", "", 328, 56, 89, 49, "Sound Emu", 11, "サウンド エンジンの種類"},
};

TEST_F(Form1Layout, EveryControlHasItsPlaceCaptionTabAndHint) {
  ASSERT_EQ(form->ComponentCount(), static_cast<int>(std::size(Rows)));
  for (int i = 0; i < form->ComponentCount(); ++i) {
    const Row& row = Rows[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(form->Components(i)->Name(), row.name) << "creation order";
    TControl* control = Control(row.name);
    ASSERT_NE(control, nullptr);
    const TControl* parent = *row.parent ? Control(row.parent) : form.get();
    EXPECT_EQ(control->Parent(), parent);
    EXPECT_EQ(control->BoundsRect(), (TRect{row.left, row.top, row.width, row.height}));
    EXPECT_EQ(control->Caption(), row.caption);
    EXPECT_EQ(control->TabOrder(), row.tab);
    EXPECT_EQ(control->Hint(), row.hint);
    EXPECT_TRUE(control->Enabled());
    EXPECT_TRUE(control->ShowHint());
    EXPECT_EQ(control->ParentShowHint(), std::string(row.name) != "RadioGroup1");
  }
}

TEST_F(Form1Layout, MemberPointersNameTheirControls) {
  const std::vector<std::pair<TControl*, const char*>> members{
      {form->RadioGroup1, "RadioGroup1"}, {form->RadioGroup2, "RadioGroup2"},
      {form->RadioGroup5, "RadioGroup5"}, {form->RadioGroup6, "RadioGroup6"},
      {form->ListBox1, "ListBox1"},       {form->Button1, "Button1"},
      {form->GroupBox1, "GroupBox1"},     {form->CheckBox1, "CheckBox1"},
      {form->GroupBox2, "GroupBox2"},     {form->CheckBox2, "CheckBox2"},
      {form->GroupBox3, "GroupBox3"},     {form->CheckBox3, "CheckBox3"},
      {form->GroupBox4, "GroupBox4"},     {form->CheckBox4, "CheckBox4"},
      {form->GroupBox5, "GroupBox5"},     {form->CheckBox5, "CheckBox5"},
      {form->RadioGroup3, "RadioGroup3"}};
  for (auto [member, name] : members) {
    ASSERT_NE(member, nullptr) << name;
    EXPECT_EQ(member->Name(), name);
  }
}

TEST_F(Form1Layout, ItemsAndDesignTimeState) {
  struct Group {
    TRadioGroup* group;
    Names items;
    int index;
  };
  const Group groups[] = {
      {form->RadioGroup1,
       {"None", "Sound Blaster", "Sound Blaster AWE32", "Pro Audio Spectrum",
        "Ultrasound Max (CS4231 Code)", "Ultrasound", "Windows Sound System", "Ensoniq Soundscape"},
       0},
      {form->RadioGroup2, {"11025 Hz", "22050 Hz", "44100 Hz"}, 1},
      {form->RadioGroup5, {"320 x 240", "400 x 300", "640 x 480"}, 0},
      {form->RadioGroup6, {"1", "2", "3", "4", "5"}, 0},
      {form->RadioGroup3, {"New TYPE", "Old  TYPE"}, 1},
  };
  for (const Group& g : groups) {
    SCOPED_TRACE(g.group->Name());
    Names items;
    for (int i = 0; i < g.group->Items().Count(); ++i) items.push_back(g.group->Items()[i]);
    EXPECT_EQ(items, g.items);
    EXPECT_EQ(g.group->ItemIndex(), g.index);
  }

  ASSERT_EQ(form->ListBox1->Items().Count(), 23);
  for (int row = 0; row < 23; ++row) EXPECT_EQ(form->ListBox1->Items()[row], GameTable[row].Title);
  EXPECT_EQ(form->ListBox1->Items()[0], "Alien Syndrome");
  EXPECT_EQ(form->ListBox1->Items()[22], "Wrestle WarOn");
  EXPECT_EQ(form->ListBox1->ItemIndex(), 0);  // the window selects the first game as it opens

  for (TCheckBox* box :
       {form->CheckBox1, form->CheckBox2, form->CheckBox3, form->CheckBox4, form->CheckBox5})
    EXPECT_FALSE(box->Checked()) << box->Name();
}

TEST_F(Form1Layout, HandlersAreBoundToTheirEventsOnly) {
  EXPECT_TRUE(form->Button1->OnClick);
  EXPECT_TRUE(form->ListBox1->OnDblClick);
  EXPECT_TRUE(form->CheckBox5->OnClick);
  EXPECT_FALSE(form->ListBox1->OnClick);
  for (TCheckBox* box : {form->CheckBox1, form->CheckBox2, form->CheckBox3, form->CheckBox4})
    EXPECT_FALSE(box->OnClick) << box->Name();
  EXPECT_FALSE(form->OnActiveControlChange);
}

TEST_F(Form1Layout, HintsWhereThePointerRests) {
  struct Case {
    const char* where;
    int x, y;
    const char* hint;
  };
  // Points in window coordinates, inside the named part.
  for (Case c :
       {Case{"a Resolution button", 224 + 20, 160 + 30, "解像度の設定。"},
        Case{"the Resolution frame", 224 + 2, 160 + 70, "解像度の設定。"},
        Case{"the ScanLine box", 128 + 8 + 5, 112 + 16 + 5, "走査線モード！"},
        Case{"the ScanLine frame", 128 + 2, 112 + 30, "走査線モード！"},
        Case{"the Eagle graphics box", 224 + 8 + 5, 112 + 16 + 5, ""},
        Case{"the Vsync box", 320 + 8 + 5, 112 + 16 + 5, "ｽｸﾘｰﾝの同期をとります。"},
        Case{"the Vsync frame", 320 + 2, 112 + 30, ""},
        Case{"a SoundCard button", 128 + 30, 60, "使用するサウンドカードの種類。"},
        Case{"the shared row of Sample Rate and Sound Emu", 340, 56, "サウンド エンジンの種類"},
        Case{"the game list", 60, 200, "ゲーム名。"},
        Case{"the Play button", 300, 260, "スタートボタン"},
        Case{"the bare window", 125, 150, ""}}) {
    EXPECT_EQ(form->HintAt(c.x, c.y), c.hint) << c.where;
  }
}

TEST_F(Form1Layout, TabVisitsTheTopLevelControlsInTheirOrder) {
  EXPECT_EQ(TabWalk(13), (Names{"RadioGroup1", "RadioGroup2", "RadioGroup5", "RadioGroup6",
                                "ListBox1", "Button1", "CheckBox1", "CheckBox2", "CheckBox3",
                                "CheckBox4", "CheckBox5", "RadioGroup3", "RadioGroup1"}));
}

TEST_F(Form1Layout, TabPassesOverADisabledResolutionAndASoundCardWithoutSelection) {
  form->RadioGroup1->SetItemIndex(-1);
  form->RadioGroup5->SetEnabled(false);
  EXPECT_EQ(TabWalk(11),
            (Names{"RadioGroup2", "RadioGroup6", "ListBox1", "Button1", "CheckBox1", "CheckBox2",
                   "CheckBox3", "CheckBox4", "CheckBox5", "RadioGroup3", "RadioGroup2"}));
}

TEST(Form1Ownership, OwnerReleasesTheWindowAndItsControls) {
  TForm* form = nullptr;
  {
    TComponent owner(nullptr);
    form = new TForm1(&owner);
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(form->ComponentCount(), 17);
  }  // ASan reports a leak or a double release here
}

}  // namespace
