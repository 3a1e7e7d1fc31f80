#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/forms/Controls.h"

// The lines of a list or of a radio group. Its control hears of every change.
class TStrings {
 public:
  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& operator[](int index) const { return lines_.at(static_cast<size_t>(index)); }
  void Assign(std::vector<std::string> lines);

 private:
  friend class TListBox;
  friend class TRadioGroup;
  void Changed() {
    if (onChange_) onChange_();
  }

  std::vector<std::string> lines_;
  std::function<void()> onChange_;
};

class TButton : public TControl {
 public:
  explicit TButton(TComponent* AOwner) : TControl(AOwner) {}

  TNotifyEvent OnClick;

  // The backend's report of a press: fires OnClick.
  void UserClick();

 protected:
  bool TakesFocus() const override { return true; }
  std::unique_ptr<TControlPeer> MakePeer() override;
};

// A two-state check box. Turning it to the other state fires OnClick, whether the user or the
// program turns it; setting the state it already has does nothing.
class TCheckBox : public TControl {
 public:
  explicit TCheckBox(TComponent* AOwner) : TControl(AOwner) {}

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  TNotifyEvent OnClick;

  // The backend's report of a click or of Space: turns the box to the other state.
  void UserClick();

 protected:
  bool TakesFocus() const override { return true; }
  std::unique_ptr<TControlPeer> MakePeer() override;

 private:
  bool checked_ = false;
};

// A single-selection list. ItemIndex -1 is no selection; an index outside the items selects
// nothing.
class TListBox : public TControl {
 public:
  explicit TListBox(TComponent* AOwner);

  TStrings& Items() { return items_; }
  const TStrings& Items() const { return items_; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

  // The backend's reports: the user selected a row (also by keyboard; a row outside the items
  // changes nothing); the user double-clicked.
  void UserSelect(int index);
  void UserDoubleClick();

 protected:
  bool TakesFocus() const override { return true; }
  std::unique_ptr<TControlPeer> MakePeer() override;

 private:
  void ItemsChanged();

  TStrings items_;
  int itemIndex_ = -1;
};

// A captioned frame around other controls; the Tab key passes through it to what it holds.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {}

 protected:
  std::unique_ptr<TControlPeer> MakePeer() override;
};
