#pragma once

#include <FL/Fl_Group.H>
#include <FL/Fl_Widget.H>

#include "platform/forms/Controls.h"
#include "platform/forms/Peer.h"
#include "platform/forms/fltk/FltkFonts.h"

namespace forms::fltk {

// Whether the event being handled is an arrow key: those belong to lists and radio groups and do
// not move the focus between controls, as FLTK's groups and windows would have them do.
bool IsArrowKeyEvent(int event);

// Whether the event being handled is a press of Enter (either one), without Ctrl, Alt or Meta.
bool IsEnterKeyEvent(int event);

// What every FLTK peer shares: it makes its widget inside the parent's widget, keeps place,
// caption, enablement and font in step with the control, and takes the widget down with it.
class TFltkPeer : public TControlPeer {
 public:
  // Takes ownership of `widget`, which must not have been added to a group yet.
  TFltkPeer(TControl& control, Fl_Widget* widget);
  ~TFltkPeer() override;

  void Update(TPeerChange change) override;
  void Focus() override;

  TControl& Control() const { return control_; }
  Fl_Widget* Widget() const { return widget_; }

  // The control a widget (or the nearest enclosing widget with a peer) belongs to.
  static TControl* ControlOf(const Fl_Widget* widget);

 protected:
  // The peers of the control's children put their widgets into `group`.
  void HoldChildrenIn(Fl_Group* group);
  // Applies everything once; peers call it at the end of their constructor.
  void Refresh();
  virtual void UpdateState(TPeerChange) {}
  // The control's place in the layout coordinates of its window (scale it for FLTK).
  TRect WindowBounds() const;
  // The form's font, at the display's scale.
  TFltkFont Font() const;
  // The height of a line of text that the layout was designed for, in layout pixels.
  int TextHeight() const;

 private:
  // The font of the control's form; the default one outside a form.
  TFont FormFont() const;

  TControl& control_;
  Fl_Widget* widget_;
};

}  // namespace forms::fltk
