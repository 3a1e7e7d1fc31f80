// The profile services over INI files: every call reads the file afresh and every write
// replaces it whole, so nothing is cached between calls and another program's change is seen
// at once. A file is read in its own encoding (platform/IniTextEncoding.h) and written back in
// it. Running out of memory fails the call with ENOMEM; nothing here lets an exception out.

#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "platform/IniText.h"
#include "platform/IniTextEncoding.h"
#include "platform/posix/LastError.h"
#include "platform/posix/WholeFile.h"
#include "platform/posix/Win32ApiPosix.h"

namespace {

using platform_posix::Fail;

DWORD CopyText(std::string_view text, LPSTR buffer, DWORD size) {
  const std::size_t count = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<DWORD>(count);
}

std::string_view WithoutTrailingBlanks(LPCSTR text) {
  std::string_view view = text == nullptr ? "" : text;
  while (!view.empty() && (view.back() == ' ' || view.back() == '\t')) view.remove_suffix(1);
  return view;
}

DWORD ReadProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                        LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  std::string bytes;
  const int error = lpFileName == nullptr ? EINVAL : ReadWholeFile(lpFileName, bytes);
  if (error != 0) bytes.clear();
  const ini::TFileText file = ini::DecodeFile(std::move(bytes));
  const std::string_view text = file.text;

  if (const auto value = ini::FindValue(text, lpAppName, lpKeyName, file.charset)) {
    SetLastError(ERROR_SUCCESS);
    return CopyText(*value, lpReturnedString, nSize);
  }
  SetLastError(static_cast<DWORD>(error != 0 ? error : ENOENT));
  return CopyText(WithoutTrailingBlanks(lpDefault), lpReturnedString, nSize);
}

BOOL WriteProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName) {
  TReplaceTarget target;
  std::string bytes;
  if (const int error = PrepareReplace(lpFileName, target, bytes)) return Fail(error);
  const ini::TFileText file = ini::DecodeFile(std::move(bytes));
  const ini::Charset charset = file.charset;

  // A line break in a name or value would put text into the file that reads back as other
  // keys or sections; such a write is refused rather than carried out half.
  if (!ini::IsStorableSectionName(lpAppName, charset) || !ini::IsEncodable(file, lpAppName) ||
      !ini::IsStorableKeyName(lpKeyName, charset) || !ini::IsEncodable(file, lpKeyName) ||
      !ini::IsStorableValue(lpString) || !ini::IsEncodable(file, lpString))
    return Fail(EINVAL);

  if (std::optional<std::string> edited =
          ini::SetValue(file.text, lpAppName, lpKeyName, lpString, charset)) {
    if (const int error =
            ReplaceWholeFile(target, file.Bytes(), ini::EncodeFile(file, std::move(*edited))))
      return Fail(error);
  }
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (lpReturnedString == nullptr || nSize == 0) {
    SetLastError(EINVAL);
    return 0;
  }
  // Only one key's value is ever asked for: the lists of names the Windows services give for a
  // missing section or key name are not served, and such a call gets nothing.
  if (lpAppName == nullptr || lpKeyName == nullptr) {
    SetLastError(EINVAL);
    return CopyText("", lpReturnedString, nSize);
  }
  try {
    return ReadProfileString(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize, lpFileName);
  } catch (const std::bad_alloc&) {
    SetLastError(ENOMEM);
    return CopyText(WithoutTrailingBlanks(lpDefault), lpReturnedString, nSize);
  }
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName) {
  // Nothing is cached, so the call that would flush the cache has nothing to do.
  if (lpAppName == nullptr && lpKeyName == nullptr && lpString == nullptr) return TRUE;
  // A missing key name or value, which the Windows services take as a deletion, is refused: a
  // deletion is never asked for, and the file stays as it is.
  if (lpAppName == nullptr || lpKeyName == nullptr || lpString == nullptr || lpFileName == nullptr)
    return Fail(EINVAL);
  try {
    return WriteProfileString(lpAppName, lpKeyName, lpString, lpFileName);
  } catch (const std::bad_alloc&) {
    return Fail(ENOMEM);
  }
}
