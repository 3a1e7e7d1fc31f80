// The application's error box: the stop icon, the text and one OK button, modal.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>
#include <algorithm>
#include <string>

#include "platform/forms/Graphics.h"
#include "platform/forms/fltk/FltkDialogPlace.h"
#include "platform/forms/fltk/FltkErrorBox.h"
#include "platform/forms/fltk/FltkFonts.h"
#include "platform/forms/fltk/FltkScale.h"
#include "platform/forms/fltk/FltkX11.h"

namespace forms::fltk {
namespace {

// Layout pixels, scaled with the display.
constexpr int Margin = 12;
constexpr int IconSize = 32;
constexpr int ButtonW = 75;
constexpr int ButtonH = 23;
constexpr int MaxTextW = 560;

// The stop sign: a red disc with a white cross.
class TStopIcon final : public Fl_Widget {
 public:
  TStopIcon(int x, int y, int size) : Fl_Widget(x, y, size, size) {}

 protected:
  void draw() override {
    fl_color(fl_rgb_color(128, 0, 0));
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(FL_RED);
    fl_pie(x() + 1, y() + 1, w() - 2, h() - 2, 0, 360);
    fl_color(FL_WHITE);
    fl_line_style(FL_SOLID | FL_CAP_ROUND, std::max(1, w() / 8));
    const int a = w() * 10 / IconSize;
    const int b = w() - w() * 11 / IconSize;
    fl_line(x() + a, y() + a, x() + b, y() + b);
    fl_line(x() + b, y() + a, x() + a, y() + b);
    fl_line_style(0);
  }
};

// Plain text: '@' and '&' are characters like any other.
class TText final : public Fl_Widget {
 public:
  TText(int x, int y, int w, int h, const std::string& text, TFltkFont font)
      : Fl_Widget(x, y, w, h), text_(text), font_(font) {}

 protected:
  void draw() override {
    fl_color(FL_BLACK);
    fl_font(font_.Face, font_.Size);
    fl_draw(text_.c_str(), x(), y(), w(), h(),
            FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP, nullptr, 0);
  }

 private:
  std::string text_;
  TFltkFont font_;
};

class TErrorBoxWindow final : public Fl_Double_Window {
 public:
  TErrorBoxWindow(int w, int h, std::string copyText)
      : Fl_Double_Window(w, h), copyText_(std::move(copyText)) {}

 protected:
  // Ctrl+C (or Ctrl+Insert) copies the box as text, as the Windows message box does; Enter
  // presses OK (Escape and the close box close the box too).
  int handle(int event) override {
    if ((event == FL_KEYBOARD || event == FL_SHORTCUT) &&
        (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
      hide();
      return 1;
    }
    if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && (Fl::event_state() & FL_CTRL) &&
        (Fl::event_key() == 'c' || Fl::event_key() == FL_Insert)) {
      Fl::copy(copyText_.c_str(), static_cast<int>(copyText_.size()), 1, Fl::clipboard_plain_text);
      return 1;
    }
    return Fl_Double_Window::handle(event);
  }

 private:
  std::string copyText_;
};

// What Ctrl+C in the box puts on the clipboard: caption, text and button between rules.
std::string ErrorBoxCopyText(const std::string& caption, const std::string& text) {
  const std::string rule = "---------------------------\n";
  return rule + caption + "\n" + rule + text + "\n" + rule + "OK   \n" + rule;
}

}  // namespace

void ShowFltkErrorBox(const std::string& caption, const std::string& text) {
  // The window that was active, and its control with the focus, get the keyboard back after the
  // box: the user goes on where they were, without a window manager's help.
  Fl_Widget* focus = Fl::focus();
  Fl_Window* active = focus != nullptr ? focus->top_window() : nullptr;
  Fl_Widget_Tracker focusAlive(focus);
  Fl_Widget_Tracker activeAlive(active);
  const TFltkFont font = ResolveFont(TFont{.Name = "ＭＳ Ｐゴシック", .Height = -12});
  SettleFonts();
  fl_font(font.Face, font.Size);
  int textW = 0;
  int textH = 0;
  fl_measure(text.c_str(), textW, textH, 0);
  const TScale& scale = DisplayScale();
  const int margin = scale.Pixels(Margin);
  const int iconSize = scale.Pixels(IconSize);
  const int buttonW = scale.Pixels(ButtonW);
  const int buttonH = scale.Pixels(ButtonH);
  if (textW > scale.Pixels(MaxTextW)) {
    textW = scale.Pixels(MaxTextW);
    textH = 0;
    fl_measure(text.c_str(), textW, textH, 0);
  }
  const int textX = margin + iconSize + margin;
  const int textY = margin + std::max(0, (iconSize - textH) / 2);
  const int contentBottom = std::max(margin + iconSize, textY + textH);
  const int w =
      std::max(textX + textW + margin + scale.Pixels(4), buttonW + 2 * margin + scale.Pixels(60));
  const int buttonY = contentBottom + scale.Pixels(14);
  const int h = buttonY + buttonH + margin;

  TErrorBoxWindow box(w, h, ErrorBoxCopyText(caption, text));
  box.copy_label(caption.c_str());
  new TStopIcon(margin, margin, iconSize);
  new TText(textX, textY, textW + scale.Pixels(4), textH, text, font);
  auto* ok = new Fl_Button((w - buttonW) / 2, buttonY, buttonW, buttonH, "OK");
  ok->labelfont(font.Face);
  ok->labelsize(font.Size);
  ok->callback([](Fl_Widget* button, void*) { button->window()->hide(); });
  box.end();
  PlaceAsDialog(box, w, h);
  box.set_modal();
  box.show();
  ok->take_focus();
  while (box.shown()) Fl::wait();

  if (active != nullptr && activeAlive.exists() && active->shown() && active->visible()) {
    ActivateWindow(*active);
    if (focus != nullptr && focusAlive.exists()) focus->take_focus();
  }
}

}  // namespace forms::fltk
