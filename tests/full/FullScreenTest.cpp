#include <filesystem>
#include <fstream>

#include "support/ProgramFixture.h"

namespace fs = std::filesystem;

namespace {

struct FullScreen : ProgramFixture {
  // Opens full screen from the main window and runs `inside` while it is shown.
  void Open(std::function<void(TFullForm&)> inside) {
    platform.OnModal = [inside](tk::Form& f) {
      if (&f == FullForm) inside(*FullForm);
    };
    M().Button4->UserClick();
    platform.OnModal = nullptr;
  }
  void Press(tk::Key key) { FullForm->ImageFull->UserKeyDown(key); }
  void SaveAs(std::string name) {
    platform.OnSaveDialog = [name](tk::SavePictureDialog& d) {
      d.FileName = name;
      return true;
    };
  }
  // The pixels of a 24-bit bottom-up bitmap file.
  static std::vector<tk::Color> Pixels(const std::string& path, int& w, int& h) {
    const std::string b = ReadFile(path);
    auto u32 = [&](int at) {
      return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
             static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
             static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
             static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
    };
    w = static_cast<int>(u32(18));
    h = static_cast<int>(u32(22));
    const int stride = (w * 3 + 3) / 4 * 4;
    std::vector<tk::Color> out(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int at = static_cast<int>(u32(10)) + (h - 1 - y) * stride + x * 3;
        out[y * w + x] = tk::RGB(static_cast<unsigned char>(b[at + 2]), static_cast<unsigned char>(b[at + 1]),
                                 static_cast<unsigned char>(b[at]));
      }
    return out;
  }
};

TEST_F(FullScreen, WindowSizeFollowsTheScreenUpTo1600By1200) {
  struct {
    int sw, sh, w, h;
  } cases[] = {{1024, 768, 1024, 768}, {1920, 1080, 1600, 1080}, {2560, 1600, 1600, 1200}};
  for (const auto& c : cases) {
    platform.ScreenWidthValue = c.sw;
    platform.ScreenHeightValue = c.sh;
    TFullForm form;
    EXPECT_EQ(form.ClientWidth, c.w);
    EXPECT_EQ(form.ClientHeight, c.h);
    EXPECT_EQ(form.ImageFull->Width, c.w);
    EXPECT_EQ(form.ImageFull->Canvas.Height(), c.h);
    EXPECT_EQ(form.Left, 0);
    EXPECT_EQ(form.BorderStyle, tk::BorderStyle::None);
  }
}

TEST_F(FullScreen, RendersAfterTheMessageAndClosesOnAnyOtherKeyOrClick) {
  CloseSplash();
  std::vector<std::function<void(TFullForm&)>> closers = {
      [&](TFullForm&) { Press(tk::VK_SHIFT); },
      [&](TFullForm&) { Press('Q'); },
      [&](TFullForm& f) { f.ImageFull->UserMouseDown(tk::MouseButton::Right, 5, 5); },
      [&](TFullForm& f) { f.UserMouseDown(tk::MouseButton::Left, 5, 5); },
  };
  for (auto& close : closers) {
    platform.Messages.clear();
    bool closed = false;
    Open([&](TFullForm& f) {
      EXPECT_EQ(platform.Messages.size(), 1u);
      EXPECT_EQ(platform.Messages[0], TFullForm::WaitMessage);
      close(f);
      closed = !f.Visible;
    });
    EXPECT_TRUE(closed);
    EXPECT_FALSE(M().Timer1->Enabled());
    EXPECT_EQ(M().ButtonStart->Caption, "Start");
  }
  EXPECT_GE(platform.Repaints["MainForm"], 1);
}

TEST_F(FullScreen, SavingIntoGraphicsAndBack) {
  M().CB_AutoNew->SetChecked(false);
  M().Redraw();
  const fs::path home = fs::current_path();
  SaveAs("first");
  std::vector<tk::Color> shown;
  Open([&](TFullForm& f) {
    Press(tk::VK_RETURN);
    shown.assign(f.ImageFull->Canvas.Data(), f.ImageFull->Canvas.Data() + 1024 * 768);
    EXPECT_TRUE(f.Visible) << "the window stays open after a save";
    EXPECT_EQ(fs::current_path(), home);
    SaveAs("second.ico");
    tk::Key enter = tk::VK_RETURN;
    f.OnKeyDown(&f, enter, tk::ShiftState{.Shift = true});  // Shift+Enter
    platform.OnSaveDialog = nullptr;  // cancelled
    Press(tk::VK_RETURN);
    EXPECT_EQ(fs::current_path(), home);
  });
  EXPECT_TRUE(fs::is_directory("Graphics"));
  EXPECT_TRUE(fs::exists("ini.dat"));
  ASSERT_TRUE(fs::exists("Graphics/first.bmp"));
  EXPECT_EQ(ReadFile("Graphics/second.ico").substr(0, 2), "BM");
  EXPECT_EQ(std::count(platform.Messages.begin(), platform.Messages.end(), TFullForm::SavedMessage), 3);
  int w = 0, h = 0;
  EXPECT_EQ(Pixels("Graphics/first.bmp", w, h), shown);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  int files = 0;
  for (auto& e : fs::directory_iterator("Graphics")) files += e.is_regular_file();
  EXPECT_EQ(files, 2) << "no temporary file is left";
}

TEST_F(FullScreen, AnUnwritableFileShowsTheErrorAndNoSuccess) {
  M().CB_AutoNew->SetChecked(false);
  SaveAs("no-such-folder/picture.bmp");
  const fs::path home = fs::current_path();
  Open([&](TFullForm& f) {
    Press(tk::VK_RETURN);
    EXPECT_TRUE(f.Visible);
    EXPECT_EQ(fs::current_path(), home);
  });
  ASSERT_EQ(platform.Messages.size(), 2u);
  EXPECT_NE(platform.Messages[1], TFullForm::SavedMessage);
  EXPECT_NE(platform.Messages[1].find("picture.bmp"), std::string::npos);
  EXPECT_FALSE(fs::exists("Graphics/no-such-folder"));
}

TEST_F(FullScreen, GraphicsThatCannotBeMadeLeavesTheFolderAsItWas) {
  M().CB_AutoNew->SetChecked(false);
  std::ofstream("Graphics") << "a file where the folder would be";
  SaveAs("here");
  const fs::path home = fs::current_path();
  Open([&](TFullForm&) { Press(tk::VK_RETURN); });
  EXPECT_EQ(fs::current_path(), home);
  EXPECT_TRUE(fs::exists("here.bmp"));
}

TEST_F(FullScreen, EarlyEndShowsThePreviousFullScreenPicture) {
  M().CB_AutoNew->SetChecked(false);
  M().Redraw();
  std::vector<tk::Color> first;
  Open([&](TFullForm& f) { first.assign(f.ImageFull->Canvas.Data(), f.ImageFull->Canvas.Data() + 1024 * 768); });
  M().Coef[11] = 0.2f;
  M().CB_AutoNew->SetChecked(true);
  M().MinColors = 900;  // the last main render had fewer colours
  const int real = M().RealColors;
  Open([&](TFullForm& f) {
    EXPECT_TRUE(std::equal(first.begin(), first.end(), f.ImageFull->Canvas.Data()));
    EXPECT_EQ(M().RealColors, real);
  });
}

}  // namespace
