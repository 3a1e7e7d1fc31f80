#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/Classes.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

namespace {

// Records its name in `log` when released.
class TRecorder : public TComponent {
 public:
  TRecorder(TComponent* owner, std::string name, std::vector<std::string>& log)
      : TComponent(owner), log_(log) {
    SetName(std::move(name));
  }
  ~TRecorder() override { log_.push_back(Name()); }

 private:
  std::vector<std::string>& log_;
};

TEST(ComponentTest, OwnerReleasesWhatItOwnsLatestFirstAndOnlyOnce) {
  std::vector<std::string> released;
  auto* owner = new TRecorder(nullptr, "owner", released);
  new TRecorder(owner, "first", released);
  auto* second = new TRecorder(owner, "second", released);
  new TRecorder(second, "grandchild", released);
  new TRecorder(owner, "third", released);
  ASSERT_EQ(owner->ComponentCount(), 3);

  delete owner;
  // Each records itself before its own components go.
  EXPECT_EQ(released,
            (std::vector<std::string>{"owner", "third", "second", "grandchild", "first"}));
}

TEST(ComponentTest, ComponentReleasedEarlyLeavesItsOwnersList) {
  std::vector<std::string> released;
  TRecorder owner(nullptr, "owner", released);
  auto* early = new TRecorder(&owner, "early", released);
  new TRecorder(&owner, "late", released);

  delete early;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0)->Name(), "late");
  EXPECT_EQ(owner.FindComponent("early"), nullptr);
  EXPECT_EQ(owner.FindComponent("late"), owner.Components(0));
}

TEST(ComponentTest, FormReleasesNestedControlsInEitherOrderOfParentAndChild) {
  // The check box is made before its group box here, so the owner releases the group box
  // first; the check box must not reach back into it afterwards.
  auto* form = new TForm(nullptr);
  auto* box = new TCheckBox(form);
  auto* group = new TGroupBox(form);
  group->SetParent(form);
  box->SetParent(group);
  ASSERT_EQ(group->ControlCount(), 1);
  delete form;  // ASan reports any use after release or leak
}

TEST(ComponentTest, ReleasingAParentDetachesItsChildren) {
  TForm form(nullptr);
  auto* group = new TGroupBox(&form);
  auto* box = new TCheckBox(&form);
  group->SetParent(&form);
  box->SetParent(group);
  box->SetFocus();

  delete group;
  EXPECT_EQ(box->Parent(), nullptr);
  EXPECT_EQ(form.ControlCount(), 0);
  EXPECT_EQ(form.ActiveControl(), nullptr) << "the focus left the form with the group box";
  delete box;
}

}  // namespace
