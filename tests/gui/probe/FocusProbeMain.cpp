// A test build of the launcher that reports on stdout where the keyboard focus goes, what the
// check boxes do and which game row the Play handler would play, so that a test on a real
// display can follow Tab, Space, clicks and double-clicks.
//   (no argument)  the window as designed
//   skip           no sound card selected and the Resolution group disabled
//   throw          the Play button raises an Exception
#include <cstdio>
#include <string>

#include "Unit1.h"
#include "platform/forms/Forms.h"
#include "platform/sysutils.h"

int main(int argc, char** argv) {
  const std::string scenario = argc > 1 ? argv[1] : "";
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  try {
    Application->Initialize();
    Application->SetTitle("corvanta menu");
    Application->CreateForm(Form1);
    Form1->OnActiveControlChange = [](TObject*) {
      TControl* active = Form1->ActiveControl();
      std::printf("focus %s\n", active != nullptr ? active->Name().c_str() : "(none)");
    };
    for (TCheckBox* box : {Form1->CheckBox1, Form1->CheckBox2, Form1->CheckBox3, Form1->CheckBox4,
                           Form1->CheckBox5}) {
      box->OnClick = [box, handler = box->OnClick](TObject* sender) {
        std::printf("click %s %s\n", box->Name().c_str(), box->Checked() ? "on" : "off");
        if (handler) handler(sender);
      };
    }
    // Which row a Play would play is all this build reports of it; it starts no emulator.
    Form1->ListBox1->OnDblClick = [](TObject*) {
      std::printf("double-click row %d\n", Form1->ListBox1->ItemIndex());
    };
    Form1->Button1->OnClick = [](TObject*) {
      std::printf("Play row %d\n", Form1->ListBox1->ItemIndex());
    };
    if (scenario == "skip") {
      Form1->RadioGroup1->SetItemIndex(-1);
      Form1->RadioGroup5->SetEnabled(false);
    } else if (scenario == "throw") {
      Form1->Button1->OnClick = [](TObject*) {
        std::printf("play\n");
        throw Exception("The emulator could not be prepared");
      };
    }
    Application->Run();
    std::printf("closed\n");
  } catch (const Exception& error) {
    Application->ShowException(error);
  }
  return 0;
}
