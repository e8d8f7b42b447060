#include "ui/CellCanvas.h"

namespace lumitag::ui {

Text PaintedCell::text() const {
    Text joined;
    for (const TextRun& run : texts)
        joined += run.text;
    return joined;
}

void CellCanvas::fillRect(const Rect& rect) {
    if (cell_ == nullptr)
        return;
    // A fill that covers the cell paints over everything drawn before it.
    if (rect.left <= cell_->rect.left && rect.top <= cell_->rect.top && rect.right() >= cell_->rect.right() &&
        rect.bottom() >= cell_->rect.bottom()) {
        cell_->background = brushColor;
        cell_->texts.clear();
    }
}

void CellCanvas::textOut(int x, int y, TextView text) {
    if (cell_ != nullptr && !text.empty())
        cell_->texts.push_back(TextRun{{x, y}, Text(text), font});
}

void CellCanvas::textRect(const Rect& rect, int x, int y, TextView text) {
    // Like the classic canvas: the rectangle is filled with the brush, then the text drawn.
    fillRect(rect);
    textOut(x, y, text);
}

} // namespace lumitag::ui
