#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Classes.h"
#include "platform/forms/Graphics.h"
#include "platform/forms/Peer.h"

class TForm;
class TWinControl;

// A visible element of a window: where it sits in its parent, what it says, whether the user
// may use it, its hint and its place in the Tab order. The object holds all of this; a setter
// changes the object first and then tells the native peer, if there is one.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  // Moves the control into `parent` (nullptr: out of any window). It goes on top of its new
  // siblings, and takes the next Tab position there unless it has one already.
  void SetParent(TWinControl* parent);
  // The form this control sits in (itself, for a form), or nullptr.
  TForm* ParentForm() const;

  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width; }
  int Height() const { return bounds_.Height; }
  // In the parent's client coordinates.
  const TRect& BoundsRect() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Enabled itself and in every enclosing control: what the user can actually reach.
  bool EnabledInParents() const;

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); }
  // Whether the control's hint shows: its own setting, or its parent's while ParentShowHint.
  bool ShowHint() const;
  // Giving the control a ShowHint of its own ends its following the parent.
  void SetShowHint(bool showHint);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool parentShowHint) { parentShowHint_ = parentShowHint; }

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int tabOrder) { tabOrder_ = tabOrder; }

  // Whether the keyboard focus can go to this control now: a kind that takes the focus, in a
  // state that takes it, enabled here and in every enclosing control.
  bool CanFocus() const;
  // Moves the focus here; raises Exception where CanFocus is false.
  void SetFocus();
  bool Focused() const;

  TControlPeer* Peer() const { return peer_.get(); }

 protected:
  // Whether this kind, in its present state, is a Tab stop (enablement aside).
  virtual bool TakesFocus() const { return false; }
  // The backend's peer for this kind of control.
  virtual std::unique_ptr<TControlPeer> MakePeer() = 0;

  void UpdatePeer(TPeerChange change);
  // Makes the peer of this control and of everything inside it.
  virtual void CreatePeers();
  // Destroys the peers of everything inside this control, then its own.
  virtual void DestroyPeers();
  // Enabled changed here or further out.
  virtual void EnabledChanged();

  std::unique_ptr<TControlPeer> peer_;

 private:
  friend class TWinControl;

  TWinControl* parent_ = nullptr;
  TRect bounds_;
  std::string caption_;
  bool enabled_ = true;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  int tabOrder_ = -1;
};

// A control that holds other controls.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner) : TControl(AOwner) {}
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // Children in stacking order: the last one is on top.
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }

  // The innermost control at (x, y) of this control's client area, the topmost where frames
  // overlap, disabled ones included; nullptr where no child is there.
  TControl* ControlAtPos(int x, int y) const;

  // Every control inside, depth first, siblings by TabOrder (then by age): the order the Tab
  // key follows, before asking each whether it takes the focus.
  std::vector<TControl*> TabOrderList() const;
  // The children alone, by TabOrder (then by age).
  std::vector<TControl*> ChildrenInTabOrder() const;

 protected:
  void CreatePeers() override;
  void DestroyPeers() override;
  void EnabledChanged() override;

 private:
  friend class TControl;
  void AppendTabOrder(std::vector<TControl*>& list) const;

  std::vector<TControl*> controls_;
};
