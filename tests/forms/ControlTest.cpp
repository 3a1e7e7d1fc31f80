#include <gtest/gtest.h>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

namespace {

TEST(ControlTest, EnabledInParentsFollowsEveryEnclosingControl) {
  TForm form(nullptr);
  auto* group = new TGroupBox(&form);
  auto* box = new TCheckBox(&form);
  group->SetParent(&form);
  box->SetParent(group);

  struct Case {
    bool form, group, box, reachable;
  };
  for (Case c : {Case{true, true, true, true}, Case{true, true, false, false},
                 Case{true, false, true, false}, Case{false, true, true, false}}) {
    form.SetEnabled(c.form);
    group->SetEnabled(c.group);
    box->SetEnabled(c.box);
    EXPECT_EQ(box->EnabledInParents(), c.reachable) << c.form << c.group << c.box;
    EXPECT_EQ(box->Enabled(), c.box) << "a control's own flag is not changed by its parents";
  }
}

TEST(ControlTest, DisabledControlIgnoresTheUsersActions) {
  TForm form(nullptr);
  auto* group = new TGroupBox(&form);
  auto* box = new TCheckBox(&form);
  auto* button = new TButton(&form);
  auto* radio = new TRadioGroup(&form);
  group->SetParent(&form);
  box->SetParent(group);
  button->SetParent(&form);
  radio->SetParent(&form);
  radio->Items().Assign({"a", "b"});
  radio->SetItemIndex(0);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  button->OnClick = [&](TObject*) { ++clicks; };

  group->SetEnabled(false);
  button->SetEnabled(false);
  radio->SetEnabled(false);
  box->UserClick();
  button->UserClick();
  radio->UserSelect(1);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(radio->ItemIndex(), 0);

  // Code still changes a disabled group's selection.
  radio->SetItemIndex(1);
  EXPECT_EQ(radio->ItemIndex(), 1);
}

TEST(ControlTest, NewChildGoesOnTopAndTakesTheNextTabPosition) {
  TForm form(nullptr);
  auto* a = new TButton(&form);
  auto* b = new TButton(&form);
  a->SetParent(&form);
  b->SetParent(&form);
  EXPECT_EQ(a->TabOrder(), 0);
  EXPECT_EQ(b->TabOrder(), 1);
  EXPECT_EQ(form.Controls(1), b);
  EXPECT_EQ(a->ParentForm(), &form);
  EXPECT_EQ(form.ParentForm(), &form);

  a->SetParent(nullptr);
  EXPECT_EQ(form.ControlCount(), 1);
  EXPECT_EQ(a->ParentForm(), nullptr);
  delete a;
}

TEST(ControlTest, ControlAtPosFindsTheInnermostAndTopmostControl) {
  TForm form(nullptr);
  form.SetClientSize(200, 100);
  auto* lower = new TGroupBox(&form);
  auto* upper = new TRadioGroup(&form);  // made later: on top where they overlap
  auto* inner = new TCheckBox(&form);
  lower->SetBounds(0, 0, 100, 50);
  upper->SetBounds(0, 49, 100, 50);
  inner->SetBounds(8, 16, 60, 17);
  lower->SetParent(&form);
  upper->SetParent(&form);
  inner->SetParent(lower);

  EXPECT_EQ(form.ControlAtPos(8, 16), inner);
  EXPECT_EQ(form.ControlAtPos(67, 32), inner);
  EXPECT_EQ(form.ControlAtPos(68, 32), lower);
  EXPECT_EQ(form.ControlAtPos(5, 49), upper);
  EXPECT_EQ(form.ControlAtPos(5, 48), lower);
  EXPECT_EQ(form.ControlAtPos(150, 10), nullptr);
}

}  // namespace
