// Glass situations as text: one string per row from the top, '.' for an empty cell, a digit for
// a brick of that colour and any other character for a brick of colour 2.
#pragma once

#include <string>
#include <vector>

// Sets the used region's size and allocates the glass and settings the rules need.
void UseGlass(int columns, int rows);

// Fills the bottom rows of the used region with the picture; rows above it become empty.
void SetGlass(const std::vector<std::string>& bottomRows);

// The used region, one line per row, colours as digits.
std::string GlassPicture();

// The used region's repaint flags, '1' for a flagged cell.
std::string RepaintPicture();
