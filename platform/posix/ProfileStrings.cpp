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
#include <vector>

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

// Names one after another, each closed by a NUL, the list closed by a second NUL. A list that
// does not fit is cut and still closed by two NULs.
DWORD CopyNames(const std::vector<std::string_view>& names, LPSTR buffer, DWORD size) {
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  std::string list;
  for (std::string_view name : names) list.append(name).push_back('\0');
  if (list.size() + 1 <= size) {
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    if (list.empty()) buffer[1] = '\0';
    return static_cast<DWORD>(list.size());
  }
  std::memcpy(buffer, list.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
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

  if (lpAppName == nullptr) {
    SetLastError(static_cast<DWORD>(error));
    return CopyNames(ini::SectionNames(text, file.charset), lpReturnedString, nSize);
  }
  if (lpKeyName == nullptr) {
    const auto keys = ini::KeyNames(text, lpAppName, file.charset);
    SetLastError(static_cast<DWORD>(error != 0 ? error : keys ? ERROR_SUCCESS : ENOENT));
    return CopyNames(keys.value_or(std::vector<std::string_view>{}), lpReturnedString, nSize);
  }
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
      (lpKeyName != nullptr &&
       (!ini::IsStorableKeyName(lpKeyName, charset) || !ini::IsEncodable(file, lpKeyName))) ||
      (lpString != nullptr &&
       (!ini::IsStorableValue(lpString) || !ini::IsEncodable(file, lpString))))
    return Fail(EINVAL);

  std::optional<std::string> edited;
  if (lpKeyName == nullptr)
    edited = ini::DeleteSection(file.text, lpAppName, charset);
  else if (lpString == nullptr)
    edited = ini::DeleteKey(file.text, lpAppName, lpKeyName, charset);
  else
    edited = ini::SetValue(file.text, lpAppName, lpKeyName, lpString, charset);

  if (edited) {
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
  if (lpAppName == nullptr || lpFileName == nullptr) return Fail(EINVAL);
  try {
    return WriteProfileString(lpAppName, lpKeyName, lpString, lpFileName);
  } catch (const std::bad_alloc&) {
    return Fail(ENOMEM);
  }
}
