// The native Windows backend on a real screen: what the native windows show, and what the
// user's actions on them do to the objects.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/Backend.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Layout.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/win32/MessageLoop.h"
#include "platform/forms/win32/NativePeer.h"
#include "platform/sysutils.h"

namespace {

using forms::win32::HandleWaitingMessages;
using forms::win32::NativePeerOf;

constexpr std::array<std::string_view, 3> SoundItems{"None", "Sound Blaster", "Ultrasound"};
constexpr std::array<std::string_view, 3> RateItems{"11025 Hz", "22050 Hz", "44100 Hz"};
constexpr std::array<std::string_view, 3> GameItems{"Alien Syndrome", "ｱﾅﾛｸﾞ", "Golden Axe"};
constexpr std::span<const std::string_view> None{};

using enum TControlKind;
constexpr THintSwitch Inherit = THintSwitch::FromParent;

// Made in another order than their Tab order.
// clang-format off
constexpr TLayoutItem TestLayout[] = {
  // Name    Kind        Parent   Left Top  W    H    Caption               Tab Hint                              Hints?   Items       Index Checked
  {"button", Button,     "",      128, 248, 289,  33, "Play!!",             4,  "",                               Inherit, None,       -1, false},
  {"list",   ListBox,    "",        0,   0, 121, 281, "",                   3,  "ゲーム名。",                     Inherit, GameItems,  -1, false},
  {"sound",  RadioGroup, "",      128,   0, 193, 105, "SoundCard",          0,  "使用するサウンドカードの種類。", Inherit, SoundItems,  0, false},
  {"frame",  GroupBox,   "",      128, 112,  89,  41, "ScanLine",           1,  "走査線モード！",                 Inherit, None,       -1, false},
  {"box",    CheckBox,   "frame",   8,  16,  65,  17, "Enable",             0,  "",                               Inherit, None,       -1, false},
  {"rate",   RadioGroup, "",      328,   0,  89,  57, "YM2151 Sample Rate", 2,  "",                               Inherit, RateItems,   1, false},
};
// clang-format on

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

bool HasStyle(HWND window, LONG style) {
  return (GetWindowLongW(window, GWL_STYLE) & style) == style;
}

bool Checked(HWND button) {
  return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class Win32Backend : public testing::Test {
 protected:
  static void SetUpTestSuite() { forms::backend::Initialize(); }

  Win32Backend() {
    Application->SetTitle("corvanta menu");
    form.SetCaption("Corvanta Menu Ver 0.57    [テスト]");
    form.SetClientSize(417, 281);
    form.SetBorderStyle(bsDialog);
    form.SetPosition(poScreenCenter);
    form.SetFont({.Name = "ＭＳ Ｐゴシック", .Height = -12, .Charset = TFontCharset::ShiftJis});
    form.SetShowHint(true);
    BuildLayout(form, TestLayout);
    BindControl(form, button, "button");
    BindControl(form, list, "list");
    BindControl(form, sound, "sound");
    BindControl(form, frame, "frame");
    BindControl(form, box, "box");
    BindControl(form, rate, "rate");
    form.Show();
    HandleWaitingMessages();
  }

  static HWND Window(const TControl* control) { return NativePeerOf(control)->Handle(); }
  static std::vector<HWND> Buttons(const TRadioGroup* group) {
    std::vector<HWND> buttons;
    for (HWND child = GetWindow(Window(group), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
      buttons.push_back(child);
    return buttons;
  }
  // One character per button of the group, in their order: 'x' where it is checked, 't' where it
  // is a Tab stop, '.' where not ("x.." and "t..": the first button only).
  static std::string CheckedPattern(const TRadioGroup* group) {
    std::string pattern;
    for (HWND button : Buttons(group)) pattern += Checked(button) ? 'x' : '.';
    return pattern;
  }
  static std::string TabStopPattern(const TRadioGroup* group) {
    std::string pattern;
    for (HWND button : Buttons(group)) pattern += HasStyle(button, WS_TABSTOP) ? 't' : '.';
    return pattern;
  }

  void Press(UINT key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000000);
    HandleWaitingMessages();
  }

  HWND FormWindow() const { return Window(&form); }

  TForm form{nullptr};
  TButton* button;
  TListBox* list;
  TRadioGroup* sound;
  TGroupBox* frame;
  TCheckBox* box;
  TRadioGroup* rate;
};

TEST_F(Win32Backend, DialogFrameWithTheClientAreaCentredOnTheScreen) {
  HWND window = FormWindow();
  EXPECT_TRUE(HasStyle(window, WS_CAPTION | WS_SYSMENU));
  EXPECT_FALSE(HasStyle(window, WS_MINIMIZEBOX));
  EXPECT_FALSE(HasStyle(window, WS_MAXIMIZEBOX));
  EXPECT_FALSE(HasStyle(window, WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);  // none on the caption

  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 417);
  EXPECT_EQ(client.bottom, 281);
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(outer.top + outer.bottom, GetSystemMetrics(SM_CYSCREEN), 1);

  // The program's task-bar entry is the application's window, titled with its title.
  HWND owner = GetWindow(window, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(TextOf(owner), L"corvanta menu");
}

TEST_F(Win32Backend, TextsReachTheScreenThroughTheWideApi) {
  EXPECT_EQ(TextOf(FormWindow()), L"Corvanta Menu Ver 0.57    [\u30c6\u30b9\u30c8]");
  wchar_t row[32] = {};
  SendMessageW(Window(list), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
  EXPECT_STREQ(row, L"\uff71\uff85\uff9b\uff78\uff9e");  // half-width katakana stay half-width
  EXPECT_EQ(TextOf(Buttons(rate)[2]), L"44100 Hz");
  EXPECT_EQ(TextOf(Window(button)), L"Play!!");
}

TEST_F(Win32Backend, EveryControlTakesTheFormsFontAtItsHeight) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(Window(list), WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  for (HWND window : {Window(button), Window(box), Buttons(sound)[0], Window(frame)})
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), font);
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  EXPECT_EQ(description.lfHeight, -12);
  EXPECT_EQ(description.lfCharSet, SHIFTJIS_CHARSET);
  // Where the requested face is missing (Wine has none of Windows' Japanese faces), another
  // Japanese gothic that is installed takes its place.
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(screen, LF_FACESIZE, face);
  const UINT charset = GetTextCharset(screen);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(charset, SHIFTJIS_CHARSET) << "face " << face;
}

TEST_F(Win32Backend, RadioButtonsShowTheGroupsSelectionNoneIncluded) {
  EXPECT_EQ(CheckedPattern(sound), "x..");
  EXPECT_EQ(TabStopPattern(sound), "t..");
  struct Case {
    int index;
    const char* checked;
  };
  for (Case c : {Case{2, "..x"}, Case{-1, "..."}, Case{1, ".x."}, Case{7, "..x"}}) {
    sound->SetItemIndex(c.index);
    EXPECT_EQ(CheckedPattern(sound), c.checked) << c.index;
    // Only the selected button is a Tab stop; a group without one has none.
    std::string stops = c.checked;
    for (char& stop : stops) stop = stop == 'x' ? 't' : '.';
    EXPECT_EQ(TabStopPattern(sound), stops) << c.index;
  }
}

TEST_F(Win32Backend, ADisabledGroupGreysEveryButtonAndKeepsItsSelection) {
  rate->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Window(rate)));
  for (HWND button : Buttons(rate)) EXPECT_FALSE(IsWindowEnabled(button));
  EXPECT_EQ(CheckedPattern(rate), ".x.");
  rate->SetEnabled(true);
  for (HWND button : Buttons(rate)) EXPECT_TRUE(IsWindowEnabled(button));
  frame->SetEnabled(false);  // a check box greys with the frame it sits in
  EXPECT_FALSE(IsWindowEnabled(Window(box)));
}

TEST_F(Win32Backend, ClicksGoToTheObjectWhichDecidesWhatTheWindowsShow) {
  int clicks = 0;
  box->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, box);
    ++clicks;
  };
  SendMessageW(Window(box), BM_CLICK, 0, 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(Checked(Window(box)));
  SendMessageW(Window(box), BM_CLICK, 0, 0);
  EXPECT_FALSE(box->Checked());
  EXPECT_FALSE(Checked(Window(box)));
  EXPECT_EQ(clicks, 2);

  // The buttons do not check themselves: only the group's selection shows.
  SendMessageW(Buttons(sound)[2], BM_CLICK, 0, 0);
  EXPECT_EQ(sound->ItemIndex(), 2);
  EXPECT_EQ(CheckedPattern(sound), "..x");

  int plays = 0;
  button->OnClick = [&](TObject*) { ++plays; };
  SendMessageW(Window(button), BM_CLICK, 0, 0);
  EXPECT_EQ(plays, 1);
}

