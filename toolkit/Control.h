#pragma once
// The base of every control: placement, appearance, the mouse and key events, and the
// User... entry points through which user input arrives (from the front end or a test).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Color.h"

namespace tk {

enum class MouseButton { Left, Right, Middle };

// A virtual key code in the Windows numbering.
using Key = int;
inline constexpr Key VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17,
                     VK_MENU = 18, VK_ESCAPE = 27, VK_SPACE = 32, VK_LEFT = 37, VK_UP = 38,
                     VK_RIGHT = 39, VK_DOWN = 40, VK_DELETE = 46;

struct ShiftState {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  bool Left = false;
  bool Right = false;
  bool Middle = false;
};

enum class Charset { Default, Cyrillic };

struct Font {
  std::string Name = "Arial Narrow";
  int Height = 13;  // character height in pixels
  bool Bold = false;
  bool Italic = false;
  ::tk::Color Color = clWindowText;
  ::tk::Charset Charset = Charset::Default;
};

class Control;
using NotifyEvent = std::function<void(Control* sender)>;
using MouseEvent = std::function<void(Control* sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Control* sender, ShiftState shift, int x, int y)>;
using KeyEvent = std::function<void(Control* sender, Key& key, ShiftState shift)>;

class Form;

// The modifier keys held, as the key entry points have seen them.
ShiftState CurrentShiftState();

class Control {
 public:
  explicit Control(std::string name = {});
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  std::string Name;
  Control* Parent = nullptr;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = true;
  bool Enabled = true;
  ::tk::Font Font;
  ::tk::Color Color = clBtnFace;
  int TabOrder = 0;
  bool TabStop = false;

  MouseEvent OnMouseDown;
  MouseMoveEvent OnMouseMove;
  MouseEvent OnMouseUp;
  KeyEvent OnKeyDown;
  KeyEvent OnKeyUp;
  NotifyEvent OnClick;

  // User input. The front end and the tests call these; they raise the bound events.
  virtual void UserMouseDown(MouseButton button, int x, int y);
  virtual void UserMouseMove(int x, int y);
  virtual void UserMouseUp(MouseButton button, int x, int y);
  virtual void UserKeyDown(Key key);
  virtual void UserKeyUp(Key key);

  // Shows the control's current look at once (the platform's immediate repaint).
  void Repaint();

  // The form this control lies on (itself for a form), or null.
  Form* OwnerForm();
  // The controls whose Parent this is, in the order they were made.
  const std::vector<Control*>& Children() const { return children_; }
  void SetParent(Control* parent);

  // Bumped by every change of a value the presenter shows (texts, positions, states), so
  // the front end updates only what changed.
  std::uint64_t Changes() const { return changes_; }
  void MarkChanged() { ++changes_; }

 private:
  std::vector<Control*> children_;
  std::uint64_t changes_ = 0;
};

}  // namespace tk
