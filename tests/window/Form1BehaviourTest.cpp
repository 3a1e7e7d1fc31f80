// The window at work, without a display: what it shows from the settings file, the ScanLine
// coupling, and Plays against the stand-in emulator, driven as a user drives them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Unit1.h"
#include "platform/forms/Forms.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing_support::ReadFile;
using testing_support::ReadJsonLines;
using testing_support::ScopedCurrentDirectory;
using testing_support::ScopedEnvironmentVariable;
using testing_support::TempDir;
using testing_support::WriteFile;

// Everything the controls show, to compare a window before and after.
struct TWindowState {
  int Game, SoundCard, SampleRate, SoundEmu, Resolution, SkipFrame;
  bool ResolutionEnabled, Vsync, Rdtsc, Joystick, Eagle, ScanLine;
  friend bool operator==(const TWindowState&, const TWindowState&) = default;
};

std::ostream& operator<<(std::ostream& out, const TWindowState& s) {
  return out << "game " << s.Game << ", card " << s.SoundCard << ", rate " << s.SampleRate
             << ", emu " << s.SoundEmu << ", resolution " << s.Resolution
             << (s.ResolutionEnabled ? "" : " (locked)") << ", skip " << s.SkipFrame << ", vsync "
             << s.Vsync << ", rdtsc " << s.Rdtsc << ", joystick " << s.Joystick << ", eagle "
             << s.Eagle << ", scanline " << s.ScanLine;
}

TWindowState StateOf(const TForm1& form) {
  return {
      form.ListBox1->ItemIndex(),    form.RadioGroup1->ItemIndex(), form.RadioGroup2->ItemIndex(),
      form.RadioGroup3->ItemIndex(), form.RadioGroup5->ItemIndex(), form.RadioGroup6->ItemIndex(),
      form.RadioGroup5->Enabled(),   form.CheckBox1->Checked(),     form.CheckBox2->Checked(),
      form.CheckBox3->Checked(),     form.CheckBox4->Checked(),     form.CheckBox5->Checked()};
}

// The window in a folder of its own, with the stand-in emulator beside it and logging there.
class Form1Behaviour : public testing::Test {
 protected:
  Form1Behaviour() {
    fs::create_symlink(CORVANTA_STANDIN_PATH, dir / "corvanta");
    Application->OnException = [this](TObject*, const Exception& error) {
      errors.push_back(error.Message());
    };
  }
  ~Form1Behaviour() override { Application->OnException = nullptr; }

  // The window as it opens on `settings` (no file where nothing is given).
  TForm1& Open(const std::optional<std::string>& settings = std::nullopt) {
    if (settings) WriteFile(SettingsPath(), *settings);
    form = std::make_unique<TForm1>(nullptr);
    return *form;
  }

  // A click on Play!!, delivered as the window's message dispatch delivers it.
  void ClickPlay() {
    DeliverUserEvent([this] { form->Button1->UserClick(); });
  }

  fs::path SettingsPath() const { return dir / "corvanta.ini"; }
  std::vector<nlohmann::json> Runs() const { return ReadJsonLines(dir / "standin.log"); }

  TempDir dir;
  ScopedCurrentDirectory inside{dir.Path()};
  ScopedEnvironmentVariable log{"CORVANTA_STANDIN_LOG", (dir / "standin.log").string()};
  std::vector<std::string> errors;
  std::unique_ptr<TForm1> form;
};

TEST_F(Form1Behaviour, FirstStartWithoutASettingsFile) {
  const TForm1& window = Open();
  const TWindowState expected{.Game = 0,
                              .SoundCard = 0,   // None
                              .SampleRate = 1,  // 22050 Hz
                              .SoundEmu = 0,    // New TYPE, not the layout's Old  TYPE
                              .Resolution = 0,  // 320 x 240
                              .SkipFrame = 0,
                              .ResolutionEnabled = true,
                              .Vsync = false,
                              .Rdtsc = true,
                              .Joystick = false,
                              .Eagle = false,
                              .ScanLine = false};
  EXPECT_EQ(StateOf(window), expected);
  EXPECT_FALSE(fs::exists(SettingsPath()));  // opening writes nothing
}

