#include "platform/posix/CommandLineArgs.h"

#include <cstddef>

namespace platform_posix {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

// The program's name: a path, which takes no escapes, only quotes around blanks.
std::size_t ReadProgramName(std::string_view text, std::size_t at, std::string& name) {
  bool quoted = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    } else {
      name += c;
    }
  }
  return at;
}

std::size_t ReadArgument(std::string_view text, std::size_t at, std::string& argument) {
  bool quoted = false;
  while (at < text.size()) {
    std::size_t backslashes = 0;
    while (at < text.size() && text[at] == '\\') {
      ++backslashes;
      ++at;
    }
    if (at < text.size() && text[at] == '"') {
      argument.append(backslashes / 2, '\\');
      if (backslashes % 2 == 1) {
        argument += '"';
      } else if (quoted && at + 1 < text.size() && text[at + 1] == '"') {
        argument += '"';
        ++at;
      } else {
        quoted = !quoted;
      }
      ++at;
      continue;
    }
    argument.append(backslashes, '\\');
    if (at >= text.size() || (!quoted && IsBlank(text[at]))) break;
    argument += text[at];
    ++at;
  }
  return at;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::size_t at = SkipBlanks(commandLine, 0);
  if (at == commandLine.size()) return arguments;

  arguments.emplace_back();
  at = ReadProgramName(commandLine, at, arguments.back());
  while ((at = SkipBlanks(commandLine, at)) < commandLine.size()) {
    arguments.emplace_back();
    at = ReadArgument(commandLine, at, arguments.back());
  }
  return arguments;
}

}  // namespace platform_posix
