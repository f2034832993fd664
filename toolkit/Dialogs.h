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

// The name a dialog returns for a typed name: a name whose last part has no extension gets
// "." + ext ("Graphics/spiral" becomes "Graphics/spiral.bmp"); any other name stays as it is.
std::string WithDefaultExtension(const std::string& name, const std::string& ext);

// A plain message box with an OK button.
void ShowMessage(const std::string& text);

}  // namespace tk
