#include <gtest/gtest.h>

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Layout.h"
#include "platform/forms/NativeFocus.h"
#include "platform/forms/StdCtrls.h"
#include "platform/sysutils.h"

namespace {

constexpr std::array<std::string_view, 2> FirstItems{"a", "b"};
constexpr std::array<std::string_view, 3> SecondItems{"c", "d", "e"};
constexpr std::array<std::string_view, 1> ListItems{"x"};
constexpr std::span<const std::string_view> None{};

using enum TControlKind;
constexpr THintSwitch Inherit = THintSwitch::FromParent;

// A small window: two radio groups, a group box with a check box, a list and a button, made in
// an order that differs from their Tab order.
// clang-format off
constexpr TLayoutItem SmallLayout[] = {
  // Name    Kind        Parent   Left Top  W    H    Caption Tab Hint Hints?   Items        Index Checked
  {"button", Button,     "",        0, 180, 300,  20, "",     4,  "",  Inherit, None,        -1, false},
  {"list",   ListBox,    "",        0,   0, 100, 180, "",     3,  "",  Inherit, ListItems,   -1, false},
  {"first",  RadioGroup, "",      100,   0, 100,  60, "",     0,  "",  Inherit, FirstItems,   0, false},
  {"group",  GroupBox,   "",      100,  60, 100,  40, "",     1,  "",  Inherit, None,        -1, false},
  {"box",    CheckBox,   "group",   8,  16,  80,  17, "",     0,  "",  Inherit, None,        -1, false},
  {"second", RadioGroup, "",      200,   0, 100, 100, "",     2,  "",  Inherit, SecondItems,  1, false},
};
// clang-format on

class SmallWindow : public testing::Test {
 protected:
  SmallWindow() {
    form.SetClientSize(300, 200);
    form.SetShowHint(true);
    BuildLayout(form, SmallLayout);
    BindControl(form, button, "button");
    BindControl(form, list, "list");
    BindControl(form, first, "first");
    BindControl(form, group, "group");
    BindControl(form, box, "box");
    BindControl(form, second, "second");
    form.OnActiveControlChange = [this](TObject*) {
      visited.push_back(form.ActiveControl() ? form.ActiveControl()->Name() : "(none)");
    };
  }

  std::vector<std::string> Walk(int presses, bool forward = true) {
    visited.clear();
    for (int i = 0; i < presses; ++i) form.SelectNext(forward);
    return visited;
  }

  TForm form{nullptr};
  TButton* button;
  TListBox* list;
  TRadioGroup* first;
  TGroupBox* group;
  TCheckBox* box;
  TRadioGroup* second;
  std::vector<std::string> visited;
};

using Names = std::vector<std::string>;

TEST_F(SmallWindow, TabFollowsTabOrderIntoGroupBoxesAndWrapsRound) {
  EXPECT_EQ(Walk(6), (Names{"first", "box", "second", "list", "button", "first"}));
  EXPECT_EQ(Walk(3, false), (Names{"button", "list", "second"}));
}

TEST_F(SmallWindow, ShowingTheFormFocusesTheFirstStop) {
  form.Show();
  EXPECT_EQ(form.ActiveControl(), first);
  EXPECT_TRUE(first->Focused());
}

TEST_F(SmallWindow, TabPassesOverDisabledGroupsAndRadioGroupsWithoutSelection) {
  first->SetItemIndex(-1);
  group->SetEnabled(false);
  EXPECT_EQ(Walk(4), (Names{"second", "list", "button", "second"}));
  first->SetItemIndex(1);
  second->SetEnabled(false);
  group->SetEnabled(true);
  EXPECT_EQ(Walk(5), (Names{"list", "button", "first", "box", "list"}));
}

TEST_F(SmallWindow, TabGoesOnFromAControlThatCannotTakeTheFocusAnyMore) {
  second->SetFocus();
  second->SetEnabled(false);
  visited.clear();
  form.SelectNext(true);
  EXPECT_EQ(form.ActiveControl(), list);
}

TEST_F(SmallWindow, NoStopAtAllLeavesTheFocusAlone) {
  for (TControl* c : std::vector<TControl*>{first, group, second, list, button})
    c->SetEnabled(false);
  EXPECT_FALSE(form.SelectNext(true));
  EXPECT_EQ(form.ActiveControl(), nullptr);
}

TEST_F(SmallWindow, SetFocusRefusesWhatCannotTakeIt) {
  group->SetEnabled(false);
  EXPECT_THROW(box->SetFocus(), Exception);
  EXPECT_THROW(group->SetFocus(), Exception) << "a group box is no Tab stop";
  second->SetFocus();
  EXPECT_EQ(visited, (Names{"second"}));
}

TEST_F(SmallWindow, ActiveControlFollowsOnlyMovesOfTheNativeFocus) {
  // Stand-ins for a backend's native windows.
  static const char listWindow = 0, formWindow = 0, foreignWindow = 0, boxWindow = 0;
  NoteNativeFocus(nullptr, nullptr);  // whatever an earlier test left behind
  visited.clear();
  NoteNativeFocus(&listWindow, list);
  EXPECT_EQ(form.ActiveControl(), list);

  // The program moved the focus; a native focus still where it was reports nothing new.
  button->SetFocus();
  NoteNativeFocus(&listWindow, list);
  EXPECT_EQ(form.ActiveControl(), button);

  NoteNativeFocus(&formWindow, &form);
  NoteNativeFocus(&foreignWindow, nullptr);
  EXPECT_EQ(form.ActiveControl(), button) << "the form's own window, a window of no control";
  NoteNativeFocus(&boxWindow, box);
  EXPECT_EQ(visited, (Names{"list", "button", "box"}));
}

TEST_F(SmallWindow, HintIsTheControlsOwnOrTheNearestEnclosingOne) {
  second->SetHint("second's hint");
  group->SetHint("group's hint");
  list->SetHint("list's hint");
  struct Case {
    int x, y;
    const char* hint;
  };
  for (Case c :
       {Case{250, 50, "second's hint"},                  // on one of its buttons: the group's hint
        Case{110, 80, "group's hint"},                   // the check box has none of its own
        Case{102, 62, "group's hint"},                   // the group box's frame
        Case{50, 50, "list's hint"}, Case{150, 30, ""},  // first: no hint anywhere up the chain
        Case{150, 190, ""}}) {
    EXPECT_EQ(form.HintAt(c.x, c.y), c.hint) << c.x << "," << c.y;
  }
  box->SetHint("box's own");
  EXPECT_EQ(form.HintAt(110, 80), "box's own");
}

TEST_F(SmallWindow, ShowHintFollowsTheParentUnlessSetOnTheControl) {
  list->SetHint("list's hint");
  second->SetHint("second's hint");
  second->SetEnabled(false);
  EXPECT_EQ(form.HintAt(250, 50), "second's hint") << "disabled controls show hints too";

  form.SetShowHint(false);
  EXPECT_EQ(form.HintAt(50, 50), "");
  list->SetShowHint(true);
  EXPECT_FALSE(list->ParentShowHint());
  EXPECT_EQ(form.HintAt(50, 50), "list's hint");
  EXPECT_EQ(form.HintAt(250, 50), "");

  form.SetShowHint(true);
  list->SetShowHint(false);
  EXPECT_EQ(form.HintAt(50, 50), "");
  list->SetParentShowHint(true);
  EXPECT_EQ(form.HintAt(50, 50), "list's hint");
}

}  // namespace
