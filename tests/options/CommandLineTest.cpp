#include <gtest/gtest.h>

#include <string>

#include "options/CommandLine.h"
#include "options/GameTable.h"

namespace {

std::string Compose(const TLaunchOptions& options) {
  const auto line = BuildCommandLine(options);
  return line ? std::string(line->View()) : std::string("<none>");
}

TEST(BuildCommandLine, WorkedExamples) {
  struct Example {
    TLaunchOptions options;
    std::string_view text;
  };
  const Example examples[] = {
      {{.GameIndex = 0, .SampleRateIndex = 1, .ResolutionIndex = 0, .SkipFrameIndex = 0},
       "corvanta ALIENSYN   -r 22050 -rx 320 -ry 240 -frame 1 -nojoy"},
      {{.GameIndex = 11,
        .SampleRateIndex = 2,
        .ResolutionIndex = 2,
        .SkipFrameIndex = 4,
        .AnalogJoystick = true},
       "corvanta PASSSHTB    -r 44100 -rx 640 -ry 480 -frame 5 -joy"},
      {{.GameIndex = 14,
        .SampleRateIndex = 0,
        .ResolutionIndex = 1,
        .SkipFrameIndex = 2,
        .AnalogJoystick = true},
       "corvanta SDI  -r 11025 -rx 400 -ry 300 -frame 3 -joy"},
      {{.GameIndex = 11, .SampleRateIndex = 0, .ResolutionIndex = 0, .SkipFrameIndex = 0},
       "corvanta PASSSHTB    -r 11025 -rx 320 -ry 240 -frame 1 -nojoy"},
  };
  for (const Example& example : examples) {
    const auto line = BuildCommandLine(example.options);
    ASSERT_TRUE(line.has_value()) << example.text;
    EXPECT_EQ(line->View(), example.text);
    // The buffer is zero-terminated right after the text.
    EXPECT_EQ(std::string(line->CStr()), example.text);
  }
}

TEST(BuildCommandLine, EachIdentifierKeepsItsBlanksBeforeTheRateSwitch) {
  for (int row = 0; row < static_cast<int>(GameTable.size()); ++row) {
    const std::string text = Compose(TLaunchOptions{
        .GameIndex = row, .SampleRateIndex = 1, .ResolutionIndex = 0, .SkipFrameIndex = 0});
    const std::string_view id = GameTable[row].Identifier;
    const std::string expectedStart = "corvanta " + std::string(id) + " -r 22050";
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart) << row;
  }
}

TEST(BuildCommandLine, EveryCombinationInTheDomainsFitsAndEndsWithTheJoystickSwitch) {
  std::size_t shortest = TCommandLine::BufferSize, longest = 0;
  for (int game = 0; game < 23; ++game)
    for (int rate = 0; rate < 3; ++rate)
      for (int resolution = 0; resolution < 3; ++resolution)
        for (int skip = 0; skip < 5; ++skip)
          for (bool joystick : {false, true}) {
            const auto line = BuildCommandLine(TLaunchOptions{.GameIndex = game,
                                                              .SampleRateIndex = rate,
                                                              .ResolutionIndex = resolution,
                                                              .SkipFrameIndex = skip,
                                                              .AnalogJoystick = joystick});
            ASSERT_TRUE(line.has_value());
            const std::string_view text = line->View();
            shortest = std::min(shortest, text.size());
            longest = std::max(longest, text.size());
            const std::string_view ending = joystick ? " -joy" : " -nojoy";
            ASSERT_TRUE(
                text.ends_with(std::string(" -frame ") + char('1' + skip) + std::string(ending)))
                << text;
          }
  EXPECT_EQ(shortest, 52u);
  EXPECT_EQ(longest, 61u);
}

TEST(BuildCommandLine, FileBorneOptionsNeverChangeTheText) {
  const TLaunchOptions base{.GameIndex = 5,
                            .SampleRateIndex = 2,
                            .ResolutionIndex = 1,
                            .SkipFrameIndex = 3,
                            .AnalogJoystick = true};
  const std::string expected = Compose(base);
  TLaunchOptions changed = base;
  changed.SoundCard = 7;
  changed.SoundEngine = 1;
  changed.Vsync = changed.Rdtsc = changed.Eagle = changed.ScanLines = true;
  EXPECT_EQ(Compose(changed), expected);
  changed.SoundCard = -1;
  changed.SoundEngine = -1;
  EXPECT_EQ(Compose(changed), expected);
}

TEST(BuildCommandLine, OptionsOutsideTheDomainsHaveNoCommandLine) {
  struct Case {
    const char* what;
    TLaunchOptions options;
  };
  const Case cases[] = {
      {"no game row",
       {.GameIndex = -1, .SampleRateIndex = 1, .ResolutionIndex = 0, .SkipFrameIndex = 0}},
      {"game beyond the table",
       {.GameIndex = 23, .SampleRateIndex = 1, .ResolutionIndex = 0, .SkipFrameIndex = 0}},
      {"no sample rate",
       {.GameIndex = 0, .SampleRateIndex = -1, .ResolutionIndex = 0, .SkipFrameIndex = 0}},
      {"sample rate beyond",
       {.GameIndex = 0, .SampleRateIndex = 3, .ResolutionIndex = 0, .SkipFrameIndex = 0}},
      {"no resolution",
       {.GameIndex = 0, .SampleRateIndex = 1, .ResolutionIndex = -1, .SkipFrameIndex = 0}},
      {"resolution beyond",
       {.GameIndex = 0, .SampleRateIndex = 1, .ResolutionIndex = 3, .SkipFrameIndex = 0}},
      {"no frame skip",
       {.GameIndex = 0, .SampleRateIndex = 1, .ResolutionIndex = 0, .SkipFrameIndex = -1}},
      {"frame skip beyond",
       {.GameIndex = 0, .SampleRateIndex = 1, .ResolutionIndex = 0, .SkipFrameIndex = 5}},
      {"everything at its extreme",
       {.GameIndex = INT32_MIN,
        .SampleRateIndex = INT32_MAX,
        .ResolutionIndex = INT32_MIN,
        .SkipFrameIndex = INT32_MAX,
        .AnalogJoystick = true}},
  };
  for (const Case& c : cases) EXPECT_FALSE(BuildCommandLine(c.options).has_value()) << c.what;
}

TEST(CommandLineBuffer, RefusesAPieceThatWouldNotFitAndKeepsTheText) {
  TCommandLine line;
  ASSERT_TRUE(line.Append(std::string(98, 'a')));
  EXPECT_TRUE(line.Append("b"));  // 99 characters and the terminator: the buffer is full
  EXPECT_FALSE(line.Append("c"));
  EXPECT_EQ(line.Length(), 99u);
  EXPECT_EQ(line.View().back(), 'b');
  EXPECT_EQ(line.CStr()[99], '\0');
}

}  // namespace
