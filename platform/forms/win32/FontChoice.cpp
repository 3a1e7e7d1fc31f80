#include "platform/forms/win32/FontChoice.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/windows/WideText.h"

namespace forms::win32 {
namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool Installed(const std::wstring& face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;  // any character set of that family
  face.copy(query.lfFaceName, face.size());
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

BYTE NativeCharset(TFontCharset charset) {
  switch (charset) {
    case TFontCharset::ShiftJis:
      return SHIFTJIS_CHARSET;
    case TFontCharset::Default:
      break;
  }
  return DEFAULT_CHARSET;
}

// The face to ask GDI for: the requested one where it is installed, else the first installed
// of a few faces close to it (for the Japanese character set, the gothic faces that Windows of
// any language may have, and the IPA gothic of a Linux system under Wine), else the face of
// the system's message font.
std::wstring ChooseFontFace(const TFont& font) {
  const std::wstring requested = Widen(font.Name);
  if (Installed(requested)) return requested;
  if (font.Charset == TFontCharset::ShiftJis) {
    // The English name of the proportional gothic first: Windows outside Japan knows it by that.
    static constexpr std::array<const wchar_t*, 5> JapaneseGothics{
        L"MS PGothic", L"MS UI Gothic", L"Meiryo UI", L"Yu Gothic UI", L"IPAPGothic"};
    for (const wchar_t* face : JapaneseGothics)
      if (Installed(face)) return face;
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return metrics.lfMessageFont.lfFaceName;
  return requested;
}

}  // namespace

HFONT CreateFormFont(const TFont& font, int dpi) {
  LOGFONTW request{};
  request.lfHeight =
      font.Height < 0 ? -MulDiv(-font.Height, dpi, 96) : MulDiv(font.Height, dpi, 96);
  request.lfWeight = FW_NORMAL;
  request.lfCharSet = NativeCharset(font.Charset);
  request.lfOutPrecision = OUT_DEFAULT_PRECIS;
  request.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  request.lfQuality = DEFAULT_QUALITY;
  request.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = ChooseFontFace(font);
  face.copy(request.lfFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
  HFONT created = CreateFontIndirectW(&request);
  return created != nullptr ? created : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace forms::win32
