#include "full/Full.h"

#include <algorithm>

#include "app/Main.h"
#include "full/Bitmap.h"
#include "toolkit/Application.h"
#include "toolkit/FileSystem.h"
#include "toolkit/Platform.h"

TFullForm* FullForm = nullptr;

TFullForm::TFullForm() : tk::Form("FullForm") {
  FullForm = this;
  BorderStyle = tk::BorderStyle::None;
  KeyPreview = true;
  OnShow = [this](tk::Control* s) { ShowFull(s); };
  OnKeyDown = [this](tk::Control* s, tk::Key& k, tk::ShiftState sh) { On_KeyDown(s, k, sh); };
  auto mouseDown = [this](tk::Control* s, tk::MouseButton b, tk::ShiftState sh, int x, int y) {
    On_MouseDown(s, b, sh, x, y);
  };
  OnMouseDown = mouseDown;

  // The screen's size at start-up, up to 1600 x 1200: within the count buffer.
  Left = 0;
  Top = 0;
  tk::Platform* p = tk::CurrentPlatform();
  ClientHeight = std::min(p ? p->ScreenHeight() : 768, 1200);
  ClientWidth = std::min(p ? p->ScreenWidth() : 1024, 1600);
  image_ = std::make_unique<tk::Image>("ImageFull");
  ImageFull = image_.get();
  ImageFull->SetParent(this);
  ImageFull->Left = 0;
  ImageFull->Top = 0;
  ImageFull->SetSize(ClientWidth, ClientHeight);
  ImageFull->OnMouseDown = mouseDown;

  SavePictureDialog1.DefaultExt = "bmp";
  SavePictureDialog1.Filter =
      "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
      "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
}

TFullForm::~TFullForm() {
  FullFormDestroy();
  if (FullForm == this) FullForm = nullptr;
}

void TFullForm::FullFormDestroy() {}  // nothing of the window's own to release

void TFullForm::ShowFull(tk::Control*) {
  tk::ShowMessage(WaitMessage);
  MainForm->Repaint();
  MainForm->RenderTo(ImageFull);
  ImageFull->MarkChanged();
}

void TFullForm::On_KeyDown(tk::Control*, tk::Key& key, tk::ShiftState) {
  if (key == tk::VK_RETURN)
    SavePicture();
  else if (Visible)
    Close();
}

void TFullForm::On_MouseDown(tk::Control*, tk::MouseButton, tk::ShiftState, int, int) {
  if (Visible) Close();
}

void TFullForm::SavePicture() {
  const tk::Canvas picture = ImageFull->Canvas;
  // The working folder, which holds ini.dat and catalog.dat, changes only for this save; we
  // return to exactly the folder we left.
  const std::string home = tk::CurrentDirectory();
  bool entered = tk::SetCurrentDirectory(PictureFolder);
  if (!entered) {
    tk::CreateDirectory(PictureFolder);
    entered = tk::SetCurrentDirectory(PictureFolder);
  }
  std::string error;
  bool written = true;
  if (SavePictureDialog1.Execute()) written = SaveBitmap(picture, SavePictureDialog1.FileName, &error);
  if (entered) tk::SetCurrentDirectory(home.empty() ? ".." : home);
  if (!written) {
    // Shown as an error of the run-time library: the window stays open, nothing is claimed.
    if (tk::Application* app = tk::Application::Instance())
      app->ShowException(error.c_str());
    else
      tk::ShowMessage(error);
    return;
  }
  tk::ShowMessage(SavedMessage);
}

void TMainForm::Full(tk::Control*) {
  StopTimer();
  FullForm->ShowModal();
}
