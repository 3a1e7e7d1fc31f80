#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of an INI file, read and edited the way the Windows profile services do it. Works on
// the bytes of a whole file and knows nothing of files, so every rule of the format lives here.
//
// The format, as this code reads it:
// - CR LF, a lone LF and a lone CR each end a line; a UTF-8 byte-order mark at the start is
//   skipped and kept.
// - A line whose first non-blank character is '[' and that holds a ']' starts a section; the name
//   runs to the last ']' on the line. Text after it is ignored.
// - A line with an '=' that is no section header and does not start with ';' is a key: the name
//   before the first '=', the value after it.
// - Every other line (comments, blank lines, text without '=') is kept but means nothing.
// - Names are compared without regard to ASCII case, after blanks around them are trimmed.
// - The first section of a name and the first key of a name within it are the ones that count;
//   later duplicates are never read or changed.
// A NUL byte is an ordinary character of its line: it ends a value that is read (the caller gets
// a C string), and it never makes a line unreadable or changes how others are read. Blanks are
// space, tab, vertical tab, form feed and the DOS end-of-file byte 0x1A.
namespace ini {

// How the bytes of a text make up its characters, which decides where the format's ASCII marks
// ('[', ']', '=', ';') and letters are. In UTF-8 no byte of a multi-byte character is ASCII, so
// every byte is looked at alone. In Shift_JIS (code page 932) the second byte of a double-byte
// character may be ']' or a letter: such a byte is part of its character, never a mark, and
// names compare it exactly rather than without regard to case.
enum class Charset { Utf8, ShiftJis };

// The value a read of the key gives: the text after '=', with blanks around it and one pair of
// matching double or single quotes removed, cut at a NUL byte. Nothing when the section or the
// key is missing.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key, Charset charset = Charset::Utf8);

// Whether a name or value can be stored so that a later read finds it again. A line break in
// any of them would split the line; a ']'-free section name is not required, since the header
// ends at the last ']'. A key name cannot hold '=' or start with ';' or '['. In Shift_JIS a section
// name cannot end in a lone lead byte, which would take the closing ']' as its second byte.
bool IsStorableSectionName(std::string_view name, Charset charset = Charset::Utf8);
bool IsStorableKeyName(std::string_view name, Charset charset = Charset::Utf8);
bool IsStorableValue(std::string_view value);

// The edits return the whole new text, or nothing when the text stays as it was. Every line the
// edit does not touch is kept byte for byte, its line end included. Lines added take the text's
// own line end (that of its first line; LF for a text without one).
//
// SetValue: an existing key's value is replaced where the key stands (its name, the '=' and the
// blanks after it stay); a missing key becomes a new line after the last key line of its section
// (after the header when the section has no key), so comments and blank lines that close the
// section stay below it; a missing section is added at the end of the text, without a blank line
// before it. The names and value must be storable.
std::optional<std::string> SetValue(std::string_view text, std::string_view section,
                                    std::string_view key, std::string_view value,
                                    Charset charset = Charset::Utf8);

}  // namespace ini
