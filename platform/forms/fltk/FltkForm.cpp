// The peer of a form: a double-buffered top-level window.
#include <errno.h>

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Pixmap.H>
#include <FL/Fl_RGB_Image.H>
#include <string>

#include "platform/forms/Backend.h"
#include "platform/forms/Forms.h"
#include "platform/forms/fltk/FltkDialogPlace.h"
#include "platform/forms/fltk/FltkFonts.h"
#include "platform/forms/fltk/FltkPeer.h"
#include "platform/forms/fltk/FltkScale.h"
#include "platform/forms/fltk/FltkX11.h"

namespace forms::fltk {
namespace {

class TFormWindow final : public Fl_Double_Window {
 public:
  TFormWindow() : Fl_Double_Window(0, 0, 1, 1) {
    end();
    resizable(nullptr);
  }

 protected:
  int handle(int event) override {
    if (IsArrowKeyEvent(event)) return 0;
    return Fl_Double_Window::handle(event);
  }

  void draw() override {
    SettleFonts();
    Fl_Double_Window::draw();
  }
};

void ApplyFont(TControl& control) {
  if (control.Peer() != nullptr) control.Peer()->Update(TPeerChange::Font);
  if (auto* container = dynamic_cast<TWinControl*>(&control))
    for (int i = 0; i < container->ControlCount(); ++i) ApplyFont(*container->Controls(i));
}

class TFormWindowPeer final : public TFormPeer {
 public:
  explicit TFormWindowPeer(TForm& form) : form_(form), base_(form, new TFormWindow) {
    Window()->callback(
        [](Fl_Widget*, void* data) {
          // FLTK closes a window on Escape; a dialog without a Cancel button must not.
          if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
          auto& form = *static_cast<TForm*>(data);
          DeliverUserEvent([&] { form.Close(); });
        },
        &form_);
    Window()->xclass(program_invocation_short_name);
    Update(TPeerChange::Caption);
    Update(TPeerChange::Bounds);
  }

  void Update(TPeerChange change) override {
    switch (change) {
      case TPeerChange::Bounds:
        Window()->size(DisplayScale().Pixels(form_.ClientWidth()),
                       DisplayScale().Pixels(form_.ClientHeight()));
        break;
      case TPeerChange::Caption:
        Window()->copy_label(form_.Caption().c_str());
        break;
      case TPeerChange::Font:
        for (int i = 0; i < form_.ControlCount(); ++i) ApplyFont(*form_.Controls(i));
        break;
      default:
        break;
    }
  }

  void Focus() override {}

  void Show() override {
    Fl_Window& window = *Window();
    PlaceAsDialog(window, DisplayScale().Pixels(form_.ClientWidth()),
                  DisplayScale().Pixels(form_.ClientHeight()));
    if (!form_.Icon().Empty()) {
      Fl_Pixmap picture(form_.Icon().Xpm);
      Fl_RGB_Image icon(&picture);
      window.icon(&icon);
    }
    // The task bar and the icon show the application's name, not the window's caption.
    iconName_ = Application->Title().empty() ? form_.Caption() : Application->Title();
    window.iconlabel(iconName_.c_str());
    window.show();
    SetIconName(window, iconName_);
    SetDialogFrameHints(window);
  }

  void Hide() override { Window()->hide(); }

 private:
  Fl_Double_Window* Window() const { return static_cast<Fl_Double_Window*>(base_.Widget()); }

  // The part every peer shares: the window as the form's widget and the children's container.
  class TWindowWidget final : public TFltkPeer {
   public:
    TWindowWidget(TForm& form, Fl_Double_Window* window) : TFltkPeer(form, window) {
      HoldChildrenIn(window);
    }
  };

  TForm& form_;
  std::string iconName_;  // FLTK keeps the pointer: it outlives the window
  TWindowWidget base_;
};

}  // namespace

}  // namespace forms::fltk

std::unique_ptr<TFormPeer> forms::backend::CreatePeer(TForm& form) {
  return std::make_unique<fltk::TFormWindowPeer>(form);
}
