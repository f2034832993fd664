#include "toolkit/Controls.h"

#include <algorithm>

namespace tk {

void Edit::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  MarkChanged();
  if (OnChange) OnChange(this);
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  MarkChanged();
  if (OnClick) OnClick(this);
}

void RadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(Items.size())) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  MarkChanged();
  if (OnClick) OnClick(this);
}

void TrackBar::SetPosition(int position) {
  position = std::clamp(position, Min, std::max(Min, Max));
  if (position == position_) return;
  position_ = position;
  MarkChanged();
}

void TrackBar::UserMove(int position) {
  if (!Enabled) return;
  const int before = position_;
  SetPosition(position);
  if (position_ != before && OnChange) OnChange(this);
}

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(Items.size())) index = -1;
  itemIndex_ = index;
  if (index >= 0) text_ = Items[index];
  MarkChanged();
}

void ComboBox::SetText(const std::string& text) {
  text_ = text;
  if (itemIndex_ >= 0 && Items[itemIndex_] != text) itemIndex_ = -1;
  MarkChanged();
}

void ComboBox::Clear() {
  Items.clear();
  itemIndex_ = -1;
  text_.clear();
  MarkChanged();
}

void ComboBox::AddItem(const std::string& item) {
  Items.push_back(item);
  MarkChanged();
}

void ComboBox::SetItem(int index, const std::string& item) {
  if (index < 0 || index >= static_cast<int>(Items.size())) return;
  Items[index] = item;
  if (index == itemIndex_) text_ = item;
  MarkChanged();
}

void ComboBox::UserSelect(int index) {
  if (!Enabled || index < 0 || index >= static_cast<int>(Items.size())) return;
  SetItemIndex(index);
  if (OnChange) OnChange(this);
}

void ComboBox::UserSetText(const std::string& text) {
  if (!Enabled) return;
  text_ = text;
  itemIndex_ = -1;
  MarkChanged();
  if (OnChange) OnChange(this);
}

}  // namespace tk
