// A user's hands: real mouse and keyboard input through the window system
// (SendInput), delivered by running the message loop after each step.
#pragma once

#include <windows.h>

namespace wintest {

// Points are in the client coordinates of window.
void MoveMouse(HWND window, POINT to);
void Click(HWND window, POINT at);
// Press at from, move in steps to to, release there.
void Drag(HWND window, POINT from, POINT to, int steps = 8);
// Positive notches turn away from the user.
void TurnWheel(HWND window, POINT at, int notches);
// A key pressed and released (a virtual-key code).
void PressKey(WORD virtualKey);
// Characters typed as the keyboard would send them.
void TypeText(const wchar_t* text);

}  // namespace wintest
