#include "qt/ControlPainter.h"

#include "qt/QtText.h"
#include "qt/UiFont.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/RadioButton.h"
#include "ui/RadioGroup.h"
#include "ui/SpeedButton.h"
#include "ui/StringGrid.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>

namespace lumitag::qtfront {

namespace {

// The classic three-dimensional look: four shades around the button face.
const QColor kHighlight(255, 255, 255);
const QColor kLight(227, 227, 227);
const QColor kShadow(160, 160, 160);
const QColor kDarkShadow(105, 105, 105);
const QColor kGridLine(192, 192, 192);

constexpr int kEditIndent = 3;  // the model maps clicks with the same indent
constexpr int kComboArrow = 17; // the model opens the list from this strip
constexpr int kGridTextInset = 2;
constexpr int kCheckSize = 13;

enum class Bevel { Raised, Sunken, RaisedThin, SunkenThin };

void drawBevel(QPainter& painter, QRect rect, Bevel bevel) {
    auto frame = [&painter](QRect r, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    switch (bevel) {
    case Bevel::Raised:
        frame(rect, kHighlight, kDarkShadow);
        frame(inner, kLight, kShadow);
        break;
    case Bevel::Sunken:
        frame(rect, kShadow, kHighlight);
        frame(inner, kDarkShadow, kLight);
        break;
    case Bevel::RaisedThin:
        frame(rect, kHighlight, kShadow);
        break;
    case Bevel::SunkenThin:
        frame(rect, kShadow, kHighlight);
        break;
    }
}

QColor textColor(const ui::Control& control) {
    return control.effectivelyEnabled() ? toQColor(control.font().color) : toQColor(ui::colors::GrayText);
}

// A caption as Qt draws it: "\r\n" breaks lines; "&" marks stay for
// Qt::TextShowMnemonic, which only draws them (no keyboard mnemonic exists).
QString captionText(const Text& caption) {
    return toDisplayLines(caption);
}

// The prefix of `text` up to `count` code points, as UTF-16.
QString prefixOf(const Text& text, int count) {
    const int clamped = std::clamp(count, 0, static_cast<int>(text.size()));
    return toQString(TextView(text).substr(0, static_cast<std::size_t>(clamped)));
}

// How far a line of text is scrolled left so that its caret stays inside a
// box `innerWidth` pixels wide.
int scrollOffset(const QFontMetrics& metrics, const ui::EditableText& text, int innerWidth) {
    const int caretX = metrics.horizontalAdvance(prefixOf(text.text(), text.caret()));
    return std::max(0, caretX - (innerWidth - 2));
}

// The text area of a control kind that edits one line of text: the box
// inside its border (and beside a combo box's arrow).
QRect editArea(const ui::Control& control, QRect rect) {
    QRect area = rect.adjusted(2, 2, -2, -2);
    if (control.kind() == ui::ControlKind::ComboBox) {
        area.setRight(rect.right() - kComboArrow);
    }
    return area;
}

struct TextLine {
    QRect area;
    int x = 0;        // where the first character starts (scrolled)
    int baseline = 0; // of the text
    int top = 0;      // of the line box
    int height = 0;
};

TextLine layoutLine(const QFontMetrics& metrics, const ui::EditableText& text, QRect area, bool scroll) {
    TextLine line;
    line.area = area;
    line.height = metrics.height();
    line.top = area.top() + std::max(0, (area.height() - line.height) / 2);
    line.baseline = line.top + metrics.ascent();
    const int offset = scroll ? scrollOffset(metrics, text, area.width() - kEditIndent + 2) : 0;
    line.x = area.left() + kEditIndent - 2 - offset;
    return line;
}

const ui::Control* focusedIn(const ui::Form& form) {
    const ui::Control* focused = form.activeControl();
    return focused != nullptr && form.active() && focused->showing() ? focused : nullptr;
}

QRect controlRect(const ui::Control& control) {
    const ui::Point p = control.formPosition();
    return QRect(p.x, p.y, control.width(), control.height());
}

} // namespace

ControlPainter::ControlPainter(QPainter& painter, PaintOptions options)
    : painter_(painter), options_(std::move(options)) {}

void ControlPainter::paintForm(const ui::Form& form) {
    const QRect rect(0, 0, form.width(), form.height());
    painter_.fillRect(rect, toQColor(form.color()));
    paintChildren(form, QPoint(0, 0));
}

void ControlPainter::paintChildren(const ui::Control& parent, QPoint origin) {
    for (const ui::Control* child : parent.children()) {
        if (!child->visible()) {
            continue;
        }
        const QRect rect(origin.x() + child->left(), origin.y() + child->top(), child->width(),
                         child->height());
        if (!options_.area.isEmpty() && !rect.intersects(options_.area)) {
            continue; // its children are clipped to it, so they lie outside too
        }
        painter_.save();
        painter_.setClipRect(rect, Qt::IntersectClip);
        paintControl(*child, rect);
        paintChildren(*child, rect.topLeft());
        painter_.restore();
    }
}

void ControlPainter::paintControl(const ui::Control& control, QRect rect) {
    painter_.setFont(toQFont(control.font()));
    switch (control.kind()) {
    case ui::ControlKind::Form:
    case ui::ControlKind::Panel:
        paintPanel(control, rect);
        break;
    case ui::ControlKind::Label:
        paintLabel(control, rect);
        break;
    case ui::ControlKind::Edit:
        paintEdit(static_cast<const ui::Edit&>(control), rect);
        break;
    case ui::ControlKind::Button:
        paintButton(static_cast<const ui::Button&>(control), rect);
        break;
    case ui::ControlKind::SpeedButton:
        paintSpeedButton(static_cast<const ui::SpeedButton&>(control), rect);
        break;
    case ui::ControlKind::CheckBox:
        paintCheckBox(static_cast<const ui::CheckBox&>(control), rect);
        break;
    case ui::ControlKind::RadioButton:
        paintRadioButton(static_cast<const ui::RadioButton&>(control), rect);
        break;
    case ui::ControlKind::RadioGroup:
        paintRadioGroup(static_cast<const ui::RadioGroup&>(control), rect);
        break;
    case ui::ControlKind::ComboBox:
        paintComboBox(static_cast<const ui::ComboBox&>(control), rect);
        break;
    case ui::ControlKind::StringGrid:
        paintGrid(static_cast<const ui::StringGrid&>(control), rect);
        break;
    }
}

void ControlPainter::paintPanel(const ui::Control& panel, QRect rect) {
    painter_.fillRect(rect, toQColor(panel.color()));
    drawBevel(painter_, rect, Bevel::RaisedThin);
    paintCaption(panel, rect, Qt::AlignCenter);
}

void ControlPainter::paintLabel(const ui::Control& label, QRect rect) {
    // Labels are transparent: the parent's colour is already there.
    paintCaption(label, rect, Qt::AlignLeft | Qt::AlignTop);
}

void ControlPainter::paintEdit(const ui::Edit& edit, QRect rect) {
    painter_.fillRect(rect,
                      edit.effectivelyEnabled() ? toQColor(edit.color()) : toQColor(ui::colors::ButtonFace));
    drawBevel(painter_, rect, Bevel::Sunken);
    paintEditableText(edit, edit.editor(), editArea(edit, rect), edit.focused() && edit.form().active());
}

void ControlPainter::paintEditableText(const ui::Control& owner, const ui::EditableText& text, QRect area,
                                       bool focused) {
    const QFontMetrics metrics(painter_.font());
    const TextLine line = layoutLine(metrics, text, area, focused);
    painter_.save();
    painter_.setClipRect(area, Qt::IntersectClip);
    const QString full = toQString(text.text());
    painter_.setPen(textColor(owner));
    painter_.drawText(line.x, line.baseline, full);

    // The selection shows only while the box has the focus, as classic boxes hide it.
    if (focused && text.hasSelection()) {
        const int from = metrics.horizontalAdvance(prefixOf(text.text(), text.selStart()));
        const int to = metrics.horizontalAdvance(prefixOf(text.text(), text.selStart() + text.selLength()));
        const QRect selection(line.x + from, line.top, to - from, line.height);
        painter_.fillRect(selection, toQColor(ui::colors::Highlight));
        painter_.setPen(toQColor(ui::colors::HighlightText));
        painter_.drawText(line.x + from, line.baseline,
                          toQString(TextView(text.text())
                                        .substr(static_cast<std::size_t>(text.selStart()),
                                                static_cast<std::size_t>(text.selLength()))));
    }
    if (focused) {
        const int caretX = line.x + metrics.horizontalAdvance(prefixOf(text.text(), text.caret()));
        if (!options_.preedit.isEmpty()) {
            // The composition sits at the caret, underlined, over what follows.
            const int width = metrics.horizontalAdvance(options_.preedit);
            painter_.fillRect(QRect(caretX, line.top, width, line.height), toQColor(owner.color()));
            painter_.setPen(textColor(owner));
            painter_.drawText(caretX, line.baseline, options_.preedit);
            painter_.drawLine(caretX, line.baseline + 2, caretX + width, line.baseline + 2);
        } else if (options_.caretVisible) {
            painter_.fillRect(QRect(caretX, line.top, 1, line.height), Qt::black);
        }
    }
    painter_.restore();
}

void ControlPainter::paintButton(const ui::Button& button, QRect rect) {
    painter_.fillRect(rect, toQColor(button.color()));
    const bool focused = button.focused() && button.form().active();
    QRect face = rect;
    if (focused) {
        // The focused button wears the black frame of the default button.
        painter_.setPen(Qt::black);
        painter_.drawRect(rect.adjusted(0, 0, -1, -1));
        face = rect.adjusted(1, 1, -1, -1);
    }
    if (button.pressed()) {
        painter_.setPen(kShadow);
        painter_.drawRect(face.adjusted(0, 0, -1, -1));
    } else {
        drawBevel(painter_, face, Bevel::Raised);
    }
    const QRect text = button.pressed() ? face.translated(1, 1) : face;
    paintCaption(button, text, Qt::AlignCenter);
    if (focused) {
        paintFocusRect(face.adjusted(3, 3, -3, -3));
    }
}

void ControlPainter::paintSpeedButton(const ui::SpeedButton& button, QRect rect) {
    const bool sunken = button.pressed() || button.down();
    painter_.fillRect(rect, button.down() && !button.pressed() ? kLight : toQColor(button.color()));
    drawBevel(painter_, rect, sunken ? Bevel::Sunken : Bevel::Raised);
    paintCaption(button, sunken ? rect.translated(1, 1) : rect, Qt::AlignCenter);
}

void ControlPainter::paintCheckMark(QRect box, bool enabled) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(QPen(enabled ? Qt::black : toQColor(ui::colors::GrayText), 1));
    const int x = box.left() + 3;
    const int y = box.top() + 5;
    for (int i = 0; i < 3; ++i) {
        painter_.drawLine(x, y + i, x + 2, y + 2 + i);
        painter_.drawLine(x + 2, y + 2 + i, x + 6, y - 2 + i);
    }
    painter_.restore();
}

void ControlPainter::paintCheckBox(const ui::CheckBox& box, QRect rect) {
    painter_.fillRect(rect, toQColor(box.color()));
    const QRect mark(rect.left(), rect.top() + (rect.height() - kCheckSize) / 2, kCheckSize, kCheckSize);
    painter_.fillRect(mark, box.effectivelyEnabled() ? kHighlight : toQColor(ui::colors::ButtonFace));
    drawBevel(painter_, mark, Bevel::Sunken);
    if (box.checked()) {
        paintCheckMark(mark, box.effectivelyEnabled());
    }
    const QRect text(mark.right() + 5, rect.top(), rect.right() - mark.right() - 4, rect.height());
    paintCaption(box, text, Qt::AlignLeft | Qt::AlignVCenter);
    if (box.focused() && box.form().active()) {
        const QFontMetrics metrics(painter_.font());
        const QRect used = metrics.boundingRect(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                                                captionText(box.caption()));
        paintFocusRect(used.adjusted(-1, 0, 1, 0).intersected(rect));
    }
}

namespace {

void drawRadio(QPainter& painter, QRect circle, bool checked, bool enabled) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(kShadow);
    painter.setBrush(enabled ? kHighlight : toQColor(ui::colors::ButtonFace));
    painter.drawEllipse(QRectF(circle).adjusted(0.5, 0.5, -0.5, -0.5));
    if (checked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(enabled ? Qt::black : toQColor(ui::colors::GrayText));
        painter.drawEllipse(QRectF(circle).adjusted(3.5, 3.5, -3.5, -3.5));
    }
    painter.restore();
}

} // namespace

