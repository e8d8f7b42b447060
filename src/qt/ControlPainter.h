#pragma once

#include "qt/TextFitter.h"
#include "ui/Control.h"
#include "ui/EditableText.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

class QPainter;

namespace lumitag::ui {
class Button;
class CheckBox;
class ComboBox;
class Edit;
class Form;
class RadioButton;
class RadioGroup;
class SpeedButton;
class StringGrid;
} // namespace lumitag::ui

namespace lumitag::qtfront {

// What the painter needs beyond the model's state.
struct PaintOptions {
    // Underline the accelerator characters of captions (while Alt is held,
    // as the classic desktop does); hide them otherwise.
    bool showAccelerators = false;
    // The caret blinks: false draws the focused box without it.
    bool caretVisible = true;
    // Text the input method is composing, drawn at the caret of the focused box.
    QString preedit;
    // Shrinks grid texts and combo box choices that overflow their space; one
    // that lives across paints keeps what it measured. nullptr: the painter's own.
    TextFitter* fitter = nullptr;
    // The part of the form to draw, in form coordinates: controls wholly
    // outside it are skipped (a blinking caret repaints only its strip). An
    // empty rectangle draws the whole form.
    QRect area;
};

// Draws a form and all its showing controls from the model, in the model's
// z-order and pixel geometry, in the look of a classic Windows desktop. Knows
// control kinds only. The grid is drawn from the record of its last paint.
class ControlPainter {
public:
    ControlPainter(QPainter& painter, PaintOptions options);

    void paintForm(const ui::Form& form);

    // Where the caret of the focused text box lies, in form coordinates, for
    // the input method's candidate window; nothing when no box has a caret.
    static std::optional<QRect> caretRectangle(const ui::Form& form);

private:
    void paintChildren(const ui::Control& parent, QPoint origin);
    void paintControl(const ui::Control& control, QRect rect);

    void paintPanel(const ui::Control& panel, QRect rect);
    void paintLabel(const ui::Control& label, QRect rect);
    void paintEdit(const ui::Edit& edit, QRect rect);
    void paintButton(const ui::Button& button, QRect rect);
    void paintSpeedButton(const ui::SpeedButton& button, QRect rect);
    void paintCheckBox(const ui::CheckBox& box, QRect rect);
    void paintRadioButton(const ui::RadioButton& button, QRect rect);
    void paintRadioGroup(const ui::RadioGroup& group, QRect rect);
    void paintComboBox(const ui::ComboBox& combo, QRect rect);
    void paintGrid(const ui::StringGrid& grid, QRect rect);

    // One line of editable text with selection and caret inside `area`.
    void paintEditableText(const ui::Control& owner, const ui::EditableText& text, QRect area, bool focused);
    void paintCaption(const ui::Control& control, QRect area, int alignment);
    void paintCheckMark(QRect box, bool enabled);
    void paintFocusRect(QRect rect);
    TextFitter& fitter() { return options_.fitter != nullptr ? *options_.fitter : ownFitter_; }

    QPainter& painter_;
    PaintOptions options_;
    TextFitter ownFitter_;
};

} // namespace lumitag::qtfront
