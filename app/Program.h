#pragma once
// The program entry: the five windows, made in order, and the message loop.

#include "toolkit/Platform.h"

// Creates MainForm, FormKorvel, FullForm, FormThemes and FormCoef, in that order, each
// constructor running to its end before the next window is made.
void CreateForms();
void DestroyForms();
// The whole program on the given platform; returns the exit code.
int QuadriviaMain(tk::Platform& platform);