TEST_F(Win32Backend, ListReportsSelectionsAndDoubleClicks) {
  int clicks = 0, doubleClicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  list->OnDblClick = [&](TObject* sender) {
    EXPECT_EQ(sender, list);
    EXPECT_EQ(list->ItemIndex(), 2);  // the first click has selected the row
    ++doubleClicks;
  };
  list->SetItemIndex(0);
  EXPECT_EQ(SendMessageW(Window(list), LB_GETCURSEL, 0, 0), 0);

  RECT row;
  SendMessageW(Window(list), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  const LPARAM at = MAKELPARAM(row.left + 5, row.top + 3);
  SendMessageW(Window(list), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(Window(list), WM_LBUTTONUP, 0, at);
  SendMessageW(Window(list), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(Window(list), WM_LBUTTONUP, 0, at);
  HandleWaitingMessages();
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubleClicks, 1);
}

TEST_F(Win32Backend, TabFollowsTheTabOrderAndActiveControlFollowsTheFocus) {
  // Shown, the form focuses its first stop: the selected button of the first group.
  EXPECT_EQ(GetFocus(), Buttons(sound)[0]);
  EXPECT_EQ(form.ActiveControl(), sound);
  std::vector<std::string> visited;
  for (int i = 0; i < 5; ++i) {
    Press(VK_TAB);
    visited.push_back(form.ActiveControl() != nullptr ? form.ActiveControl()->Name() : "-");
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"box", "rate", "list", "button", "sound"}));
  EXPECT_EQ(GetFocus(), Buttons(sound)[0]);

  // A group without a selection, and a disabled one, are passed over.
  rate->SetItemIndex(-1);
  frame->SetEnabled(false);
  Press(VK_TAB);
  EXPECT_EQ(form.ActiveControl(), list);
}

