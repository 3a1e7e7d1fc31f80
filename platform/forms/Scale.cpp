#include "platform/forms/Scale.h"

#include <charconv>
#include <cmath>

TScale ScaleFromDpiText(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  double dpi = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), dpi);
  if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(dpi) || dpi <= 0)
    return TScale{};
  if (dpi > TScale::MaxDpi) return TScale{TScale::MaxDpi};
  return TScale{static_cast<int>(std::lround(dpi))};
}
