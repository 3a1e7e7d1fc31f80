#include "platform/forms/fltk/FltkFonts.h"

#include <fontconfig/fontconfig.h>

#include <FL/Fl.H>
#include <map>
#include <string>

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

// FLTK keeps the name it is given, so each face gets one lasting entry of its own.
Fl_Font FaceOf(const std::string& family) {
  static std::map<std::string, std::string> names;
  static std::map<std::string, Fl_Font> faces;
  if (auto found = faces.find(family); found != faces.end()) return found->second;
  const std::string& name = names[family] = " " + family;  // a blank: the plain style
  const Fl_Font face = static_cast<Fl_Font>(FL_FREE_FONT + faces.size());
  Fl::set_font(face, name.c_str());
  faces[family] = face;
  return face;
}

}  // namespace

TFltkFont ResolveFont(const TFont& font) {
  static std::map<std::string, Fl_Font> resolved;
  auto found = resolved.find(font.Name);
  if (found == resolved.end()) {
    Fl_Font face = FL_HELVETICA;
    if (FamilyInstalled(font.Name)) {
      face = FaceOf(font.Name);
    } else if (auto standIn = StandIns().find(font.Name);
               standIn != StandIns().end() && FamilyInstalled(standIn->second)) {
      face = FaceOf(standIn->second);
    }
    found = resolved.emplace(font.Name, face).first;
  }
  return {found->second, static_cast<Fl_Fontsize>(font.PixelHeight())};
}

}  // namespace forms::fltk
