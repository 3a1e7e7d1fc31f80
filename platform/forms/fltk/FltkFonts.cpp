#include "platform/forms/fltk/FltkFonts.h"

#include <fontconfig/fontconfig.h>

#include <FL/Fl.H>
#include <map>

#include <string>
#include "platform/forms/fltk/FltkScale.h"

namespace forms::fltk {
namespace {

bool FamilyInstalled(const std::string& family) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
  const bool installed = fonts != nullptr && fonts->nfont > 0;
  if (fonts != nullptr) FcFontSetDestroy(fonts);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return installed;
}

// Families that Windows programs ask for, and the free faces with the same metrics.
const std::map<std::string, std::string>& StandIns() {
  static const std::map<std::string, std::string> standIns{
      {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"MS PGothic", "IPAPGothic"},
      {"ＭＳ ゴシック", "IPAGothic"},
      {"MS Gothic", "IPAGothic"},
  };
  return standIns;
}

// One FLTK face per requested family. Which font it names is settled only when text is first
// measured or drawn: asking fontconfig costs milliseconds that the window's mapping need not wait
// for. FLTK keeps the name pointer it is given, so the names live here.
struct TFace {
  Fl_Font Index;
  std::string Name;  // with a leading blank: the plain style
  bool Settled = false;
};

std::map<std::string, TFace>& Faces() {
  static std::map<std::string, TFace> faces;
  return faces;
}

void Settle(const std::string& family, TFace& face) {
  std::string chosen;
  if (FamilyInstalled(family)) {
    chosen = family;
  } else if (auto standIn = StandIns().find(family);
             standIn != StandIns().end() && FamilyInstalled(standIn->second)) {
    chosen = standIn->second;
  }
  if (chosen.empty()) {
    Fl::set_font(face.Index, FL_HELVETICA);
  } else {
    face.Name = " " + chosen;
    Fl::set_font(face.Index, face.Name.c_str());
  }
  face.Settled = true;
}

}  // namespace

TFltkFont ResolveFont(const TFont& font) {
  auto [found, added] = Faces().try_emplace(font.Name);
  if (added) {
    found->second.Index = static_cast<Fl_Font>(FL_FREE_FONT + Faces().size() - 1);
    Fl::set_font(found->second.Index, FL_HELVETICA);
  }
  return {found->second.Index, static_cast<Fl_Fontsize>(DisplayScale().Pixels(font.PixelHeight()))};
}

void SettleFonts() {
  for (auto& [family, face] : Faces())
    if (!face.Settled) Settle(family, face);
}

}  // namespace forms::fltk