TEST_F(Win32Backend, ArrowKeysMoveTheSelectionWithinARadioGroup) {
  ASSERT_EQ(GetFocus(), Buttons(sound)[0]);
  Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), Buttons(sound)[1]) << "focus";
  EXPECT_EQ(sound->ItemIndex(), 1);
  EXPECT_EQ(CheckedPattern(sound), ".x.");
  EXPECT_EQ(GetFocus(), Buttons(sound)[1]);
}

TEST_F(Win32Backend, EnterAndEscapeMeanNothingInTheWindow) {
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  button->OnClick = [&](TObject*) { ++clicks; };
  box->SetFocus();
  HandleWaitingMessages();
  ASSERT_EQ(GetFocus(), Window(box));
  Press(VK_RETURN);
  Press(VK_ESCAPE);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(form.Visible());
  Press(VK_SPACE);  // Space is the box's own key
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(box->Checked());
}

TEST_F(Win32Backend, EnterPressesTheFocusedButtonAsSpaceDoes) {
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->SetFocus();
  HandleWaitingMessages();
  ASSERT_EQ(GetFocus(), Window(button));
  Press(VK_RETURN);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form.ActiveControl(), button) << "Enter moved the focus";
  Press(VK_SPACE);
  EXPECT_EQ(clicks, 2);

  // Enter on the list is not a press of the button.
  list->SetFocus();
  HandleWaitingMessages();
  Press(VK_RETURN);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(form.ActiveControl(), list);
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

