// The launcher's entry: the application object runs the one window until it is closed.
#include "Unit1.h"
#include "platform/forms/Forms.h"
#include "platform/sysutils.h"

int main() {
  try {
    Application->Initialize();
    Application->SetTitle("corvanta menu");
    Application->CreateForm(Form1);
    Application->Run();
  } catch (const Exception& error) {
    Application->ShowException(error);
  }
  return 0;
}
