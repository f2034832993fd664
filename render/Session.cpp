#include "render/Session.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "app/Program.h"
#include "render/Interrupt.h"
#include "themes/Themes.h"

namespace render {

namespace {

std::filesystem::path MakeFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quadrivia-render-XXXXXX").string();
  if (!::mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make a working folder in " + std::filesystem::temp_directory_path().string() +
                             ": " + std::system_category().message(errno));
  return pattern;
}

// Back to the folder that was current, whatever happens in between.
class FolderVisit {
 public:
  explicit FolderVisit(const std::filesystem::path& folder) : home_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~FolderVisit() {
    std::error_code ignored;
    std::filesystem::current_path(home_, ignored);
  }
  FolderVisit(const FolderVisit&) = delete;
  FolderVisit& operator=(const FolderVisit&) = delete;

 private:
  std::filesystem::path home_;
};

}  // namespace

template <class F>
void WindowSession::InFolder(F work) {
  FolderVisit visit(folder_);
  work();
}

WindowSession::WindowSession() {
  if (MainForm) throw std::logic_error("the program's windows are open already");
  folder_ = MakeFolder();
  FollowWorkingFolder(folder_.c_str());
  previousPlatform_ = tk::CurrentPlatform();
  tk::UsePlatform(platform_);
  try {
    InFolder([] { CreateForms(); });
  } catch (...) {
    DestroyForms();
    if (previousPlatform_) tk::UsePlatform(*previousPlatform_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    FollowWorkingFolder(nullptr);
    throw;
  }
  // The early end of a render serves random generation: here every picture is painted, as
  // it is while the animation runs.
  Main().CB_AutoNew->SetChecked(false);
}

WindowSession::~WindowSession() {
  DestroyForms();
  if (previousPlatform_) tk::UsePlatform(*previousPlatform_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
  FollowWorkingFolder(nullptr);
}

void WindowSession::ShowStartPicture() { Main().Redraw(); }

void WindowSession::LoadTheme(const std::string& catalogueText, int position) {
  InFolder([&] {
    {
      std::ofstream file("catalog.dat", std::ios::binary | std::ios::trunc);
      file << catalogueText;
      if (!file.flush()) throw std::runtime_error("cannot write the catalogue into the working folder " + folder_.string());
    }
    bool loaded = false;
    platform_.Messages.clear();
    platform_.OnModal = [position, &loaded](tk::Form& form) {
      if (&form != FormThemes) return;
      FormThemes->ComboBox1->UserSelect(position);
      loaded = FormThemes->ComboBox1->ItemIndex() == position;
      if (loaded) FormThemes->LoadButton->UserClick();
    };
    Main().Theme1->UserClick();
    platform_.OnModal = nullptr;
    if (!loaded || !platform_.Messages.empty())
      throw std::runtime_error("the catalogue dialog could not load theme " + std::to_string(position + 1) +
                               (platform_.Messages.empty() ? "" : ": " + platform_.Messages.front()));
  });
}

void WindowSession::SetIterationLimit(long long limit) {
  const long long inInt = std::clamp<long long>(limit, TMainForm::LeastMaxIter - 1, TMainForm::MostMaxIter + 1);
  Main().MaxIter = TMainForm::KeptIterationLimit(static_cast<int>(inInt));
  Main().IterationLimitChanged();
}

void WindowSession::Tick() { Main().OnTime(Main().Timer1); }

}  // namespace render
