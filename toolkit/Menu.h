#pragma once
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace tk {

class MenuItem {
 public:
  explicit MenuItem(std::string name = {}, std::string caption = {})
      : Name(std::move(name)), Caption(std::move(caption)) {}
  std::string Name;
  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
  // Handlers get the clicked item as sender; it is not a control, so they see it as the
  // address of this item.
  std::function<void(MenuItem* sender)> OnClick;

  MenuItem* Add(std::string name, std::string caption) {
    Items.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
    return Items.back().get();
  }
  std::vector<std::unique_ptr<MenuItem>> Items;  // a submenu when not empty

  // A click on the item; an item with a submenu only opens it.
  void UserClick() {
    if (Enabled && Items.empty() && OnClick) OnClick(this);
  }
};

class MainMenu {
 public:
  std::string Name;
  MenuItem* Add(std::string name, std::string caption) {
    Items.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
    return Items.back().get();
  }
  std::vector<std::unique_ptr<MenuItem>> Items;
};

}  // namespace tk
