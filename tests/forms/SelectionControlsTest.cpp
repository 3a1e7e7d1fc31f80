#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/sysutils.h"

namespace {

struct ClampCase {
  int before;
  int set;
  int after;
};

void PrintTo(const ClampCase& c, std::ostream* os) {
  *os << "selected " << c.before << ", set " << c.set << " -> " << c.after;
}

class RadioGroupClampTest : public testing::TestWithParam<ClampCase> {};

TEST_P(RadioGroupClampTest, SelectionFromCodeIsClamped) {
  const ClampCase c = GetParam();
  TRadioGroup group(nullptr);
  group.Items().Assign({"a", "b", "c", "d", "e", "f", "g", "h"});
  group.SetItemIndex(c.before);
  group.SetItemIndex(c.set);
  EXPECT_EQ(group.ItemIndex(), c.after);
}

INSTANTIATE_TEST_SUITE_P(EightItems, RadioGroupClampTest,
                         testing::Values(ClampCase{0, 3, 3}, ClampCase{0, 7, 7}, ClampCase{0, 8, 7},
                                         ClampCase{0, 12, 7}, ClampCase{3, 2147483647, 7},
                                         ClampCase{0, -1, -1}, ClampCase{5, -3, -1},
                                         ClampCase{5, -2147483647 - 1, -1}, ClampCase{-1, 0, 0},
                                         ClampCase{6, 6, 6}));

TEST(RadioGroupTest, UserCanPickFromNoSelectionButNeverReturnToNone) {
  TRadioGroup group(nullptr);
  group.Items().Assign({"New TYPE", "Old  TYPE"});
  group.SetItemIndex(-1);
  group.UserSelect(1);
  EXPECT_EQ(group.ItemIndex(), 1);
  group.UserSelect(-1);
  group.UserSelect(2);
  EXPECT_EQ(group.ItemIndex(), 1);
}

TEST(RadioGroupTest, FewerItemsClampTheSelectionToTheLast) {
  TRadioGroup group(nullptr);
  group.Items().Assign({"a", "b", "c"});
  group.SetItemIndex(2);
  group.Items().Assign({"a", "b"});
  EXPECT_EQ(group.ItemIndex(), 1);
  group.Items().Assign({});
  EXPECT_EQ(group.ItemIndex(), -1);
  group.SetItemIndex(0);
  EXPECT_EQ(group.ItemIndex(), -1) << "no item to select";
}

TEST(RadioGroupTest, ButtonsShareTheHeightBelowTheCaptionEvenly) {
  TRadioGroup group(nullptr);
  group.SetBounds(0, 0, 89, 81);
  group.Items().Assign({"1", "2", "3", "4", "5"});
  // 81 - 12 - 5 = 64 pixels for five buttons: 12 each, the 4 left over split above and below.
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(group.ButtonBounds(i, 12), (TRect{8, 15 + 12 * i, 79, 12})) << i;

  group.SetBounds(0, 0, 193, 105);
  group.Items().Assign({"a", "b", "c", "d", "e", "f", "g", "h"});
  const TRect last = group.ButtonBounds(7, 12);
  EXPECT_EQ(last, (TRect{8, 13 + 7 * 11, 183, 11}));
  EXPECT_LE(last.Top + last.Height, group.Height());
}

class CheckBoxTest : public testing::Test {
 protected:
  CheckBoxTest() {
    box.OnClick = [this](TObject* sender) {
      EXPECT_EQ(sender, &box);
      states.push_back(box.Checked());
    };
  }
  TCheckBox box{nullptr};
  std::vector<bool> states;  // Checked as each OnClick saw it
};

TEST_F(CheckBoxTest, SettingTheOtherStateFiresOnClickAfterTheChange) {
  box.SetChecked(true);
  box.SetChecked(false);
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

TEST_F(CheckBoxTest, SettingTheSameStateDoesNothing) {
  box.SetChecked(false);
  box.SetChecked(true);
  box.SetChecked(true);
  EXPECT_EQ(states, (std::vector<bool>{true}));
}

TEST_F(CheckBoxTest, UsersClickTogglesAndFiresJustAsCodeDoes) {
  box.UserClick();
  EXPECT_TRUE(box.Checked());
  box.UserClick();
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

TEST_F(CheckBoxTest, HandlerThatSetsTheBoxAgainSeesEachChangeOnce) {
  // A handler may turn the box back; that is one more change and one more OnClick, no loop.
  box.OnClick = [this](TObject*) {
    states.push_back(box.Checked());
    if (box.Checked()) box.SetChecked(false);
  };
  box.UserClick();
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

TEST(ListBoxTest, ItemIndexOutsideTheItemsSelectsNothing) {
  TListBox list(nullptr);
  list.Items().Assign({"Alien Syndrome", "Altered Beast", "Alien Storm"});
  for (auto [set, expected] :
       std::vector<std::pair<int, int>>{{0, 0}, {2, 2}, {3, -1}, {1, 1}, {-1, -1}, {-5, -1}}) {
    list.SetItemIndex(set);
    EXPECT_EQ(list.ItemIndex(), expected) << set;
  }
}

TEST(ListBoxTest, UsersSelectionAndDoubleClickReachTheirEvents) {
  TListBox list(nullptr);
  list.Items().Assign({"a", "b"});
  std::vector<std::string> events;
  list.OnClick = [&](TObject*) { events.push_back("click " + std::to_string(list.ItemIndex())); };
  list.OnDblClick = [&](TObject*) { events.push_back("dbl " + std::to_string(list.ItemIndex())); };

  list.UserSelect(1);
  list.UserSelect(1);   // no change: no click
  list.UserSelect(-1);  // the user cannot select nothing
  list.UserSelect(2);
  list.UserDoubleClick();
  list.SetItemIndex(0);  // from code: no event
  EXPECT_EQ(events, (std::vector<std::string>{"click 1", "dbl 1"}));
}

TEST(ListBoxTest, RemovingTheSelectedRowClearsTheSelection) {
  TListBox list(nullptr);
  list.Items().Assign({"a", "b"});
  list.SetItemIndex(1);
  list.Items().Assign({"a"});
  EXPECT_EQ(list.ItemIndex(), -1);
}

}  // namespace
