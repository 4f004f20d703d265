// Brick images: the bevelled bitmap and the flat brush of each of the eight brick colours, made
// once per layout so that painting a brick only copies it.
#pragma once

#include <windows.h>

constexpr int BrickColorCount = 8;

struct BrickColor {
    const COLORREF faceColor; // face of the bevelled image
    const COLORREF flatColor; // flat bricks on displays of 8 bits per pixel or fewer
    HBITMAP bitmap;           // the laid-out brick in the display's format; none before a build
    HBRUSH brush;             // solid brush of flatColor; none before a build
};

// Indexed by a cell's colour: 0 and 1 flash full rows, 2 to 7 colour the figures. The colours
// are constant; BuildBrickImages replaces the handles, and nothing else deletes them.
extern BrickColor BrickColorTable[BrickColorCount];

// Makes the eight images and brushes for the laid-out brick size, deleting the previous ones.
// Needs mainWindow, which may be hidden.
void BuildBrickImages();

// Draws one bevelled brick of the laid-out size at (0, 0) of the device context: the face, a light
// edge along the top and left and a dark one along the bottom and right, two pixels at 96 DPI.
void DrawBrick(COLORREF face, HDC dc);