TEST_F(Form1Behaviour, StoredValuesAtStart) {
  struct Case {
    const char* settings;
    int soundCard, sampleRate, soundEmu, resolution;
    bool resolutionEnabled, scanLine;
  };
  const Case cases[] = {
      // Scan lines with a width the group knows: that width, locked.
      {"[screen]\nscanlines=1\nxres=640\n", 0, 1, 0, 2, false, true},
      {"[screen]\nscanlines=1\nxres=320\n", 0, 1, 0, 0, false, true},
      // A width it does not know leaves the coupling's 640 x 480.
      {"[screen]\nscanlines=1\nxres=800\n", 0, 1, 0, 2, false, true},
      {"[screen]\nscanlines=-2\nxres=400\n", 0, 1, 0, 1, false, true},  // any nonzero is on
      {"[screen]\nxres=400\n", 0, 1, 0, 1, true, false},
      // A rate the group does not know leaves its design-time 22050 Hz.
      {"[sound]\nsamplerate=48000\n", 0, 1, 0, 0, true, false},
      {"[sound]\nsamplerate=44100\n", 0, 2, 0, 0, true, false},
      {"[sound]\nsamplerate=0x2b11\n", 0, 0, 0, 0, true, false},  // 11025
      // Out-of-range choices clamp to the last item or show none.
      {"[sound]\nsoundcard=12\nold2151=5\n", 7, 1, 1, 0, true, false},
      {"[sound]\nsoundcard=-3\nold2151=-1\n", -1, 1, -1, 0, true, false},
      {"[sound]\nsoundcard=abc\nold2151=1\n", 0, 1, 1, 0, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    const TForm1& window = Open(std::string(c.settings));
    const TWindowState state = StateOf(window);
    EXPECT_EQ(state.SoundCard, c.soundCard);
    EXPECT_EQ(state.SampleRate, c.sampleRate);
    EXPECT_EQ(state.SoundEmu, c.soundEmu);
    EXPECT_EQ(state.Resolution, c.resolution);
    EXPECT_EQ(state.ResolutionEnabled, c.resolutionEnabled);
    EXPECT_EQ(state.ScanLine, c.scanLine);
  }
}

TEST_F(Form1Behaviour, GatheredOptionsCarryWhatTheWindowShows) {
  Open("[sound]\nsoundcard=-3\nold2151=-1\n[screen]\nscanlines=1\nxres=320\neagle=1\n");
  const TLaunchOptions options = form->ReadOptionsFromWindow();
  EXPECT_EQ(options.GameIndex, 0);
  EXPECT_EQ(options.SoundCard, -1);
  EXPECT_EQ(options.SoundEngine, -1);
  EXPECT_EQ(options.ResolutionIndex, 0);  // the stored width, although ScanLine is on
  EXPECT_TRUE(options.ScanLines);
  EXPECT_TRUE(options.Eagle);
  EXPECT_TRUE(options.Rdtsc);
  EXPECT_FALSE(options.Vsync);
}

TEST_F(Form1Behaviour, ScanLineCouplingBothWays) {
  Open();
  form->RadioGroup5->UserSelect(0);
  form->CheckBox5->UserClick();  // on: 640 x 480, locked
  EXPECT_EQ(form->RadioGroup5->ItemIndex(), 2);
  EXPECT_FALSE(form->RadioGroup5->Enabled());
  form->CheckBox5->UserClick();  // off: unlocked, and the selection stays
  EXPECT_EQ(form->RadioGroup5->ItemIndex(), 2);
  EXPECT_TRUE(form->RadioGroup5->Enabled());
  form->CheckBox5->SetChecked(true);  // from code as from a click
  EXPECT_FALSE(form->RadioGroup5->Enabled());
}

TEST_F(Form1Behaviour, PlayStoresRunsAndShowsWhatTheEmulatorLeft) {
  Open();
  form->ListBox1->UserSelect(11);    // Passing Shot
  form->RadioGroup1->UserSelect(6);  // Windows Sound System
  form->RadioGroup2->UserSelect(2);  // 44100 Hz
  form->RadioGroup5->UserSelect(1);  // 400 x 300
  form->RadioGroup6->UserSelect(4);  // frame skip 5
  form->CheckBox3->UserClick();      // joystick
  ScopedEnvironmentVariable change{"CORVANTA_STANDIN_SET", "sound.soundcard=2;screen.vsync=1"};
  ClickPlay();
  ASSERT_EQ(errors, std::vector<std::string>{});

  const auto runs = Runs();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0]["argv"], nlohmann::json({"corvanta", "PASSSHTB", "-r", "44100", "-rx", "400",
                                             "-ry", "300", "-frame", "5", "-joy"}));
  EXPECT_EQ(runs[0]["settings"]["sound.soundcard"], "6");  // stored before the start

  TWindowState expected{.Game = 11,  // the game stays selected
                        .SoundCard = 2,
                        .SampleRate = 2,
                        .SoundEmu = 0,
                        .Resolution = 1,
                        .SkipFrame = 4,  // never reloaded
                        .ResolutionEnabled = true,
                        .Vsync = true,
                        .Rdtsc = true,
                        .Joystick = true,  // never reloaded
                        .Eagle = false,
                        .ScanLine = false};
  EXPECT_EQ(StateOf(*form), expected);
}

