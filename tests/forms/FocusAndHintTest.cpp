#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/sysutils.h"

namespace {

// A small window: two radio groups, a group box with a check box, a list and a button, made in
// an order that differs from their Tab order.
class SmallWindow : public testing::Test {
 protected:
  SmallWindow() {
    form.SetClientSize(300, 200);
    form.SetShowHint(true);
    button = Add<TButton>("button", &form, {0, 180, 300, 20}, 4);
    list = Add<TListBox>("list", &form, {0, 0, 100, 180}, 3);
    first = Add<TRadioGroup>("first", &form, {100, 0, 100, 60}, 0);
    group = Add<TGroupBox>("group", &form, {100, 60, 100, 40}, 1);
    box = Add<TCheckBox>("box", group, {8, 16, 80, 17}, 0);
    second = Add<TRadioGroup>("second", &form, {200, 0, 100, 100}, 2);
    first->Items().Assign({"a", "b"});
    second->Items().Assign({"c", "d", "e"});
    first->SetItemIndex(0);
    second->SetItemIndex(1);
    list->Items().Assign({"x"});
    form.OnActiveControlChange = [this](TObject*) {
      visited.push_back(form.ActiveControl() ? form.ActiveControl()->Name() : "(none)");
    };
  }

  template <typename Control>
  Control* Add(const char* name, TWinControl* parent, TRect bounds, int tabOrder) {
    auto* control = new Control(&form);
    control->SetName(name);
    control->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    control->SetTabOrder(tabOrder);
    control->SetParent(parent);
    return control;
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
