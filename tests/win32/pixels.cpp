#include "pixels.h"

Pixels::Pixels(HDC source, int areaWidth, int areaHeight)
    : width(areaWidth), height(areaHeight), colors(static_cast<size_t>(areaWidth) * areaHeight) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copyDc = CreateCompatibleDC(source);
    HGDIOBJ original = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* quads = static_cast<const DWORD*>(bits); // 0x00RRGGBB
    for (size_t i = 0; i < colors.size(); ++i) {
        colors[i] = RGB((quads[i] >> 16) & 0xff, (quads[i] >> 8) & 0xff, quads[i] & 0xff);
    }
    SelectObject(copyDc, original);
    DeleteDC(copyDc);
    DeleteObject(copy);
}

// A window's own device context reads back what the window drew even where another window
// covers it on the screen: Windows composes the screen from each window's own surface, always
// since Windows 8, and Wine's virtual desktop shows nothing over the tests' windows.
Pixels OfWindow(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    Pixels pixels(dc, client.right, client.bottom);
    ReleaseDC(window, dc);
    return pixels;
}

Pixels OfBitmap(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(dc, bitmap);
    Pixels pixels(dc, info.bmWidth, info.bmHeight);
    SelectObject(dc, original);
    DeleteDC(dc);
    return pixels;
}

// Windows counts them for GetGuiResources; Wine does not, but its handle table answers for a bare
// index, so there they are counted index by index.
int GdiObjectCount() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) {
        return static_cast<int>(counted);
    }
    int live = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) {
            ++live;
        }
    }
    return live;
}

int GdiCountSlack() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0 ? 27 : 0;
}
