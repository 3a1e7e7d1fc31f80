// The peers of the controls inside a window.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Round_Button.H>
#include <vector>

#include "platform/forms/Backend.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/fltk/FltkFrame.h"
#include "platform/forms/fltk/FltkPeer.h"
#include "platform/forms/fltk/FltkScale.h"

namespace forms::fltk {
namespace {

template <typename Peer>
void CallBack(Fl_Widget* widget, void (Peer::*action)()) {
  auto* peer = static_cast<Peer*>(widget->user_data());
  DeliverUserEvent([&] { (peer->*action)(); });
}

// A push button that Enter presses while it has the focus, as Space does: the way a focused
// button works on every desktop.
class TPushButton final : public Fl_Button {
 public:
  TPushButton() : Fl_Button(0, 0, 0, 0) {}

 protected:
  int handle(int event) override {
    if (IsEnterKeyEvent(event) && Fl::focus() == this) {
      simulate_key_action();
      do_callback();
      return 1;
    }
    return Fl_Button::handle(event);
  }
};

class TButtonPeer final : public TFltkPeer {
 public:
  explicit TButtonPeer(TButton& button) : TFltkPeer(button, new TPushButton), button_(button) {
    Widget()->callback([](Fl_Widget* w, void*) { CallBack(w, &TButtonPeer::Clicked); }, this);
    Refresh();
  }
  void Clicked() { button_.UserClick(); }

 private:
  TButton& button_;
};

class TCheckBoxPeer final : public TFltkPeer {
 public:
  explicit TCheckBoxPeer(TCheckBox& box)
      : TFltkPeer(box, new Fl_Check_Button(0, 0, 0, 0)), box_(box) {
    // A flat box of the window's colour, so that the focus frame is wiped when it goes.
    Widget()->box(FL_FLAT_BOX);
    Widget()->callback([](Fl_Widget* w, void*) { CallBack(w, &TCheckBoxPeer::Clicked); }, this);
    Refresh();
  }
  // FLTK has turned its button already; the object decides and fires OnClick.
  void Clicked() { box_.UserClick(); }

 protected:
  void UpdateState(TPeerChange change) override {
    if (change == TPeerChange::Selection) static_cast<Fl_Button*>(Widget())->value(box_.Checked());
  }

 private:
  TCheckBox& box_;
};

// A list whose lines are exactly as high as the font; a double click is reported on the second
// press, after the press has selected the line under the pointer.
class TListWidget final : public Fl_Hold_Browser {
 public:
  TListWidget(TListBox& list) : Fl_Hold_Browser(0, 0, 0, 0), list_(list) {
    end();
    when(FL_WHEN_CHANGED);
    has_scrollbar(VERTICAL);  // a long title is cut at the right edge
  }
  int lineHeight = 12;

 protected:
  int item_height(void*) const override { return lineHeight; }
  int handle(int event) override {
    const int handled = Fl_Hold_Browser::handle(event);
    if (event == FL_PUSH && Fl::event_button() == FL_LEFT_MOUSE && Fl::event_clicks() > 0) {
      Fl::event_clicks(0);  // a third press starts a new pair
      DeliverUserEvent([&] { list_.UserDoubleClick(); });
    }
    return handled;
  }

 private:
  TListBox& list_;
};

class TListBoxPeer final : public TFltkPeer {
 public:
  explicit TListBoxPeer(TListBox& list) : TFltkPeer(list, new TListWidget(list)), list_(list) {
    Widget()->callback([](Fl_Widget* w, void*) { CallBack(w, &TListBoxPeer::Selected); }, this);
    Refresh();
  }
  void Selected() { list_.UserSelect(Browser()->value() - 1); }

 protected:
  void UpdateState(TPeerChange change) override {
    switch (change) {
      case TPeerChange::Font: {
        const TFltkFont font = Font();
        Browser()->textfont(font.Face);
        Browser()->textsize(font.Size);
        Browser()->lineHeight = DisplayScale().Pixels(TextHeight());
        break;
      }
      case TPeerChange::Items:
        Browser()->clear();
        for (int i = 0; i < list_.Items().Count(); ++i) Browser()->add(list_.Items()[i].c_str());
        [[fallthrough]];
      case TPeerChange::Selection:
        if (list_.ItemIndex() >= 0)
          Browser()->select(list_.ItemIndex() + 1);
        else
          Browser()->deselect();
        break;
      default:
        break;
    }
  }

