#pragma once

#include <string>

namespace forms::fltk {

void ShowFltkErrorBox(const std::string& caption, const std::string& text);

// What Ctrl+C in the box puts on the clipboard: caption, text and button between rules.
std::string ErrorBoxCopyText(const std::string& caption, const std::string& text);

}  // namespace forms::fltk
