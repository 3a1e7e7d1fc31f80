#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/sysutils.h"

namespace {

TEST(ApplicationTest, ErrorBoxTextAlwaysEndsWithAnAddedFullStop) {
  struct Case {
    const char* message;
    const char* text;
  };
  for (Case c : {Case{"Cannot create file", "Cannot create file."},
                 Case{"Access denied.", "Access denied.."}, Case{"", "."},
                 Case{"Zeile 1\nZeile 2", "Zeile 1\nZeile 2."}}) {
    EXPECT_EQ(ErrorBoxText(Exception(c.message)), c.text);
  }
}

class DerivedError : public Exception {
 public:
  using Exception::Exception;
};

class ApplicationEvents : public testing::Test {
 protected:
  ApplicationEvents() {
    Application->OnException = [this](TObject* sender, const Exception& error) {
      EXPECT_EQ(sender, Application);
      shown.push_back(error.Message());
    };
  }
  ~ApplicationEvents() override { Application->OnException = nullptr; }
  std::vector<std::string> shown;
};

TEST_F(ApplicationEvents, ExceptionFromAHandlerIsHandedToTheApplicationAndDispatchGoesOn) {
  TCheckBox box(nullptr);
  box.OnClick = [](TObject*) { throw DerivedError("Cannot write corvanta.ini"); };
  DeliverUserEvent([&] { box.UserClick(); });
  EXPECT_TRUE(box.Checked()) << "the state changed before the handler ran";
  DeliverUserEvent([&] { box.UserClick(); });
  EXPECT_EQ(shown,
            (std::vector<std::string>{"Cannot write corvanta.ini", "Cannot write corvanta.ini"}));
}

TEST_F(ApplicationEvents, OtherExceptionsAreNotTheDispatchsBusiness) {
  EXPECT_THROW(DeliverUserEvent([] { throw std::runtime_error("not ours"); }), std::runtime_error);
  EXPECT_TRUE(shown.empty());
}

class ThrowingForm : public TForm {
 public:
  explicit ThrowingForm(TComponent* owner) : TForm(owner) {
    new TButton(this);  // released again as the construction unwinds
    throw Exception("Cannot open the settings");
  }
};

TEST(ApplicationTest, FailedCreateFormLeavesTheReferenceAndNoMainForm) {
  ThrowingForm* form = nullptr;
  EXPECT_THROW(Application->CreateForm(form), Exception);
  EXPECT_EQ(form, nullptr);
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(Application->ComponentCount(), 0);
}

TEST(ApplicationTest, FirstFormCreatedIsTheMainFormAndRunReleasesTheForms) {
  TForm* main = nullptr;
  TForm* other = nullptr;
  Application->CreateForm(main);
  Application->CreateForm(other);
  EXPECT_EQ(Application->MainForm(), main);
  EXPECT_EQ(main->Owner(), Application);
  Application->Run();  // headless: nothing to wait for
  EXPECT_EQ(Application->ComponentCount(), 0);
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(ApplicationTest, ReleasingTheMainFormForgetsIt) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  delete main;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

}  // namespace
