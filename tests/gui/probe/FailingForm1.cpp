// A window class whose construction fails, linked into a test build of the launcher in place of
// the real one: the program must show the failure in its error box and end with exit code 0.
#include "Unit1.h"
#include "platform/sysutils.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* Owner) : TForm(Owner) {
  throw Exception("The settings folder cannot be read.");
}
