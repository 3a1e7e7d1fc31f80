#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "tests/support/RunProgram.h"
#include "tests/support/windows/RunCommandLine.h"

namespace testing_support {

namespace {

// Windows compares environment names without regard to case.
struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::toupper(static_cast<unsigned char>(x)) <
             std::toupper(static_cast<unsigned char>(y));
    });
  }
};

std::string EnvironmentBlock(const std::map<std::string, std::string>& extraEnv) {
  std::map<std::string, std::string, NoCaseLess> environment;
  char* own = GetEnvironmentStringsA();
  for (const char* entry = own; *entry != '\0';
       entry += std::char_traits<char>::length(entry) + 1) {
    const std::string text(entry);
    // Names may begin with "=" (the per-drive directories); the separator is the next one.
    const auto equals = text.find('=', 1);
    if (equals != std::string::npos) environment[text.substr(0, equals)] = text.substr(equals + 1);
  }
  FreeEnvironmentStringsA(own);
  for (const auto& [name, value] : extraEnv) environment[name] = value;
  std::string block;
  for (const auto& [name, value] : environment) block += name + "=" + value + '\0';
  block += '\0';
  return block;
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// `arguments` joined into one command line that the C run time splits back into the same words.
std::string QuoteArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
      line += argument;
      continue;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (const char c : argument) {
      if (c == '\\') {
        ++backslashes;
        continue;
      }
      // Backslashes count only before a quote: there they are doubled, and the quote escaped.
      line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
      backslashes = 0;
      line += c;
    }
    line.append(backslashes * 2, '\\');
    line += '"';
  }
  return line;
}

}  // namespace

std::optional<TProgramEnd> RunCommandLine(const std::string& application,
                                          const std::string& commandLine,
                                          const std::string& directory,
                                          const std::map<std::string, std::string>& extraEnv) {
  char tempDir[MAX_PATH + 1];
  char errorsPath[MAX_PATH + 1];
  if (GetTempPathA(sizeof tempDir, tempDir) == 0 ||
      GetTempFileNameA(tempDir, "err", 0, errorsPath) == 0)
    throw std::runtime_error("cannot make a file for the program's errors");
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  TProgramEnd end;
  {
    Handle errors(CreateFileA(errorsPath, GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (errors.Get() == INVALID_HANDLE_VALUE)
      throw std::runtime_error(std::string("cannot open ") + errorsPath);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = errors.Get();
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    std::string environment = EnvironmentBlock(extraEnv);
    if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), line.data(), nullptr,
                        nullptr, TRUE, 0, environment.data(), directory.c_str(), &startup,
                        &process)) {
      DeleteFileA(errorsPath);
      return std::nullopt;
    }
    Handle child(process.hProcess), thread(process.hThread);
    WaitForSingleObject(child.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(child.Get(), &code);
    end.ExitCode = static_cast<int>(code);

    SetFilePointer(errors.Get(), 0, nullptr, FILE_BEGIN);
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(errors.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
      end.Stderr.append(buffer, read);
  }
  DeleteFileA(errorsPath);
  return end;
}

// Descriptors are a POSIX matter: a Windows child gets the handles made inheritable for it, here
// only its standard handles.
TProgramEnd RunProgram(const std::vector<std::string>& argv, const std::string& directory,
                       const std::map<std::string, std::string>& extraEnv,
                       const std::vector<int>& /*inherited*/) {
  auto end = RunCommandLine(argv.at(0), QuoteArguments(argv), directory, extraEnv);
  if (!end) throw std::runtime_error("cannot start " + argv[0]);
  return *end;
}

}  // namespace testing_support
