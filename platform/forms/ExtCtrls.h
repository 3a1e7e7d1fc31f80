#pragma once

#include "platform/forms/StdCtrls.h"

// A captioned frame of radio buttons, one per item, in one column. At most one is selected;
// ItemIndex -1 is none. The buttons are the group's own: they have no hint, Tab order or
// state apart from the group's.
class TRadioGroup : public TWinControl {
 public:
  explicit TRadioGroup(TComponent* AOwner);

  TStrings& Items() { return items_; }
  const TStrings& Items() const { return items_; }

  int ItemIndex() const { return itemIndex_; }
  // Selection from code: a negative index selects none, an index at or past the last item
  // selects the last one, the index already selected changes nothing.
  void SetItemIndex(int index);

  // The backend's report: the user picked the button of `index`.
  void UserSelect(int index);

  // Where the button of `index` sits in the group's client area, for a caption font whose
  // lines are `textHeight` high: the buttons share the height below the caption evenly.
  TRect ButtonBounds(int index, int textHeight) const;

 protected:
  // Tab stops on the selected button; a group with none selected is passed over.
  bool TakesFocus() const override { return itemIndex_ >= 0; }
  std::unique_ptr<TControlPeer> MakePeer() override;

 private:
  void ItemsChanged();

  TStrings items_;
  int itemIndex_ = -1;
};
