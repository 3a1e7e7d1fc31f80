#pragma once

#include <string>

namespace forms::fltk {

void ShowFltkErrorBox(const std::string& caption, const std::string& text);

}  // namespace forms::fltk