// Files of a Japanese user's emulator folder: UTF-16 saved by Notepad, Shift_JIS comments, an
// old DOS editor's end byte. The window shows what they hold, a Play stores into them in their
// own encoding and the emulator finds the stored values.
TEST_F(Form1Behaviour, AJapaneseUsersSettingsFilesAtStartAndThroughAPlay) {
  const std::string utf16 =
      "\xFF\xFE;\0 \0-\x8A\x9A[\r\0\n\0[\0s\0c\0r\0e\0e\0n\0]\0\r\0\n\0"s
      "s\0c\0a\0n\0l\0i\0n\0e\0s\0=\0\x31\0\r\0\n\0e\0a\0g\0l\0e\0=\0\x31\0\r\0\n\0"s;
  struct Case {
    const char* name;
    std::string file;
    std::string start;  // the file's first bytes after the Play
  };
  const Case cases[] = {
      {"UTF-16 with its byte-order mark", utf16, "\xFF\xFE;\0 \0-\x8A\x9A[\r\0\n\0"s},
      {"a Shift_JIS comment ending in ']'",
       "[screen] ;\x89\xE6\x96\xCA\x90\xDD\x92\xE8\x83\x5D\r\nscanlines=1\r\neagle=1\r\n",
       "[screen] "
       ";\x89\xE6\x96\xCA\x90\xDD\x92\xE8\x83\x5D\r\nscanlines=1\r\neagle=1\r\nvsync=1\r\n"},
      {"a DOS end byte", "[screen]\r\nscanlines=1\r\neagle=1\x1A",
       "[screen]\r\nscanlines=1\r\neagle=1\r\nvsync=1\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(dir / "standin.log");
    Open(c.file);
    EXPECT_TRUE(form->CheckBox5->Checked());  // scan lines
    EXPECT_TRUE(form->CheckBox4->Checked());  // eagle
    form->CheckBox1->UserClick();             // vsync on
    ClickPlay();
    ASSERT_EQ(errors, std::vector<std::string>{});
    const auto runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0]["settings"]["screen.vsync"], "1");
    EXPECT_EQ(runs[0]["settings"]["screen.scanlines"], "1");
    EXPECT_EQ(runs[0]["settings"]["screen.eagle"], "1");
    const std::string after = ReadFile(SettingsPath());
    EXPECT_EQ(after.substr(0, c.start.size()), c.start);
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_TRUE(form->CheckBox5->Checked());
  }
}

// A settings file the emulator made huge (here a sparse 64 GiB) neither stops the window from
// opening nor freezes it: it shows the defaults, and a Play says why nothing can be stored.
TEST_F(Form1Behaviour, AHugeSettingsFileShowsTheDefaultsAndRefusesThePlay) {
  WriteFile(SettingsPath(), "[screen]\nscanlines=1\n");
  ASSERT_EQ(::truncate(SettingsPath().c_str(), off_t{64} << 30), 0);
  Open();
  EXPECT_FALSE(form->CheckBox5->Checked());
  ClickPlay();
  EXPECT_EQ(errors, std::vector<std::string>{SettingsPath().string() +
                                             " に書き込めません: File too large"});
  EXPECT_TRUE(Runs().empty());
  EXPECT_EQ(fs::file_size(SettingsPath()), std::uintmax_t{64} << 30);
}

