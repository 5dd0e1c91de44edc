// Real user input: events in the system's input queue, as a mouse and a keyboard
// make them, delivered to whatever window is under the pointer or has the focus.
#pragma once

#include <windows.h>

#include <initializer_list>

// Makes the window's top-level window the foreground window; false if it did not become so.
bool BringToFront(HWND window);

// Moves the pointer to the point (screen coordinates) and presses and releases
// the left button there.
void ClickAt(POINT point);

// Clicks the middle of the window, once its top-level window is in front and
// drawn on the screen.
void ClickMiddleOf(HWND window);

// Presses the keys in order and releases them in reverse order, so
// {VK_CONTROL, VK_SHIFT, VK_TAB} is Ctrl+Shift+Tab.
void PressKeys(std::initializer_list<WORD> keys);
