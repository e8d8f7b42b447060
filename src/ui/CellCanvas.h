#pragma once

#include "platform/Text.h"
#include "ui/Geometry.h"

#include <vector>

namespace lumitag::ui {

// One piece of text a draw-cell handler drew.
struct TextRun {
    Point position; // in the grid's coordinates
    Text text;
    Font font;

    bool operator==(const TextRun&) const = default;
};

// What was drawn into one cell during the last paint: the renderer draws this.
struct PaintedCell {
    int col = 0;
    int row = 0;
    Rect rect; // in the grid's coordinates
    Color background;
    std::vector<TextRun> texts;

    // The texts drawn, joined.
    Text text() const;
    // The font of the last text drawn (the cell font when none was drawn).
    Font font() const { return texts.empty() ? Font{} : texts.back().font; }
};

// The drawing surface a draw-cell handler receives: a brush colour and a font
// like the classic canvas, and the record of what it drew into the cell.
class CellCanvas {
public:
    Color brushColor = colors::White;
    Font font;

    void fillRect(const Rect& rect);
    void textOut(int x, int y, TextView text);
    // Fills `rect` with the brush and draws the text at (x, y), clipped to it.
    void textRect(const Rect& rect, int x, int y, TextView text);

    // Set by the grid around each cell it paints.
    void begin(PaintedCell& cell) { cell_ = &cell; }
    void end() { cell_ = nullptr; }

private:
    PaintedCell* cell_ = nullptr;
};

} // namespace lumitag::ui
