// The profile services over INI files: every call reads the file afresh and every write
// replaces it whole, so nothing is cached between calls and another program's change is seen
// at once.

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniText.h"
#include "platform/posix/whole_file.h"
#include "platform/posix/win32api_posix.h"

namespace {

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

BOOL Fail(int error) {
  SetLastError(static_cast<DWORD>(error));
  return FALSE;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (lpReturnedString == nullptr || nSize == 0) {
    SetLastError(EINVAL);
    return 0;
  }
  std::string text;
  const int error = lpFileName == nullptr ? EINVAL : ReadWholeFile(lpFileName, text);
  if (error != 0) text.clear();

  if (lpAppName == nullptr) {
    SetLastError(static_cast<DWORD>(error));
    return CopyNames(ini::SectionNames(text), lpReturnedString, nSize);
  }
  if (lpKeyName == nullptr) {
    const auto keys = ini::KeyNames(text, lpAppName);
    SetLastError(static_cast<DWORD>(error != 0 ? error : keys ? ERROR_SUCCESS : ENOENT));
    return CopyNames(keys.value_or(std::vector<std::string_view>{}), lpReturnedString, nSize);
  }
  if (const auto value = ini::FindValue(text, lpAppName, lpKeyName)) {
    SetLastError(ERROR_SUCCESS);
    return CopyText(*value, lpReturnedString, nSize);
  }
  SetLastError(static_cast<DWORD>(error != 0 ? error : ENOENT));
  return CopyText(WithoutTrailingBlanks(lpDefault), lpReturnedString, nSize);
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName) {
  // Nothing is cached, so the call that would flush the cache has nothing to do.
  if (lpAppName == nullptr && lpKeyName == nullptr && lpString == nullptr) return TRUE;
  if (lpAppName == nullptr || lpFileName == nullptr) return Fail(EINVAL);
  // A line break in a name or value would put text into the file that reads back as other
  // keys or sections; such a write is refused rather than carried out half.
  if (!ini::IsStorableSectionName(lpAppName) ||
      (lpKeyName != nullptr && !ini::IsStorableKeyName(lpKeyName)) ||
      (lpString != nullptr && !ini::IsStorableValue(lpString)))
    return Fail(EINVAL);

  TReplaceTarget target;
  std::string text;
  if (const int error = PrepareReplace(lpFileName, target, text)) return Fail(error);

  std::optional<std::string> edited;
  if (lpKeyName == nullptr)
    edited = ini::DeleteSection(text, lpAppName);
  else if (lpString == nullptr)
    edited = ini::DeleteKey(text, lpAppName, lpKeyName);
  else
    edited = ini::SetValue(text, lpAppName, lpKeyName, lpString);

  if (edited) {
    if (const int error = ReplaceWholeFile(target, *edited)) return Fail(error);
  }
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