TEST_F(Win32Backend, HintsAreThoseOfTheControlUnderThePointer) {
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(tooltip, nullptr);

  auto hintAt = [&](HWND window, POINT inside) {
    MapWindowPoints(window, nullptr, &inside, 1);
    SetCursorPos(inside.x, inside.y);
    NMTTDISPINFOW request{};
    request.hdr.hwndFrom = tooltip;
    request.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(FormWindow(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    return std::wstring(request.lpszText != nullptr ? request.lpszText : L"");
  };
  // A radio button shows its group's hint, a check box that of its frame.
  EXPECT_EQ(hintAt(Buttons(sound)[1], {4, 4}),
            L"\u4f7f\u7528\u3059\u308b\u30b5\u30a6\u30f3\u30c9\u30ab\u30fc\u30c9\u306e\u7a2e\u985e"
            L"\u3002");
  EXPECT_EQ(hintAt(Window(box), {4, 4}), L"\u8d70\u67fb\u7dda\u30e2\u30fc\u30c9\uff01");
  EXPECT_EQ(hintAt(Window(button), {4, 4}), L"");
}

TEST_F(Win32Backend, ExceptionsOfHandlersAreShownOrRaisedAfterTheSystemReturns) {
  std::vector<std::string> shown;
  Application->OnException = [&](TObject*, const Exception& error) {
    shown.push_back(error.Message());
  };
  button->OnClick = [](TObject*) { throw Exception("cannot write"); };
  SendMessageW(Window(button), BM_CLICK, 0, 0);
  EXPECT_EQ(shown, std::vector<std::string>{"cannot write"});
  Application->OnException = nullptr;

  // Anything else must not unwind through the system's frames: it comes out of the loop.
  button->OnClick = [](TObject*) { throw std::runtime_error("not ours"); };
  SendMessageW(Window(button), BM_CLICK, 0, 0);
  EXPECT_THROW(HandleWaitingMessages(), std::runtime_error);
}

TEST_F(Win32Backend, InputThatWaitedThroughABusySpellIsDropped) {
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  box->OnClick = [&](TObject*) { ++clicks; };
  // What the user did while the program did not listen: a click on the button, a key on the box.
  PostMessageW(Window(button), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(Window(button), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PostMessageW(Window(box), WM_KEYDOWN, VK_SPACE, 0);
  PostMessageW(Window(box), WM_KEYUP, VK_SPACE, 0xC0000000);
  PostMessageW(FormWindow(), WM_APP, 0, 0);  // anything else waits on
  forms::backend::DiscardPendingInput();
  MSG other;
  EXPECT_TRUE(PeekMessageW(&other, FormWindow(), WM_APP, WM_APP, PM_NOREMOVE));
  HandleWaitingMessages();
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(box->Checked());

  // Afterwards input counts again.
  PostMessageW(Window(button), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(Window(button), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  HandleWaitingMessages();
  EXPECT_EQ(clicks, 1);
}

TEST_F(Win32Backend, ClosingTheFormEndsTheMessageLoop) {
  PostMessageW(FormWindow(), WM_CLOSE, 0, 0);
  forms::backend::RunMessageLoop(form);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(IsWindowVisible(FormWindow()));
}

// The error box, seen from inside: a hook reads it and presses its button.
struct ErrorBoxSeen {
  std::wstring caption, text;
  int buttons = 0, icons = 0;
  bool ownerEnabled = true;
};
ErrorBoxSeen seen;
HHOOK hook = nullptr;
HWND boxOwner = nullptr;

LRESULT CALLBACK ReadErrorBox(int code, WPARAM wParam, LPARAM lParam) {
  wchar_t kind[16] = {};
  if (code == HCBT_ACTIVATE) GetClassNameW(reinterpret_cast<HWND>(wParam), kind, 16);
  if (code == HCBT_ACTIVATE && lstrcmpW(kind, L"#32770") == 0) {  // the box's dialog class
    auto box = reinterpret_cast<HWND>(wParam);
    seen.caption = TextOf(box);
    seen.ownerEnabled = IsWindowEnabled(boxOwner) != FALSE;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[32] = {};
      GetClassNameW(child, name, 32);
      const LONG style = GetWindowLongW(child, GWL_STYLE);
      if (lstrcmpiW(name, L"Button") == 0) ++seen.buttons;
      if (lstrcmpiW(name, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) ++seen.icons;
      if (lstrcmpiW(name, L"Static") == 0 && (style & SS_TYPEMASK) != SS_ICON)
        seen.text = TextOf(child);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

TEST_F(Win32Backend, ErrorBoxIsModalWithTheTitleTheTextAStopIconAndOk) {
  SetActiveWindow(FormWindow());
  boxOwner = FormWindow();
  hook = SetWindowsHookExW(WH_CBT, ReadErrorBox, nullptr, GetCurrentThreadId());
  Application->ShowException(Exception("C:\\GAMES\\corvanta.ini に書き込めません"));
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(seen.caption, L"corvanta menu");
  EXPECT_EQ(seen.text,
            L"C:\\GAMES\\corvanta.ini \u306b\u66f8\u304d\u8fbc\u3081\u307e\u305b\u3093.");
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_EQ(seen.icons, 1);
  EXPECT_FALSE(seen.ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(FormWindow()));  // and enabled again afterwards
}

TEST_F(Win32Backend, AfterTheErrorBoxTheWindowAndItsControlHaveTheFocusAgain) {
  button->SetFocus();
  HandleWaitingMessages();
  ASSERT_EQ(GetFocus(), Window(button));
  boxOwner = FormWindow();
  hook = SetWindowsHookExW(WH_CBT, ReadErrorBox, nullptr, GetCurrentThreadId());
  Application->ShowException(Exception("cannot write"));
  UnhookWindowsHookEx(hook);
  HandleWaitingMessages();
  EXPECT_EQ(GetActiveWindow(), FormWindow());
  EXPECT_EQ(GetForegroundWindow(), FormWindow());
  EXPECT_EQ(GetFocus(), Window(button));
  EXPECT_EQ(form.ActiveControl(), button);
}

}  // namespace
