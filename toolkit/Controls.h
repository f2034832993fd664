#pragma once
// The standard controls. Writing a value from code raises events exactly as the program
// relies on: an edit's OnChange when its text changes; a check box's and a radio group's
// OnClick when their state changes; a track bar never. Events run at once, nested inside
// the writer. User input arrives through the User... entry points.

#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace tk {

class Edit : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  // The text as the user's editing leaves it.
  void UserSetText(const std::string& text) {
    if (Enabled && !ReadOnly) SetText(text);
  }
  bool ReadOnly = false;
  bool Flat = false;
  NotifyEvent OnChange;

 private:
  std::string text_;
};

class Button : public Control {
 public:
  explicit Button(std::string name = {}) : Control(std::move(name)) { TabStop = true; }
  std::string Caption;
  void UserClick() {
    if (Enabled && OnClick) OnClick(this);
  }
};

class Label : public Control {
 public:
  using Control::Control;
  std::string Caption;
  bool WordWrap = false;
};

class CheckBox : public Control {
 public:
  explicit CheckBox(std::string name = {}) : Control(std::move(name)) { TabStop = true; }
  std::string Caption;
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void UserClick() {
    if (Enabled) SetChecked(!checked_);
  }

 private:
  bool checked_ = false;
};

class GroupBox : public Control {
 public:
  using Control::Control;
  std::string Caption;
};

class Panel : public Control {
 public:
  using Control::Control;
  std::string Caption;
  bool Bordered = true;
};

class RadioGroup : public Control {
 public:
  explicit RadioGroup(std::string name = {}) : Control(std::move(name)) { TabStop = true; }
  std::string Caption;
  std::vector<std::string> Items;
  int Columns = 1;
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  void UserSelect(int index) {
    if (Enabled) SetItemIndex(index);
  }

 private:
  int itemIndex_ = -1;
};

class TrackBar : public Control {
 public:
  explicit TrackBar(std::string name = {}) : Control(std::move(name)) { TabStop = true; }
  int Min = 0;
  int Max = 10;
  int LineSize = 1;
  int PageSize = 2;
  int Frequency = 1;
  int Position() const { return position_; }
  // Clamped into Min .. Max; raises no event.
  void SetPosition(int position);
  // Clamped; OnChange when the position moves.
  void UserMove(int position);
  NotifyEvent OnChange;

 private:
  int position_ = 0;
};

class ListBox : public Control {
 public:
  using Control::Control;
  std::vector<std::string> Items;
  int ItemHeight = 16;
};

class ComboBox : public Control {
 public:
  explicit ComboBox(std::string name = {}) : Control(std::move(name)) { TabStop = true; }
  std::vector<std::string> Items;
  int ItemHeight = 16;
  int ItemIndex() const { return itemIndex_; }
  // Chooses an entry (-1 none); the text becomes the entry's. No event.
  void SetItemIndex(int index);
  const std::string& Text() const { return text_; }
  // Sets the text field; no entry is chosen unless the text equals the chosen one's.
  void SetText(const std::string& text);
  void Clear();
  void AddItem(const std::string& item);
  void SetItem(int index, const std::string& item);
  // The user picks an entry, or edits the text field: OnChange either way.
  void UserSelect(int index);
  void UserSetText(const std::string& text);
  NotifyEvent OnChange;

 private:
  int itemIndex_ = -1;
  std::string text_;
};

}  // namespace tk
