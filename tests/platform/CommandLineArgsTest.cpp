#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix/CommandLineArgs.h"

namespace {

using platform_posix::SplitCommandLine;
using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheWindowsRuntimeRules) {
  struct Case {
    const char* line;
    Args expected;
  };
  const Case cases[] = {
      // The launcher's own text: runs of blanks separate, nothing is kept of them.
      {"corvanta ALIENSYN   -r 22050 -rx 320 -ry 240 -frame 1 -nojoy",
       {"corvanta", "ALIENSYN", "-r", "22050", "-rx", "320", "-ry", "240", "-frame", "1",
        "-nojoy"}},
      {"  \tp\t\ta  b \t", {"p", "a", "b"}},
      {"", {}},
      {" \t ", {}},
      // The program's name takes quotes around blanks but no escapes.
      {R"("C:\Program Files\emu.exe" a)", {R"(C:\Program Files\emu.exe)", "a"}},
      {R"(p\"x y" z)", {R"(p\x y)", "z"}},
      // Later arguments: quoted parts, also inside a word.
      {R"(p "a b" c)", {"p", "a b", "c"}},
      {R"(p a"b c"d)", {"p", "ab cd"}},
      {R"(p "" x)", {"p", "", "x"}},
      {R"(p "open quote  runs on)", {"p", "open quote  runs on"}},
      // Two quotes inside quotes are one literal quote.
      {R"(p "a""b")", {"p", R"(a"b)"}},
      // Backslashes: literal unless before a quote; 2n -> n and a delimiter, 2n+1 -> n and a quote.
      {R"(p a\\b c\)", {"p", R"(a\\b)", R"(c\)"}},
      {R"(p a\"b)", {"p", R"(a"b)"}},
      {R"(p a\\"b c")", {"p", R"(a\b c)"}},
      {R"(p a\\\"b)", {"p", R"(a\"b)"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.line;
}

}  // namespace