 private:
  TListWidget* Browser() const { return static_cast<TListWidget*>(Widget()); }
  TListBox& list_;
};

class TGroupBoxPeer final : public TFltkPeer {
 public:
  explicit TGroupBoxPeer(TGroupBox& group) : TFltkPeer(group, new TFrameGroup(0, 0, 0, 0)) {
    HoldChildrenIn(static_cast<Fl_Group*>(Widget()));
    Refresh();
  }
};

class TRadioGroupPeer;

// The frame of a radio group: the arrow keys move the selection round its buttons, as they do
// in a Windows radio group.
class TRadioFrame final : public TFrameGroup {
 public:
  TRadioFrame(TRadioGroupPeer& peer) : TFrameGroup(0, 0, 0, 0), peer_(peer) {}

 protected:
  int handle(int event) override;

 private:
  TRadioGroupPeer& peer_;
};

class TRadioGroupPeer final : public TFltkPeer {
 public:
  explicit TRadioGroupPeer(TRadioGroup& group)
      : TFltkPeer(group, new TRadioFrame(*this)), group_(group) {
    Refresh();
  }

  void Focus() override {
    const int index = group_.ItemIndex();
    if (index >= 0 && index < static_cast<int>(buttons_.size())) buttons_[index]->take_focus();
  }

  void Step(int by) {
    const int count = static_cast<int>(buttons_.size());
    if (count == 0) return;
    const int from = group_.ItemIndex() >= 0 ? group_.ItemIndex() : 0;
    DeliverUserEvent([&] { group_.UserSelect(((from + by) % count + count) % count); });
    Focus();
  }

 protected:
  void UpdateState(TPeerChange change) override {
    switch (change) {
      case TPeerChange::Items:
      case TPeerChange::Font:
      case TPeerChange::Bounds:
        Rebuild();
        [[fallthrough]];
      case TPeerChange::Selection:
        for (int i = 0; i < static_cast<int>(buttons_.size()); ++i)
          buttons_[i]->value(i == group_.ItemIndex());
        break;
      default:
        break;
    }
  }

 private:
  void Rebuild() {
    auto* frame = static_cast<Fl_Group*>(Widget());
    for (Fl_Round_Button* button : buttons_) {
      frame->remove(button);
      delete button;
    }
    buttons_.clear();
    const TRect origin = WindowBounds();
    const TFltkFont font = Font();
    for (int i = 0; i < group_.Items().Count(); ++i) {
      const TRect inside = group_.ButtonBounds(i, TextHeight());
      const TRect r = DisplayScale().Pixels(
          {origin.Left + inside.Left, origin.Top + inside.Top, inside.Width, inside.Height});
      auto* button = new Fl_Round_Button(r.Left, r.Top, r.Width, r.Height);
      button->type(FL_RADIO_BUTTON);
      button->box(FL_FLAT_BOX);
      button->copy_label(group_.Items()[i].c_str());
      button->labelfont(font.Face);
      button->labelsize(font.Size);
      button->callback(
          [](Fl_Widget* w, void* data) {
            auto* peer = static_cast<TRadioGroupPeer*>(data);
            peer->Picked(w);
          },
          this);
      frame->add(button);
      buttons_.push_back(button);
    }
  }

  void Picked(Fl_Widget* button) {
    for (int i = 0; i < static_cast<int>(buttons_.size()); ++i)
      if (buttons_[i] == button) DeliverUserEvent([&] { group_.UserSelect(i); });
  }

  TRadioGroup& group_;
  std::vector<Fl_Round_Button*> buttons_;
};

int TRadioFrame::handle(int event) {
  if (event == FL_KEYBOARD) {
    switch (Fl::event_key()) {
      case FL_Up:
      case FL_Left:
        peer_.Step(-1);
        return 1;
      case FL_Down:
      case FL_Right:
        peer_.Step(1);
        return 1;
    }
  }
  return TFrameGroup::handle(event);
}

}  // namespace

}  // namespace forms::fltk

namespace forms::backend {

std::unique_ptr<TControlPeer> CreatePeer(TButton& control) {
  return std::make_unique<fltk::TButtonPeer>(control);
}
std::unique_ptr<TControlPeer> CreatePeer(TCheckBox& control) {
  return std::make_unique<fltk::TCheckBoxPeer>(control);
}
std::unique_ptr<TControlPeer> CreatePeer(TGroupBox& control) {
  return std::make_unique<fltk::TGroupBoxPeer>(control);
}
std::unique_ptr<TControlPeer> CreatePeer(TListBox& control) {
  return std::make_unique<fltk::TListBoxPeer>(control);
}
std::unique_ptr<TControlPeer> CreatePeer(TRadioGroup& control) {
  return std::make_unique<fltk::TRadioGroupPeer>(control);
}

}  // namespace forms::backend
