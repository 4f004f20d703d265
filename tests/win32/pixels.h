// Pixels read back from a device context, and the drawing objects alive, for tests that check
// what the program drew.
#pragma once

#include <windows.h>

#include <vector>

// A copy of an area of a device context, as colours with red in the low byte.
class Pixels {
  public:
    Pixels(HDC source, int areaWidth, int areaHeight);

    COLORREF At(int x, int y) const {
        return colors[static_cast<size_t>(y) * width + x];
    }

    int width;
    int height;

  private:
    std::vector<COLORREF> colors;
};

// The window's client area as it stands on screen.
Pixels OfWindow(HWND window);

Pixels OfBitmap(HBITMAP bitmap);

// Live GDI objects of this process.
int GdiObjectCount();

// How far GdiObjectCount may stray, either way, without a leak: Windows keeps up to 27 deleted
// objects of a process alive (10 solid brushes, 8 pens, 8 regions and a font) to hand out again
// as new ones, and counts them; Wine keeps none. A test that looks for a leak of one object a
// call makes more calls than twice this, and never compares the handles of brushes.
int GdiCountSlack();
