#include "app/Program.h"

#include <memory>

#include "app/Korvel.h"
#include "app/Main.h"
#include "coef/Coef.h"
#include "full/Full.h"
#include "themes/Themes.h"
#include "toolkit/Application.h"

namespace {
std::unique_ptr<tk::Application> application;
}

void CreateForms() {
  if (!application) application = std::make_unique<tk::Application>();
  application->CreateForm(MainForm);
  application->CreateForm(FormKorvel);
  application->CreateForm(FullForm);
  application->CreateForm(FormThemes);
  application->CreateForm(FormCoef);
}

void DestroyForms() {
  application.reset();
  MainForm = nullptr;
  FormKorvel = nullptr;
  FullForm = nullptr;
  FormThemes = nullptr;
  FormCoef = nullptr;
}

int QuadriviaMain(tk::Platform& platform) {
  tk::UsePlatform(platform);
  try {
    CreateForms();
    application->Run();
  } catch (const std::exception& e) {
    if (application) application->ShowException(e);
  }
  DestroyForms();
  return 0;
}
