#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Integer text as the window library reads and writes it.
//
// StrToIntDef accepts, after leading spaces (not tabs):
// - hexadecimal: "$", "x", "X", "0x" or "0X", then one or more hex digits of either case and
//   nothing else; at most 32 significant bits, taken as two's complement ("$FFFFFFFF" is -1);
// - decimal: at most one "+" or "-", then one or more digits and nothing else, within
//   -2147483647..2147483647.
// Anything else (empty text, a sign before a hex prefix, a trailing blank, out of range) gives
// `fallback`.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

// Plain decimal: "-" for negative values, no "+", no leading zeros.
std::string IntToStr(std::int32_t value);