void ControlPainter::paintRadioButton(const ui::RadioButton& button, QRect rect) {
    painter_.fillRect(rect, toQColor(button.color()));
    const QRect circle(rect.left(), rect.top() + (rect.height() - 12) / 2, 12, 12);
    drawRadio(painter_, circle, button.checked(), button.effectivelyEnabled());
    const QRect text(circle.right() + 6, rect.top(), rect.right() - circle.right() - 5, rect.height());
    paintCaption(button, text, Qt::AlignLeft | Qt::AlignVCenter);
    if (button.focused() && button.form().active()) {
        const QFontMetrics metrics(painter_.font());
        paintFocusRect(metrics
                           .boundingRect(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                                         captionText(button.caption()))
                           .adjusted(-1, 0, 1, 0)
                           .intersected(rect));
    }
}

void ControlPainter::paintRadioGroup(const ui::RadioGroup& group, QRect rect) {
    painter_.fillRect(rect, toQColor(group.color()));
    const QFontMetrics metrics(painter_.font());
    const QString caption = captionText(group.caption());
    // The etched frame runs through the middle of the caption line.
    const QRect frame = rect.adjusted(0, metrics.height() / 2, -1, -1);
    painter_.setPen(kShadow);
    painter_.drawRect(frame);
    painter_.setPen(kHighlight);
    painter_.drawRect(frame.adjusted(1, 1, 1, 1));
    if (!caption.isEmpty()) {
        const int width = metrics.horizontalAdvance(QString(caption).remove(QLatin1Char('&'))) + 4;
        const QRect captionRect(rect.left() + 6, rect.top(), width, metrics.height());
        painter_.fillRect(captionRect, toQColor(group.color()));
        paintCaption(group, captionRect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter);
    }
    const bool enabled = group.effectivelyEnabled();
    for (int i = 0; i < static_cast<int>(group.items().size()); ++i) {
        const ui::Rect bounds = group.itemBounds(i);
        const QRect item(rect.left() + bounds.left, rect.top() + bounds.top, bounds.width, bounds.height);
        const QRect circle(item.left(), item.top() + (item.height() - 12) / 2, 12, 12);
        drawRadio(painter_, circle, group.itemIndex() == i, enabled);
        const QRect text(circle.right() + 6, item.top(), item.right() - circle.right() - 5, item.height());
        painter_.setPen(textColor(group));
        const QString itemText = captionText(group.items()[static_cast<std::size_t>(i)]);
        painter_.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic, itemText);
        if (group.itemIndex() == i && group.focused() && group.form().active()) {
            paintFocusRect(metrics.boundingRect(text, Qt::AlignLeft | Qt::AlignVCenter, itemText)
                               .adjusted(-1, 0, 1, 0)
                               .intersected(text));
        }
    }
}

