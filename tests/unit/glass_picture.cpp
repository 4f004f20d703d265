#include "glass_picture.h"

#include <memory>

#include "game/glass.h"
#include "settings/settings.h"

namespace {
std::unique_ptr<Glass> testGlass = std::make_unique<Glass>();
std::unique_ptr<Settings> testSettings = std::make_unique<Settings>();
} // namespace

void UseGlass(int columns, int rows) {
    *testSettings = Settings{};
    testSettings->BrkWidth = 15;
    testSettings->BrkHeight = 15;
    testSettings->BrksPerLine = columns;
    testSettings->BrksPerColumn = rows;
    testSettings->FiguresSetSize = 6;
    settings = testSettings.get();
    glass = testGlass.get();
    Clear();
}

void SetGlass(const std::vector<std::string>& bottomRows) {
    const int first = settings->BrksPerColumn - static_cast<int>(bottomRows.size());
    for (int r = 0; r < settings->BrksPerColumn; ++r) {
        for (int c = 0; c < settings->BrksPerLine; ++c) {
            char text = '.';
            if (r >= first && c < static_cast<int>(bottomRows[r - first].size())) {
                text = bottomRows[r - first][c];
            }
            int8_t color = EmptyCell;
            if (text >= '0' && text <= '7') {
                color = static_cast<int8_t>(text - '0');
            } else if (text != '.') {
                color = 2;
            }
            glass->cells[r][c] = {color, 0};
        }
    }
}

std::string GlassPicture() {
    std::string text;
    for (int r = 0; r < settings->BrksPerColumn; ++r) {
        for (int c = 0; c < settings->BrksPerLine; ++c) {
            const int8_t color = glass->cells[r][c].color;
            text += color == EmptyCell ? '.' : static_cast<char>('0' + color);
        }
        text += '\n';
    }
    return text;
}

std::string RepaintPicture() {
    std::string text;
    for (int r = 0; r < settings->BrksPerColumn; ++r) {
        for (int c = 0; c < settings->BrksPerLine; ++c) {
            text += glass->cells[r][c].repaint ? '1' : '0';
        }
        text += '\n';
    }
    return text;
}
