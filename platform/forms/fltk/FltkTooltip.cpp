#include "platform/forms/fltk/FltkTooltip.h"

#include <FL/Fl.H>
#include <FL/Fl_Menu_Window.H>
#include <FL/fl_draw.H>

#include "platform/forms/fltk/FltkFonts.h"
#include "platform/forms/fltk/FltkScale.h"
#include "platform/forms/fltk/FltkX11.h"

namespace forms::fltk {
namespace {

constexpr double ShowDelay = 0.5;
constexpr double ShowTime = 5.0;
// Layout pixels, scaled with the display.
constexpr int Padding = 3;
constexpr int BelowPointer = 20;
constexpr int AbovePointer = 4;

int Pixels(int layout) {
  return DisplayScale().Pixels(layout);
}

class TTipWindow final : public Fl_Menu_Window {
 public:
  TTipWindow() : Fl_Menu_Window(0, 0, 1, 1) {
    end();
    set_override();
    set_tooltip_window();
    box(FL_BORDER_BOX);
    color(fl_rgb_color(255, 255, 225));
  }

  void Open(const std::string& text, const TFont& font) {
    text_ = text;
    font_ = ResolveFont(font);
    SettleFonts();
    fl_font(font_.Face, font_.Size);
    int w = 0;
    int h = 0;
    fl_measure(text_.c_str(), w, h, 0);
    w += 2 * Pixels(Padding);
    h += 2 * Pixels(Padding);
    int mx = 0;
    int my = 0;
    Fl::get_mouse(mx, my);
    int sx, sy, sw, sh;
    Fl::screen_xywh(sx, sy, sw, sh, mx, my);
    int x = mx;
    int y = my + Pixels(BelowPointer);
    if (x + w > sx + sw) x = sx + sw - w;
    if (y + h > sy + sh) y = my - h - Pixels(AbovePointer);
    resize(x, y, w, h);
    show();
    SetWindowName(*this, text_);
    SetTooltipType(*this);
    redraw();
  }

 protected:
  void draw() override {
    draw_box();
    fl_color(FL_BLACK);
    fl_font(font_.Face, font_.Size);
    const int padding = Pixels(Padding);
    fl_draw(text_.c_str(), padding, padding, w() - 2 * padding, h() - 2 * padding,
            FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE, nullptr, 0);
  }

 private:
  std::string text_;
  TFltkFont font_{FL_HELVETICA, 12};
};

struct TState {
  std::string hint;  // where the pointer is now
  TFont font;
  bool suppressed = false;
  TTipWindow* window = nullptr;
};

TState& State() {
  static TState state;
  return state;
}

void HideWindow() {
  if (State().window != nullptr && State().window->shown()) State().window->hide();
}

void Expire(void*) {
  HideWindow();
  State().suppressed = true;
}

void Appear(void*) {
  TState& state = State();
  if (state.hint.empty() || state.suppressed) return;
  if (state.window == nullptr) state.window = new TTipWindow;
  state.window->Open(state.hint, state.font);
  Fl::add_timeout(ShowTime, Expire);
}

void CancelTimers() {
  Fl::remove_timeout(Appear);
  Fl::remove_timeout(Expire);
}

}  // namespace

void TTooltip::PointerAt(const std::string& hint, const TFont& font) {
  TState& state = State();
  if (hint == state.hint) return;
  CancelTimers();
  HideWindow();
  state.hint = hint;
  state.font = font;
  state.suppressed = false;
  if (!hint.empty()) Fl::add_timeout(ShowDelay, Appear);
}

void TTooltip::Dismiss() {
  CancelTimers();
  HideWindow();
  State().suppressed = true;
}

void TTooltip::Leave() {
  CancelTimers();
  HideWindow();
  State().hint.clear();
  State().suppressed = false;
}

}  // namespace forms::fltk
