#include "support/ProgramFixture.h"

namespace {

using StartUp = ProgramFixture;

TEST_F(StartUp, StateAndTextsBeforeTheSplashCloses) {
  TMainForm& m = M();
  EXPECT_EQ(m.Edit3->Text(), "9.899999");
  EXPECT_EQ(m.Edit1->Text(), "0.100000");
  EXPECT_EQ(m.E_LimColors->Text(), "3");
  EXPECT_EQ(m.EditIter->Text(), "200");
  EXPECT_EQ(m.EditQuantity->Text(), "EditQuantity");
  EXPECT_EQ(m.RealColors, 0);
  EXPECT_EQ(Renders(), 0) << "nothing is rendered during construction";
  EXPECT_FALSE(m.Timer1->Enabled());
  EXPECT_EQ(m.Timer1->Interval, 10);
  EXPECT_EQ(m.ButtonStart->Caption, "Pause");
  EXPECT_EQ(m.MinColors, 3);
  EXPECT_EQ(m.MaxIter, 200);
  EXPECT_EQ(m.Step, 0.1f);
  EXPECT_EQ(m.StepSpan, 99990.0f);
  EXPECT_EQ(m.TB_Coef->Position(), 40);
  EXPECT_EQ(m.TB_Coef->Max, 40);
  EXPECT_EQ(m.TrackBar1->Position(), 60000);
  EXPECT_EQ(m.ImageWidth, 160);
  EXPECT_EQ(m.ImageHeight, 120);
  EXPECT_EQ(m.Pallete->Width, 90);
  EXPECT_EQ(m.Wheel.ColorCount, 200);
  EXPECT_EQ(m.Wheel.Colors[35], 0x00FFFDu);
  EXPECT_TRUE(m.AnimateScale && m.UsePalette && m.FullRange);
  EXPECT_EQ(m.CoefStep[0], 1.0f);
  for (int i = 1; i < 12; ++i) EXPECT_EQ(m.CoefStep[i], 0.0f);
  EXPECT_EQ(m.Coef[8], 3.6f);
  for (int y = 3; y < 8; ++y) EXPECT_EQ(m.SpectrumLine->Canvas.GetPixel(50, y), tk::clWhite);
}

TEST_F(StartUp, WindowsAreMadeInOrderAndHidden) {
  ASSERT_TRUE(MainForm && FormKorvel && FullForm && FormThemes && FormCoef);
  EXPECT_TRUE(M().IsMainForm);
  for (tk::Form* f : std::initializer_list<tk::Form*>{MainForm, FormKorvel, FullForm, FormThemes, FormCoef})
    EXPECT_FALSE(f->Visible) << f->Name;
  for (tk::Edit* e : FormCoef->CoefEdit) EXPECT_FALSE(e->Enabled);
  EXPECT_EQ(FormCoef->CoefEdit[0]->Text(), "1.799999");
  EXPECT_EQ(FormCoef->ClientHeight, 119);
  EXPECT_EQ(FormCoef->StepBar[11]->Left, 370);
}

TEST_F(StartUp, MissingSettingsFileIsCreatedAndExitWritesItBack) {
  EXPECT_EQ(ReadFile("ini.dat"), "0 1");
  EXPECT_TRUE(M().English->Checked);
  EXPECT_FALSE(M().Russian->Checked);
  M().Exit1->UserClick();
  EXPECT_EQ(ReadFile("ini.dat"), "0 1");
  EXPECT_TRUE(platform.Terminated());
}

TEST_F(StartUp, SplashClosesOnAnyKeyOrClickAndStartsTheTimer) {
  struct Case {
    const char* what;
    std::function<void(TFormKorvel&)> act;
  };
  const Case cases[] = {
      {"a letter on the window", [](TFormKorvel& k) { k.UserKeyDown('A'); }},
      {"Shift alone", [](TFormKorvel& k) { k.UserKeyDown(tk::VK_SHIFT); }},
      {"Alt on a text", [](TFormKorvel& k) { k.Edit4->UserKeyDown(tk::VK_MENU); }},
      {"a click on the picture", [](TFormKorvel& k) { k.Image1->UserMouseDown(tk::MouseButton::Left, 5, 5); }},
      {"a right click on the banner", [](TFormKorvel& k) { k.Edit1->UserMouseDown(tk::MouseButton::Right, 1, 1); }},
      {"a click on the contacts", [](TFormKorvel& k) { k.ListBox3->UserMouseDown(tk::MouseButton::Left, 3, 3); }},
      {"a click on the free area", [](TFormKorvel& k) { k.UserMouseDown(tk::MouseButton::Middle, 500, 10); }},
  };
  for (const Case& c : cases) {
    M().Timer1->SetEnabled(false);
    bool closedByTheUser = false;
    platform.OnModal = [&](tk::Form& f) {
      EXPECT_EQ(&f, FormKorvel);
      EXPECT_FALSE(M().Timer1->Enabled()) << "the picture does not move before the splash closes";
      c.act(*FormKorvel);
      closedByTheUser = !f.Visible;
    };
    M().Hide();
    M().Show();
    EXPECT_TRUE(closedByTheUser) << c.what;
    EXPECT_TRUE(M().Timer1->Enabled()) << c.what;
    EXPECT_EQ(M().ButtonStart->Caption, "Pause") << c.what;
  }
  EXPECT_TRUE(FormKorvel->Edit3->ReadOnly);
  EXPECT_EQ(FormKorvel->Edit3->Text(), "v. 4.11");
  EXPECT_EQ(FormKorvel->Image1->Canvas.Width(), 323);
}

TEST_F(StartUp, TheFirstTickRendersTheFirstPicture) {
  CloseSplash();
  EXPECT_EQ(Renders(), 0);
  platform.Tick();
  EXPECT_EQ(Renders(), 1);
  EXPECT_EQ(platform.Repaints["Image1"], 1);
  EXPECT_NE(M().EditQuantity->Text(), "EditQuantity");
}

struct Ini : ProgramFixture, ::testing::WithParamInterface<std::tuple<const char*, bool, const char*>> {
  std::optional<std::string> IniFile() const override { return std::get<0>(GetParam()); }
};

TEST_P(Ini, LanguageMarkHelpFileAndExit) {
  const auto [content, russian, helpFile] = GetParam();
  EXPECT_EQ(M().Russian->Checked, russian);
  EXPECT_EQ(M().English->Checked, !russian);
  M().Help1->UserClick();
  ASSERT_EQ(platform.OpenedFiles.size(), 1u);
  EXPECT_EQ(platform.OpenedFiles[0], helpFile);
  M().Exit1->UserClick();
  EXPECT_EQ(ReadFile("ini.dat"), content);
}

INSTANTIATE_TEST_SUITE_P(Settings, Ini,
                         ::testing::Values(std::make_tuple("0 1", false, "fractal.chm"),
                                           std::make_tuple("1 7", true, "fractal_rus.chm"),
                                           std::make_tuple("2 5", false, "fractal.chm")));

TEST_F(StartUp, LanguageChoiceLastsUntilExitOnly) {
  M().Russian->UserClick();
  EXPECT_TRUE(M().Russian->Checked);
  EXPECT_FALSE(M().English->Checked);
  EXPECT_EQ(M().HelpLanguage, 1);
  M().Show();
  M().UserClose();  // the close box: ini.dat keeps the old language
  EXPECT_TRUE(platform.Terminated());
  EXPECT_EQ(ReadFile("ini.dat"), "0 1");
  M().English->UserClick();
  M().English->UserClick();
  EXPECT_TRUE(M().English->Checked);
  EXPECT_EQ(M().HelpLanguage, 0);
}

TEST_F(StartUp, HelpStopsTheAnimationButKeepsTheFieldsLocked) {
  CloseSplash();
  M().ButtonStart->UserClick();  // stop: fields unlocked
  M().ButtonStart->UserClick();  // start: fields locked
  EXPECT_EQ(M().ButtonStart->Caption, "Stop");
  M().Help1->UserClick();
  EXPECT_FALSE(M().Timer1->Enabled());
  EXPECT_EQ(M().ButtonStart->Caption, "Start");
  EXPECT_FALSE(FormCoef->CoefEdit[0]->Enabled);
  M().ButtonStart->UserClick();
  EXPECT_FALSE(FormCoef->CoefEdit[0]->Enabled);
  M().ButtonStart->UserClick();
  EXPECT_TRUE(FormCoef->CoefEdit[0]->Enabled);
}

TEST_F(StartUp, UnwritableSettingsAtExitSayItAndStillEnd) {
  std::filesystem::remove("ini.dat");
  std::filesystem::create_directory("ini.dat");  // no file can be written under that name
  M().Exit1->UserClick();
  ASSERT_EQ(platform.Messages.size(), 1u);
  EXPECT_NE(platform.Messages[0].find("ini.dat"), std::string::npos);
  EXPECT_TRUE(platform.Terminated());
}

}  // namespace
