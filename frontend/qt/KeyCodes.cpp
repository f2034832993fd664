#include "frontend/qt/KeyCodes.h"

namespace qtfront {

tk::Key VirtualKey(const QKeyEvent& e) {
  const int k = e.key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return tk::VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return tk::VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return tk::VK_RETURN;
    case Qt::Key_Shift: return tk::VK_SHIFT;
    case Qt::Key_Control: return tk::VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return tk::VK_MENU;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return tk::VK_ESCAPE;
    case Qt::Key_Space: return tk::VK_SPACE;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return tk::VK_LEFT;
    case Qt::Key_Up: return tk::VK_UP;
    case Qt::Key_Right: return tk::VK_RIGHT;
    case Qt::Key_Down: return tk::VK_DOWN;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return tk::VK_DELETE;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: return 190;
    case Qt::Key_Slash: return 191;
    case Qt::Key_Semicolon: return 186;
    default: return 255;
  }
}

}  // namespace qtfront
