#include <gtest/gtest.h>

#include "toolkit/Dialogs.h"
#include "toolkit/HeadlessPlatform.h"

namespace {

using tk::WithDefaultExtension;

TEST(WithDefaultExtension, AddsBmpOnlyToANameWithoutExtension) {
  struct {
    const char* name;
    const char* saved;
  } const cases[] = {
      {"spiral", "spiral.bmp"},
      {"Graphics/spiral", "Graphics/spiral.bmp"},
      {"spiral.bmp", "spiral.bmp"},
      {"spiral.ico", "spiral.ico"},
      {"my.pictures/spiral", "my.pictures/spiral.bmp"},
      {"", ""},
      {"Graphics/", "Graphics/"},
  };
  for (const auto& k : cases) EXPECT_EQ(WithDefaultExtension(k.name, "bmp"), k.saved) << k.name;
}

TEST(SavePictureDialog, ConfirmedCancelledAndTheDefaultExtension) {
  tk::HeadlessPlatform platform;
  tk::UsePlatform(platform);
  tk::SavePictureDialog d;
  d.DefaultExt = "bmp";
  EXPECT_FALSE(d.Execute()) << "no script: cancelled";
  platform.OnSaveDialog = [](tk::SavePictureDialog& dialog) {
    dialog.FileName = "picture";
    return true;
  };
  EXPECT_TRUE(d.Execute());
  EXPECT_EQ(d.FileName, "picture.bmp");
  platform.OnSaveDialog = [](tk::SavePictureDialog& dialog) {
    dialog.FileName = "";
    return true;
  };
  EXPECT_FALSE(d.Execute()) << "an empty name is no name";
}

}  // namespace
