#pragma once

#include <string>
#include <string_view>

#include "platform/IniText.h"

// How the bytes of an INI file become the text the INI engine reads and edits, and back, as the
// Windows profile services tell a file's encoding apart:
// - UTF-16 with its byte-order mark (little or big endian): read and written in that encoding,
//   the mark kept. The engine sees the code units as UTF-8 (lone surrogates as their three-byte
//   form), which turns back into exactly the same code units, so a line the edit does not touch
//   stays byte for byte. An odd last byte is kept after the text.
// - Any other file is its own bytes. Valid UTF-8 (a byte-order mark included) is scanned a byte
//   at a time; anything else is taken for Shift_JIS, the code page of the emulator's users, and
//   scanned by its double-byte rules.
namespace ini {

enum class FileEncoding { Bytes, Utf16LittleEndian, Utf16BigEndian };

struct TFileText {
  FileEncoding encoding = FileEncoding::Bytes;
  Charset charset = Charset::Utf8;
  std::string text;   // what the engine works on
  std::string tail;   // bytes after the last whole code unit of a UTF-16 file
  std::string utf16;  // the bytes of a UTF-16 file as they were read

  // The file's bytes as they were read.
  std::string_view Bytes() const { return encoding == FileEncoding::Bytes ? text : utf16; }
};

// Takes the file's bytes (moved, not copied, for a file that is its own bytes: settings files
// are read whole at every call, so no copy of them is made on the way).
TFileText DecodeFile(std::string bytes);

// The bytes of `text` in the encoding `shape` was read in (`text` itself, moved, for a file
// that is its own bytes).
std::string EncodeFile(const TFileText& shape, std::string text);

// Whether a name or value passed in can be written into a file of that shape: a UTF-16 file
// takes UTF-8 text only, since bytes of any other kind have no code units to become.
bool IsEncodable(const TFileText& shape, std::string_view text);

}  // namespace ini
