#include "toolkit/Control.h"

#include <algorithm>

#include "toolkit/Form.h"
#include "toolkit/Platform.h"

namespace tk {

namespace {
ShiftState heldKeys;

void TrackModifier(Key key, bool down) {
  if (key == VK_SHIFT) heldKeys.Shift = down;
  if (key == VK_CONTROL) heldKeys.Ctrl = down;
  if (key == VK_MENU) heldKeys.Alt = down;
}

ShiftState WithButton(MouseButton b) {
  ShiftState s = heldKeys;
  s.Left = b == MouseButton::Left;
  s.Right = b == MouseButton::Right;
  s.Middle = b == MouseButton::Middle;
  return s;
}
}  // namespace

ShiftState CurrentShiftState() { return heldKeys; }

Control::Control(std::string name) : Name(std::move(name)) {}

Control::~Control() {
  if (Parent) {
    auto& siblings = Parent->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (Control* c : children_) c->Parent = nullptr;
}

void Control::SetParent(Control* parent) {
  if (Parent == parent) return;
  if (Parent) {
    auto& siblings = Parent->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  Parent = parent;
  if (Parent) Parent->children_.push_back(this);
}

void Control::Repaint() {
  if (Platform* p = CurrentPlatform()) p->RepaintNow(*this);
}

Form* Control::OwnerForm() {
  for (Control* c = this; c; c = c->Parent)
    if (auto* f = dynamic_cast<Form*>(c)) return f;
  return nullptr;
}

void Control::UserMouseDown(MouseButton button, int x, int y) {
  if (!Enabled) return;
  if (OnMouseDown) OnMouseDown(this, button, WithButton(button), x, y);
}

void Control::UserMouseMove(int x, int y) {
  if (!Enabled) return;
  if (OnMouseMove) OnMouseMove(this, heldKeys, x, y);
}

void Control::UserMouseUp(MouseButton button, int x, int y) {
  if (!Enabled) return;
  if (OnMouseUp) OnMouseUp(this, button, WithButton(button), x, y);
}

// A form that previews keys sees them before the focused control; a handler that sets the
// key to 0 swallows it.
void Control::UserKeyDown(Key key) {
  TrackModifier(key, true);
  if (!Enabled) return;
  Form* form = OwnerForm();
  if (form && form != this && form->KeyPreview && form->OnKeyDown) {
    form->OnKeyDown(form, key, heldKeys);
    if (key == 0) return;
  }
  if (OnKeyDown) OnKeyDown(this, key, heldKeys);
}

void Control::UserKeyUp(Key key) {
  const ShiftState before = heldKeys;
  TrackModifier(key, false);
  if (!Enabled) return;
  Form* form = OwnerForm();
  if (form && form != this && form->KeyPreview && form->OnKeyUp) {
    form->OnKeyUp(form, key, before);
    if (key == 0) return;
  }
  if (OnKeyUp) OnKeyUp(this, key, before);
}

}  // namespace tk
