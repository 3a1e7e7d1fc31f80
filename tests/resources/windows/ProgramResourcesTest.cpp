// What corvanta-menu.exe carries as a file: the icon made from the program's one drawing, pixel
// for pixel, the manifest and the version record.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "resources/MainIcon.h"

namespace {

std::filesystem::path ProgramPath() {
  wchar_t own[MAX_PATH];
  GetModuleFileNameW(nullptr, own, MAX_PATH);
  return std::filesystem::path(own).parent_path() / CORVANTA_MENU_RELATIVE_PATH;
}

// The drawing as colours 0x00RRGGBB by pixel; -1 where it is transparent.
std::map<std::pair<int, int>, long> Drawing(int& width, int& height) {
  int colours = 0, perPixel = 0;
  std::sscanf(MainIconXpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel);
  std::map<std::string, long> table;
  for (int i = 1; i <= colours; ++i) {
    const std::string line = MainIconXpm[i];
    const std::string key = line.substr(0, static_cast<std::size_t>(perPixel));
    const std::string value = line.substr(line.rfind(' ') + 1);
    table[key] = value == "None" ? -1 : std::stol(value.substr(1), nullptr, 16);
  }
  std::map<std::pair<int, int>, long> pixels;
  for (int y = 0; y < height; ++y) {
    const std::string row = MainIconXpm[1 + colours + y];
    for (int x = 0; x < width; ++x)
      pixels[{x, y}] = table.at(
          row.substr(static_cast<std::size_t>(x * perPixel), static_cast<std::size_t>(perPixel)));
  }
  return pixels;
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct GroupIcon {
  WORD reserved, type, count;
  GroupIconEntry entries[1];
};
#pragma pack(pop)

class ProgramResources : public testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << ProgramPath();
  }
  void TearDown() override {
    if (module != nullptr) FreeLibrary(module);
  }
  // The resource's bytes, or nullptr.
  const BYTE* Resource(LPCWSTR name, LPCWSTR type, DWORD* size = nullptr) const {
    HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr) return nullptr;
    if (size != nullptr) *size = SizeofResource(module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  }

  HMODULE module = nullptr;
};

TEST_F(ProgramResources, TheIconIsTheDrawingIn16Colours) {
  int width = 0, height = 0;
  const auto drawing = Drawing(width, height);
  ASSERT_EQ(width, 32);
  ASSERT_EQ(height, 32);

  const auto* group = reinterpret_cast<const GroupIcon*>(
      Resource(MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_GROUP_ICON)));
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->count, 1);  // one picture
  const GroupIconEntry& entry = group->entries[0];
  EXPECT_EQ(entry.width, 32);
  EXPECT_EQ(entry.height, 32);
  EXPECT_EQ(entry.bitCount, 4);

  const auto* image = reinterpret_cast<const BITMAPINFOHEADER*>(
      Resource(MAKEINTRESOURCEW(entry.id), reinterpret_cast<LPCWSTR>(RT_ICON)));
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->biBitCount, 4);
  const auto* palette = reinterpret_cast<const RGBQUAD*>(image + 1);
  const BYTE* colour = reinterpret_cast<const BYTE*>(palette + 16);
  const BYTE* mask = colour + 32 * 32 / 2;
  for (int y = 0; y < 32; ++y) {
    const int row = 31 - y;  // stored bottom up
    for (int x = 0; x < 32; ++x) {
      const bool transparent = (mask[row * 4 + x / 8] >> (7 - x % 8)) & 1;
      const int index = (colour[row * 16 + x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
      const RGBQUAD& rgb = palette[index];
      const long shown = transparent ? -1 : (rgb.rgbRed << 16) | (rgb.rgbGreen << 8) | rgb.rgbBlue;
      ASSERT_EQ(shown, drawing.at({x, y})) << "pixel " << x << "," << y;
    }
  }
}

TEST_F(ProgramResources, TheManifestAsksForCommonControls6AndDpiAwareness) {
  DWORD size = 0;
  const BYTE* text = Resource(MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_MANIFEST), &size);
  ASSERT_NE(text, nullptr);
  const std::string manifest(reinterpret_cast<const char*>(text), size);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

TEST_F(ProgramResources, TheManifestNamesTheProcessorTheProgramIsBuiltFor) {
  DWORD size = 0;
  const BYTE* text = Resource(MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_MANIFEST), &size);
  ASSERT_NE(text, nullptr);
  const std::string manifest(reinterpret_cast<const char*>(text), size);
  // The tests are built for the program's processor.
  const std::string own = sizeof(void*) == 8 ? "amd64" : "x86";
  const auto first = manifest.find("<assemblyIdentity");
  ASSERT_NE(first, std::string::npos);
  const std::string programIdentity = manifest.substr(first, manifest.find("/>", first) - first);
  EXPECT_NE(programIdentity.find("name=\"corvanta.menu\""), std::string::npos) << programIdentity;
  EXPECT_NE(programIdentity.find("processorArchitecture=\"" + own + "\""), std::string::npos)
      << programIdentity;
  // A dependency bound to one processor would not load in the other's program.
  EXPECT_EQ(manifest.find("processorArchitecture=\"" + std::string(own == "x86" ? "amd64" : "x86")),
            std::string::npos);
}

TEST_F(ProgramResources, TheVersionRecordNamesTheProgram) {
  const std::wstring path = ProgramPath().wstring();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
  wchar_t* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&value), &length));
  EXPECT_STREQ(value, L"0.57");
}

}  // namespace
