#include "platform/forms/fltk/FltkPeer.h"

#include <FL/Fl.H>
#include <unordered_map>

#include "platform/forms/Forms.h"
#include "platform/forms/fltk/FltkScale.h"

namespace forms::fltk {
namespace {

std::unordered_map<const Fl_Widget*, TFltkPeer*>& Peers() {
  static std::unordered_map<const Fl_Widget*, TFltkPeer*> peers;
  return peers;
}

std::unordered_map<const TControl*, Fl_Group*>& Containers() {
  static std::unordered_map<const TControl*, Fl_Group*> containers;
  return containers;
}

}  // namespace

TFltkPeer::TFltkPeer(TControl& control, Fl_Widget* widget) : control_(control), widget_(widget) {
  Peers()[widget_] = this;
  if (auto found = Containers().find(control_.Parent()); found != Containers().end())
    found->second->add(widget_);
}

TFltkPeer::~TFltkPeer() {
  Peers().erase(widget_);
  Containers().erase(&control_);
  if (Fl_Group* parent = widget_->parent()) parent->remove(widget_);
  delete widget_;
}

TControl* TFltkPeer::ControlOf(const Fl_Widget* widget) {
  for (; widget != nullptr; widget = widget->parent())
    if (auto found = Peers().find(widget); found != Peers().end()) return &found->second->control_;
  return nullptr;
}

void TFltkPeer::Update(TPeerChange change) {
  switch (change) {
    case TPeerChange::Bounds: {
      const TRect r = DisplayScale().Pixels(WindowBounds());
      widget_->resize(r.Left, r.Top, r.Width, r.Height);
      break;
    }
    case TPeerChange::Caption:
      widget_->copy_label(control_.Caption().c_str());
      break;
    case TPeerChange::Enabled:
      if (control_.Enabled())
        widget_->activate();
      else
        widget_->deactivate();
      break;
    case TPeerChange::Font: {
      const TFltkFont font = Font();
      widget_->labelfont(font.Face);
      widget_->labelsize(font.Size);
      break;
    }
    case TPeerChange::Items:
    case TPeerChange::Selection:
      break;
  }
  UpdateState(change);
  widget_->redraw();
}

void TFltkPeer::Focus() {
  widget_->take_focus();
}

void TFltkPeer::HoldChildrenIn(Fl_Group* group) {
  Containers()[&control_] = group;
}

void TFltkPeer::Refresh() {
  for (TPeerChange change : {TPeerChange::Font, TPeerChange::Bounds, TPeerChange::Caption,
                             TPeerChange::Enabled, TPeerChange::Items, TPeerChange::Selection})
    Update(change);
}

TRect TFltkPeer::WindowBounds() const {
  TRect r = control_.BoundsRect();
  if (dynamic_cast<const TForm*>(&control_) != nullptr) return r;
  for (const TWinControl* p = control_.Parent(); p != nullptr && p->Parent() != nullptr;
       p = p->Parent()) {
    r.Left += p->Left();
    r.Top += p->Top();
  }
  return r;
}

TFont TFltkPeer::FormFont() const {
  const TForm* form = control_.ParentForm();
  return form != nullptr ? form->Font() : TFont{};
}

TFltkFont TFltkPeer::Font() const {
  return ResolveFont(FormFont());
}

int TFltkPeer::TextHeight() const {
  return FormFont().PixelHeight();
}

bool IsArrowKeyEvent(int event) {
  if (event != FL_KEYBOARD) return false;
  const int key = Fl::event_key();
  return key == FL_Up || key == FL_Down || key == FL_Left || key == FL_Right;
}

bool IsEnterKeyEvent(int event) {
  if (event != FL_KEYBOARD) return false;
  const int key = Fl::event_key();
  return (key == FL_Enter || key == FL_KP_Enter) &&
         (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) == 0;
}

}  // namespace forms::fltk
