#pragma once
#include "toolkit/Canvas.h"

// Fills the canvas with the splash window's picture, 323 x 239 pixels.
void LoadSplashPicture(tk::Canvas& canvas);
