#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/forms/Forms.h"
#include "platform/forms/win32/NativePeer.h"

namespace forms::win32 {

// A form as a top-level window. It owns what its controls share: the font, the scale from the
// layout's 96 pixels per inch to the screen's, and the tooltip window that shows their hints.
class TWin32FormPeer final : public TFormPeer, public TNativePeer {
 public:
  explicit TWin32FormPeer(TForm& form);
  ~TWin32FormPeer() override;

  void Update(TPeerChange change) override;
  void Focus() override;
  void Show() override;
  void Hide() override;

  HFONT Font() const { return font_; }
  // Layout pixels to screen pixels, and back.
  int Scale(int value) const { return MulDiv(value, dpi_, 96); }
  int Unscale(int value) const { return MulDiv(value, 96, dpi_); }
  RECT Scale(const TRect& bounds) const;
  // The height of a line of text that the layout was designed for, in layout pixels. A face
  // chosen in place of the requested one may have taller lines, but the layout keeps its own.
  int TextHeight() const { return form_.Font().PixelHeight(); }

  // Native children: their hint shows when the pointer rests on them.
  void AddHintTool(HWND window);
  void RemoveHintTool(HWND window);

  // The window procedure of every form.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static const wchar_t* ClassName();

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void ApplyFont();
  // The frame's size for the client size; where `centre`, its place too: centred on the screen.
  void ApplyBounds(bool centre);
  DWORD Style() const;
  DWORD ExStyle() const;
  // The hint for the pointer's place now.
  const wchar_t* HintAtCursor();

  TForm& form_;
  int dpi_ = 96;
  HFONT font_ = nullptr;
  HWND tooltip_ = nullptr;
  std::wstring hintText_;
  std::string lastHint_;
};

}  // namespace forms::win32
