#include "full/Full.h"

#include <algorithm>

#include "app/Main.h"
#include "toolkit/Platform.h"

TFullForm* FullForm = nullptr;

TFullForm::TFullForm() : tk::Form("FullForm") {
  FullForm = this;
  BorderStyle = tk::BorderStyle::None;
  KeyPreview = true;
  Left = 0;
  Top = 0;
  tk::Platform* p = tk::CurrentPlatform();
  ClientHeight = std::min(p ? p->ScreenHeight() : 768, 1200);
  ClientWidth = std::min(p ? p->ScreenWidth() : 1024, 1600);
  ImageFull = controls_.Make<tk::Image>("ImageFull");
  ImageFull->SetParent(this);
  ImageFull->SetSize(ClientWidth, ClientHeight);
}

void TMainForm::Full(tk::Control*) {
  StopTimer();
  FullForm->ShowModal();
}
