#pragma once

#include <string>
#include <string_view>

// The program keeps its texts in UTF-8; Windows' wide API takes UTF-16. Invalid UTF-8 becomes
// the replacement character rather than an error: a text on screen never fails.
std::wstring Widen(std::string_view utf8);
// The same from text in another code page (CP_ACP: the system's, for what the A functions give).
std::wstring WidenFrom(unsigned codePage, std::string_view text);
std::string Narrow(std::wstring_view wide);