void ControlPainter::paintComboBox(const ui::ComboBox& combo, QRect rect) {
    const bool enabled = combo.effectivelyEnabled();
    painter_.fillRect(rect, enabled ? toQColor(combo.color()) : toQColor(ui::colors::ButtonFace));
    drawBevel(painter_, rect, Bevel::Sunken);

    const QRect arrow(rect.right() - kComboArrow + 1, rect.top() + 2, kComboArrow - 2, rect.height() - 4);
    painter_.fillRect(arrow, toQColor(ui::colors::ButtonFace));
    drawBevel(painter_, arrow, combo.droppedDown() ? Bevel::SunkenThin : Bevel::Raised);
    const QPoint tip(arrow.center().x() + 1, arrow.center().y() + 2);
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(enabled ? Qt::black : toQColor(ui::colors::GrayText));
    for (int i = 0; i < 4; ++i) {
        painter_.drawLine(tip.x() - i, tip.y() - i, tip.x() + i, tip.y() - i);
    }
    painter_.restore();

    const QRect area = editArea(combo, rect);
    const bool focused = combo.focused() && combo.form().active();
    if (combo.style() == ui::ComboStyle::DropDownList) {
        // A pick-only list shows its choice highlighted while it has the focus.
        const QRect text = area.adjusted(1, 1, -1, -1);
        if (focused) {
            painter_.fillRect(text, toQColor(ui::colors::Highlight));
            paintFocusRect(text);
        }
        painter_.setPen(focused ? toQColor(ui::colors::HighlightText) : textColor(combo));
        // The choice shrinks rather than lose its end (a table's number),
        // and keeps as far from the arrow as from the left edge.
        const QRect choiceArea = text.adjusted(kEditIndent - 1, 0, 0, 0);
        const QString choice = toQString(combo.text());
        painter_.setFont(fitter().fit(painter_.font(), choice, choiceArea.width() - (kEditIndent - 1)));
        painter_.drawText(choiceArea, Qt::AlignLeft | Qt::AlignVCenter, choice);
        return;
    }
    paintEditableText(combo, combo.editor(), area, focused);
}

