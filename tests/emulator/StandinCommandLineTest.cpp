#include <gtest/gtest.h>

#include "emulator/standin/StandinCommandLine.h"
#include "emulator/standin/StandinSettings.h"

namespace {

using standin::ParseArguments;
using standin::TContractBreach;
using standin::TRunRequest;

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while ((start = text.find_first_not_of(' ', start)) != std::string::npos) {
    const std::size_t end = text.find(' ', start);
    words.push_back(text.substr(start, end - start));
    start = end;
  }
  return words;
}

TEST(StandinCommandLine, AcceptsTheLaunchersCommandLines) {
  const auto parsed = ParseArguments(Split("PASSSHTB    -r 44100 -rx 640 -ry 480 -frame 5 -joy"));
  ASSERT_TRUE(std::holds_alternative<TRunRequest>(parsed));
  const auto& request = std::get<TRunRequest>(parsed);
  EXPECT_EQ(request.Game, "PASSSHTB");
  EXPECT_EQ(request.SampleRate, 44100);
  EXPECT_EQ(request.Width, 640);
  EXPECT_EQ(request.Height, 480);
  EXPECT_EQ(request.FrameSkip, 5);
  EXPECT_TRUE(request.Joystick);

  const auto other = ParseArguments(Split("hang-on -r 11025 -rx 400 -ry 300 -frame 1 -nojoy"));
  ASSERT_TRUE(std::holds_alternative<TRunRequest>(other));
  EXPECT_FALSE(std::get<TRunRequest>(other).Joystick);
}

TEST(StandinCommandLine, RejectsWhatBreaksTheContract) {
  const char* breaches[] = {
      "",
      "NOSUCHGAME -r 22050 -rx 320 -ry 240 -frame 1 -nojoy",
      "aliensyn -r 22050 -rx 320 -ry 240 -frame 1 -nojoy",  // identifiers keep their case
      "ALIENSYN -r 22050 -rx 320 -ry 240 -frame 1",
      "ALIENSYN -r 22050 -rx 320 -ry 240 -frame 1 -nojoy -nojoy",
      "ALIENSYN -x 22050 -rx 320 -ry 240 -frame 1 -nojoy",
      "ALIENSYN -rx 320 -r 22050 -ry 240 -frame 1 -nojoy",
      "ALIENSYN -r 22050x -rx 320 -ry 240 -frame 1 -nojoy",
      "ALIENSYN -r 48000 -rx 320 -ry 240 -frame 1 -nojoy",
      "ALIENSYN -r 22050 -rx 320 -ry 300 -frame 1 -nojoy",
      "ALIENSYN -r 22050 -rx 800 -ry 600 -frame 1 -nojoy",
      "ALIENSYN -r 22050 -rx 320 -ry 240 -frame 0 -nojoy",
      "ALIENSYN -r 22050 -rx 320 -ry 240 -frame 6 -nojoy",
      "ALIENSYN -r 22050 -rx 320 -ry 240 -frame +1 -nojoy",
      "ALIENSYN -r 22050 -rx 320 -ry 240 -frame 1 -joystick",
  };
  for (const char* text : breaches) {
    const auto parsed = ParseArguments(Split(text));
    ASSERT_TRUE(std::holds_alternative<TContractBreach>(parsed)) << text;
    EXPECT_FALSE(std::get<TContractBreach>(parsed).Message.empty()) << text;
  }
}

TEST(StandinSettings, ParsesAssignments) {
  const auto parsed = standin::ParseAssignments("sound.soundcard=5;;screen.vsync=;a.b=c=d");
  ASSERT_TRUE(parsed.has_value());
  ASSERT_EQ(parsed->size(), 3u);
  EXPECT_EQ((*parsed)[0].Section, "sound");
  EXPECT_EQ((*parsed)[0].Key, "soundcard");
  EXPECT_EQ((*parsed)[0].Value, "5");
  EXPECT_EQ((*parsed)[1].Value, "");
  EXPECT_EQ((*parsed)[2].Value, "c=d");
  for (const char* bad : {"soundcard=5", ".key=1", "sound.=1", "sound.key", "a.b=1;broken"})
    EXPECT_FALSE(standin::ParseAssignments(bad).has_value()) << bad;
}

}  // namespace
