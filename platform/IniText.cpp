#include "platform/IniText.h"

#include <cstddef>
#include <cstring>

namespace ini {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// 0x1A ended a text file under DOS; editors of that time left it at the end of the last line.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

bool IsLineBreak(char c) {
  return c == '\n' || c == '\r';
}

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  std::size_t end = text.size();
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsShiftJisLead(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsShiftJisTrail(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The number of bytes of the character at `at`: two for a Shift_JIS lead byte with its second
// byte, else one. No second byte is a line break, a blank or a NUL, so lines, trimming and the
// end of a value are found the same way in both character sets.
std::size_t CharLength(std::string_view text, std::size_t at, Charset charset) {
  return charset == Charset::ShiftJis && IsShiftJisLead(text[at]) && at + 1 < text.size() &&
                 IsShiftJisTrail(text[at + 1])
             ? 2
             : 1;
}

// The first `mark` that is a character of its own, at or after `from`.
std::size_t FindMark(std::string_view text, char mark, std::size_t from, Charset charset) {
  if (charset == Charset::Utf8) return text.find(mark, from);
  for (std::size_t at = from; at < text.size(); at += CharLength(text, at, charset))
    if (text[at] == mark) return at;
  return std::string_view::npos;
}

std::size_t FindLastMark(std::string_view text, char mark, Charset charset) {
  if (charset == Charset::Utf8) return text.rfind(mark);
  std::size_t last = std::string_view::npos;
  for (std::size_t at = 0; at < text.size(); at += CharLength(text, at, charset))
    if (text[at] == mark) last = at;
  return last;
}

// Double-byte characters compare exactly: their second byte is no letter, whatever its value.
bool SameName(std::string_view a, std::string_view b, Charset charset) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t length = CharLength(a, i, charset);
    if (length == 2) {
      if (a.substr(i, 2) != b.substr(i, 2)) return false;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
    i += length;
  }
  return true;
}

std::size_t ContentStart(std::string_view text) {
  return text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
}

struct Line {
  std::size_t begin = 0;  // first byte of the line
  std::size_t end = 0;    // one past its last byte, before the line end
  std::size_t next = 0;   // first byte of the following line

  bool Terminated() const { return next != end; }
};

// Splits the text at CR LF, LF and lone CR. The next CR and the next LF are found with memchr
// and remembered, so a long run of lines costs about one pass of memchr over the text.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : LineReader(text, ContentStart(text)) {}
  LineReader(std::string_view text, std::size_t from)
      : text_(text), pos_(from), nextLf_(Find('\n', pos_)), nextCr_(Find('\r', pos_)) {}

  bool Next(Line& line) {
    const std::size_t size = text_.size();
    if (pos_ >= size) return false;
    if (nextLf_ < pos_) nextLf_ = Find('\n', pos_);
    if (nextCr_ < pos_) nextCr_ = Find('\r', pos_);
    const std::size_t end = nextLf_ < nextCr_ ? nextLf_ : nextCr_;
    std::size_t next = end;
    if (end < size) next += (end == nextCr_ && end + 1 < size && nextLf_ == end + 1) ? 2 : 1;
    line.begin = pos_;
    line.end = end;
    line.next = pos_ = next;
    return true;
  }

 private:
  std::size_t Find(char c, std::size_t from) const {
    if (from >= text_.size()) return text_.size();
    const void* found = std::memchr(text_.data() + from, c, text_.size() - from);
    return found == nullptr
               ? text_.size()
               : static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
  }

  std::string_view text_;
  std::size_t pos_;
  std::size_t nextLf_;
  std::size_t nextCr_;
};

std::string_view Content(std::string_view text, const Line& line) {
  return text.substr(line.begin, line.end - line.begin);
}

std::size_t SkipBlanks(std::string_view text, std::size_t from) {
  while (from < text.size() && IsBlank(text[from])) ++from;
  return from;
}

// The section name of a header line.
std::optional<std::string_view> HeaderName(std::string_view content, Charset charset) {
  const std::size_t lead = SkipBlanks(content, 0);
  if (lead == content.size() || content[lead] != '[') return std::nullopt;
  const std::size_t close = FindLastMark(content, ']', charset);
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(content.substr(lead + 1, close - lead - 1));
}

struct KeyEntry {
  std::string_view name;
  std::size_t valueOffset;  // in the line, just after the '='
};

std::optional<KeyEntry> KeyOf(std::string_view content, Charset charset) {
  const std::size_t lead = SkipBlanks(content, 0);
  if (lead == content.size() || content[lead] == ';' || content[lead] == '[') return std::nullopt;
  const std::size_t equals = FindMark(content, '=', lead, charset);
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyEntry{Trim(content.substr(lead, equals - lead)), equals + 1};
}

std::string_view LineEndOf(std::string_view text) {
  for (std::size_t i = ContentStart(text); i < text.size(); ++i) {
    if (text[i] == '\n') return "\n";
    if (text[i] == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? "\r\n" : "\r";
  }
  return "\n";
}

// The line that starts at `begin`. Lines are short, so a plain scan costs less than memchr.
Line LineAt(std::string_view text, std::size_t begin) {
  std::size_t end = begin;
  while (end < text.size() && !IsLineBreak(text[end])) ++end;
  std::size_t next = end;
  if (end < text.size())
    next += (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
  return {begin, end, next};
}

// The header of the first section of that name. Jumps from '[' to '[' with memchr rather than
// going through every line, since most of a file is keys of other sections. A '[' found that
// way is a character of its own, even in Shift_JIS: only blanks, which are never a second byte,
// may stand before it on its line.
std::optional<Line> FindSectionHeader(std::string_view text, std::string_view section,
                                      Charset charset) {
  const std::size_t start = ContentStart(text);
  std::size_t pos = start;
  while (pos < text.size()) {
    const void* found = std::memchr(text.data() + pos, '[', text.size() - pos);
    if (found == nullptr) break;
    const auto bracket = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    pos = bracket + 1;
    // Only blanks may stand between the start of the line and the '['.
    std::size_t begin = bracket;
    while (begin > start && IsBlank(text[begin - 1])) --begin;
    if (begin > start && !IsLineBreak(text[begin - 1])) continue;
    const Line line = LineAt(text, begin);
    const auto name = HeaderName(Content(text, line), charset);
    if (name && SameName(*name, section, charset)) return line;
    pos = line.next;
  }
  return std::nullopt;
}

// Where a key is, or where it would go.
struct Place {
  bool sectionFound = false;
  bool keyFound = false;
  Line keyLine;                // the key's line, when found
  std::size_t valueBegin = 0;  // in the text, just after the key's '='
  Line lastKeyLine;            // the section's last key line, or its header when it has none
};

Place Locate(std::string_view text, std::string_view section, std::string_view key,
             Charset charset) {
  Place place;
  const auto header = FindSectionHeader(text, Trim(section), charset);
  if (!header) return place;
  place.sectionFound = true;
  place.lastKeyLine = *header;
  key = Trim(key);
  LineReader reader(text, header->next);
  Line line;
  while (reader.Next(line)) {
    const std::string_view content = Content(text, line);
    if (HeaderName(content, charset)) break;
    const auto entry = KeyOf(content, charset);
    if (!entry) continue;
    if (SameName(entry->name, key, charset)) {
      place.keyFound = true;
      place.keyLine = line;
      place.valueBegin = line.begin + entry->valueOffset;
      break;
    }
    place.lastKeyLine = line;
  }
  return place;
}

std::string_view ValueAsRead(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value.substr(0, value.find('\0'));
}

bool HasNoLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace

std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key, Charset charset) {
  const Place place = Locate(text, section, key, charset);
  if (!place.keyFound) return std::nullopt;
  return ValueAsRead(text.substr(place.valueBegin, place.keyLine.end - place.valueBegin));
}

bool IsStorableSectionName(std::string_view name, Charset charset) {
  if (!HasNoLineBreakOrNul(name)) return false;
  // The header is written as '[', the trimmed name and ']'.
  const std::string_view trimmed = Trim(name);
  std::size_t last = 0;
  for (std::size_t at = 0; at < trimmed.size(); at += CharLength(trimmed, at, charset)) last = at;
  return charset == Charset::Utf8 || trimmed.empty() || CharLength(trimmed, last, charset) == 2 ||
         !IsShiftJisLead(trimmed[last]);
}

bool IsStorableKeyName(std::string_view name, Charset charset) {
  const std::string_view trimmed = Trim(name);
  if (!trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '[')) return false;
  return HasNoLineBreakOrNul(name) && FindMark(name, '=', 0, charset) == std::string_view::npos;
}

bool IsStorableValue(std::string_view value) {
  return HasNoLineBreakOrNul(value);
}

std::optional<std::string> SetValue(std::string_view text, std::string_view section,
                                    std::string_view key, std::string_view value, Charset charset) {
  const Place place = Locate(text, section, key, charset);
  std::string result;
  if (place.keyFound) {
    // Blanks after '=' belong to the line's layout and stay, unless the value brings blanks
    // of its own: then it replaces them, so that storing it again finds it unchanged.
    const bool ownBlanks = !value.empty() && IsBlank(value.front());
    const std::size_t begin = ownBlanks
                                  ? place.valueBegin
                                  : SkipBlanks(text.substr(0, place.keyLine.end), place.valueBegin);
    if (text.substr(begin, place.keyLine.end - begin) == value) return std::nullopt;
    result.reserve(text.size() + value.size());
    result.append(text.substr(0, begin));
    result.append(value);
    result.append(text.substr(place.keyLine.end));
    return result;
  }

  const std::string_view lineEnd = LineEndOf(text);
  const std::string_view trimmedKey = Trim(key);
  const std::string_view trimmedSection = Trim(section);
  result.reserve(text.size() + trimmedSection.size() + trimmedKey.size() + value.size() + 8);
  if (place.sectionFound) {
    const Line& after = place.lastKeyLine;
    result.append(text.substr(0, after.next));
    if (!after.Terminated()) result.append(lineEnd);
    result.append(trimmedKey).append("=").append(value).append(lineEnd);
    result.append(text.substr(after.next));
    return result;
  }

  result.append(text);
  if (text.size() > ContentStart(text) && !IsLineBreak(text.back())) result.append(lineEnd);
  result.append("[").append(trimmedSection).append("]").append(lineEnd);
  result.append(trimmedKey).append("=").append(value).append(lineEnd);
  return result;
}

}  // namespace ini
