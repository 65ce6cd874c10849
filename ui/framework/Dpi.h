#pragma once

// Layouts are given for 96 pixels per inch; at another system setting every position, size and
// font height scales in proportion.

// Tells the system the process scales itself, so it is not stretched blurry. Looked up at run
// time: older systems lack the call.
void MakeProcessDpiAware();

// The screen's pixels per inch, read once.
int ScreenDpi();

// A 96-dpi length in the screen's pixels.
int Scaled(int designPixels);
