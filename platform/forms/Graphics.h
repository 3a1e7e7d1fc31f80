#pragma once

#include <cstdint>
#include <string>

// Colours as 0x00BBGGRR, the way the window library has always stored them.
using TColor = std::uint32_t;
inline constexpr TColor clBlack = 0x000000;

// The character set a font must cover: the system's default one, or Japanese (Shift_JIS). A
// backend turns it into its own request.
enum class TFontCharset : std::uint8_t { Default, ShiftJis };

// A typeface request. A negative height is the character height in pixels (without the
// internal leading); the backend substitutes a close face where the named one is not installed.
struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;
  TFontCharset Charset = TFontCharset::Default;
  TColor Color = clBlack;

  int PixelHeight() const { return Height < 0 ? -Height : Height; }
};

// A picture for a window's icon, as the lines of an XPM image. The program's icon is drawn once,
// as XPM, for every build; the Windows resource is made from the same drawing.
struct TIcon {
  const char* const* Xpm = nullptr;

  bool Empty() const { return Xpm == nullptr; }
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  bool Contains(int x, int y) const {
    return x >= Left && x < Left + Width && y >= Top && y < Top + Height;
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};
