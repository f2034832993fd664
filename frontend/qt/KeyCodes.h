#pragma once
#include <QKeyEvent>

#include "toolkit/Control.h"

namespace qtfront {

// The Windows virtual key code of a Qt key event; keys without one get 255, so that no key
// is ever lost (a code of 0 would mean "swallowed").
tk::Key VirtualKey(const QKeyEvent& event);

}  // namespace qtfront
