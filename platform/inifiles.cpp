#include "platform/inifiles.h"

#include <string>

#include "platform/AnsiText.h"
#include "platform/StrToInt.h"
#include "platform/SystemError.h"
#include "platform/sysutils.h"
#include "platform/win32api.h"

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t fallback) const {
  constexpr DWORD BufferSize = 1024;
  char buffer[BufferSize];
  const std::string sectionName(section);
  const std::string keyName(key);
  const DWORD length = GetPrivateProfileStringA(sectionName.c_str(), keyName.c_str(), "", buffer,
                                                BufferSize, fileName_.c_str());
  return StrToIntDef(std::string_view(buffer, length), fallback);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  const std::string sectionName(section);
  const std::string keyName(key);
  const std::string text = IntToStr(value);
  // The system's reason follows, as for a failed start: a read-only file, a full disk and a
  // folder in the file's place call for different remedies.
  if (!WritePrivateProfileStringA(sectionName.c_str(), keyName.c_str(), text.c_str(),
                                  fileName_.c_str()))
    throw Exception(AnsiToUtf8(fileName_) +
                    " に書き込めません: " + SystemErrorMessage(GetLastError()));
}