TEST_F(Form1Behaviour, DoubleClickPlaysTheTitleUnderThePointer) {
  Open();
  form->ListBox1->UserSelect(5);
  DeliverUserEvent([this] { form->ListBox1->UserDoubleClick(); });
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(Runs()[0]["argv"][1], "GOLDNAXE");
  EXPECT_EQ(form->ListBox1->ItemIndex(), 5);
}

TEST_F(Form1Behaviour, ReloadThatTurnsScanLineOffUnlocksThenTakesTheStoredWidth) {
  Open("[screen]\nscanlines=1\nxres=640\n");
  ScopedEnvironmentVariable change{"CORVANTA_STANDIN_SET", "screen.scanlines=0;screen.xres=400"};
  ClickPlay();
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_FALSE(form->CheckBox5->Checked());
  EXPECT_TRUE(form->RadioGroup5->Enabled());
  EXPECT_EQ(form->RadioGroup5->ItemIndex(), 1);
}

TEST_F(Form1Behaviour, ReloadThatKeepsScanLineOnLeavesTheCouplingAlone) {
  Open("[screen]\nscanlines=1\nxres=640\n");
  int couplings = 0;
  form->CheckBox5->OnClick = [this, &couplings](TObject* sender) {
    ++couplings;
    form->CheckBox5Click(sender);
  };
  ScopedEnvironmentVariable change{"CORVANTA_STANDIN_SET", "screen.xres=320"};
  ClickPlay();
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(couplings, 0);
  EXPECT_TRUE(form->CheckBox5->Checked());
  EXPECT_EQ(form->RadioGroup5->ItemIndex(), 0);  // the stored width, still locked
  EXPECT_FALSE(form->RadioGroup5->Enabled());
}

TEST_F(Form1Behaviour, AnUnknownRateAfterAPlayKeepsTheSelectionBeforeIt) {
  Open();
  form->RadioGroup2->UserSelect(2);
  ScopedEnvironmentVariable change{"CORVANTA_STANDIN_SET", "sound.samplerate=48000"};
  ClickPlay();
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(form->RadioGroup2->ItemIndex(), 2);
}

TEST_F(Form1Behaviour, RefusedStoreShowsTheMessageAndChangesNoControl) {
  const std::string settings = "[sound]\nsoundcard=4\n";
  Open(settings);
  fs::permissions(SettingsPath(), fs::perms::owner_read | fs::perms::group_read);
  form->RadioGroup1->UserSelect(1);
  form->CheckBox5->UserClick();
  const TWindowState before = StateOf(*form);

  ClickPlay();
  EXPECT_EQ(errors, std::vector<std::string>{SettingsPath().string() +
                                             " に書き込めません: Permission denied"});
  EXPECT_EQ(StateOf(*form), before);
  EXPECT_TRUE(Runs().empty());  // no emulator started
  EXPECT_EQ(ReadFile(SettingsPath()), settings);
}

TEST_F(Form1Behaviour, EmulatorThatCannotStartIsReportedAfterTheReload) {
  fs::remove(dir / "corvanta");
  TempDir emptyPath;
  ScopedEnvironmentVariable path{"PATH", emptyPath.Path().string()};
  Open();
  form->RadioGroup1->UserSelect(5);
  form->CheckBox1->UserClick();
  ClickPlay();

  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "corvanta を起動できません: No such file or directory");
  // The stores were made and read back before the message.
  EXPECT_EQ(form->RadioGroup1->ItemIndex(), 5);
  EXPECT_TRUE(form->CheckBox1->Checked());
  EXPECT_NE(ReadFile(SettingsPath()).find("soundcard=5"), std::string::npos);
}

TEST_F(Form1Behaviour, PlayWithoutAGameRowDoesNothing) {
  Open();
  form->ListBox1->SetItemIndex(-1);
  ClickPlay();
  EXPECT_EQ(errors, std::vector<std::string>{});
  EXPECT_TRUE(Runs().empty());
  EXPECT_FALSE(fs::exists(SettingsPath()));
}

TEST_F(Form1Behaviour, ClosingStoresNothing) {
  const std::string settings = "[sound]\nsoundcard=4\n";
  Open(settings);
  form->RadioGroup1->UserSelect(1);
  form->CheckBox2->UserClick();
  form.reset();
  EXPECT_EQ(ReadFile(SettingsPath()), settings);
}

}  // namespace