void ControlPainter::paintGrid(const ui::StringGrid& grid, QRect rect) {
    painter_.fillRect(rect, toQColor(grid.color()));
    const QPoint origin = rect.topLeft();
    for (const ui::PaintedCell& cell : grid.paintRecord()) {
        const QRect cellRect(origin.x() + cell.rect.left, origin.y() + cell.rect.top, cell.rect.width,
                             cell.rect.height);
        painter_.fillRect(cellRect, toQColor(cell.background));
        painter_.save();
        painter_.setClipRect(cellRect, Qt::IntersectClip);
        for (const ui::TextRun& run : cell.texts) {
            const QFont font = toQFont(run.font);
            const QString text = toQString(run.text);
            const int x = origin.x() + run.position.x;
            // A text too long for its cell is drawn smaller, on the baseline
            // of its own size so that it lines up with its neighbours, and
            // as far from the right edge as the inset keeps it from the left.
            painter_.setFont(fitter().fit(font, text, cellRect.right() + 1 - kGridTextInset - x));
            painter_.setPen(toQColor(run.font.color));
            painter_.drawText(x, origin.y() + run.position.y + QFontMetrics(font).ascent(), text);
        }
        painter_.restore();
        // Grid lines lie in the one-pixel gaps right of and below each cell.
        painter_.setPen(kGridLine);
        painter_.drawLine(cellRect.right() + 1, cellRect.top(), cellRect.right() + 1, cellRect.bottom() + 1);
        painter_.drawLine(cellRect.left(), cellRect.bottom() + 1, cellRect.right() + 1,
                          cellRect.bottom() + 1);
        const bool fixed = cell.col < grid.fixedCols() || cell.row < grid.fixedRows();
        if (fixed) {
            drawBevel(painter_, cellRect, Bevel::RaisedThin);
        }
    }

    const bool focused = grid.focused() && grid.form().active();
    if (const auto current = grid.cellRect(grid.col(), grid.row())) {
        const QRect cellRect(origin.x() + current->left, origin.y() + current->top, current->width,
                             current->height);
        if (grid.editorOpen()) {
            painter_.setFont(toQFont(grid.font()));
            painter_.fillRect(cellRect, toQColor(ui::colors::Window));
            paintEditableText(grid, grid.editor(), cellRect.adjusted(kGridTextInset - 1, 0, 0, 0), focused);
        } else if (focused && !grid.option(ui::GridOption::RowSelect)) {
            paintFocusRect(cellRect);
        }
    }
    painter_.setPen(kDarkShadow);
    painter_.drawRect(rect.adjusted(0, 0, -1, -1));
}

