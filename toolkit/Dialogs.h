#pragma once
#include <string>

namespace tk {

// The platform's picture-save dialog. Filter is "description|pattern|description|pattern…".
class SavePictureDialog {
 public:
  explicit SavePictureDialog(std::string name = {}) : Name(std::move(name)) {}
  std::string Name;
  std::string Filter;
  std::string DefaultExt;
  std::string FileName;  // offered when it opens, the chosen name after it
  // True when the user confirmed a name; FileName then holds it, with "." + DefaultExt
  // added when the name has no extension.
  bool Execute();
};

// A plain message box with an OK button.
void ShowMessage(const std::string& text);

}  // namespace tk
