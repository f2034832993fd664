#include "toolkit/Platform.h"

namespace tk {

namespace {
Platform* current = nullptr;
}

void UsePlatform(Platform& platform) { current = &platform; }
Platform* CurrentPlatform() { return current; }

}  // namespace tk