void ControlPainter::paintCaption(const ui::Control& control, QRect area, int alignment) {
    const QString caption = captionText(control.caption());
    if (caption.isEmpty()) {
        return;
    }
    painter_.setPen(textColor(control));
    const int mnemonic = options_.showAccelerators ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    painter_.drawText(area, alignment | mnemonic, caption);
}

void ControlPainter::paintFocusRect(QRect rect) {
    painter_.save();
    QPen pen(Qt::black, 1, Qt::DotLine);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(rect.adjusted(0, 0, -1, -1));
    painter_.restore();
}

std::optional<QRect> ControlPainter::caretRectangle(const ui::Form& form) {
    const ui::Control* focused = focusedIn(form);
    if (focused == nullptr) {
        return std::nullopt;
    }
    const QRect rect = controlRect(*focused);
    const QFontMetrics metrics(toQFont(focused->font()));
    const ui::EditableText* text = nullptr;
    QRect area;
    switch (focused->kind()) {
    case ui::ControlKind::Edit:
        text = &static_cast<const ui::Edit*>(focused)->editor();
        area = editArea(*focused, rect);
        break;
    case ui::ControlKind::ComboBox: {
        const auto* combo = static_cast<const ui::ComboBox*>(focused);
        if (combo->style() == ui::ComboStyle::DropDown) {
            text = &combo->editor();
            area = editArea(*focused, rect);
        }
        break;
    }
    case ui::ControlKind::StringGrid: {
        const auto* grid = static_cast<const ui::StringGrid*>(focused);
        if (const auto cell = grid->cellRect(grid->col(), grid->row()); cell && grid->editorOpen()) {
            text = &grid->editor();
            area = QRect(rect.left() + cell->left + kGridTextInset - 1, rect.top() + cell->top, cell->width,
                         cell->height);
        }
        break;
    }
    default:
        break;
    }
    if (text == nullptr) {
        return std::nullopt;
    }
    const TextLine line = layoutLine(metrics, *text, area, true);
    const int caretX = line.x + metrics.horizontalAdvance(prefixOf(text->text(), text->caret()));
    return QRect(caretX, line.top, 1, line.height);
}

} // namespace lumitag::qtfront
