#include "tools/MultiLineToolPanel.h"

#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "tools/ToolSteps.h"
#include "ui/Form.h"

namespace lumitag::tools {

MultiLineToolPanel::MultiLineToolPanel(ui::Panel& panel6, ui::SpeedButton& cancel, marking::MarkingList& list,
                                       marking::ListUndo& undo)
    : Panel6(panel6), list_(list), undo_(undo), SpeedButton33(cancel) {
    layOut();
    wire();
    wireKeys();
}

void MultiLineToolPanel::layOut() {
    Panel6.setHint(U"選択セルの文字列が対象になります");
    TitleLabel.setBounds({4, 4, 132, 13});
    TitleLabel.setHint(U"グリッド内の選択範囲が対象になります");
    Edit39.setBounds({4, 22, 22, 20});
    MinimumLengthLabel.setBounds({30, 26, 100, 13});
    RadioButton7.setBounds({4, 46, 130, 17});
    Edit40.setBounds({16, 65, 22, 20});
    PositionLabel.setBounds({42, 69, 60, 13});
    RadioButton8.setBounds({4, 89, 130, 17});
    Edit41.setBounds({16, 108, 70, 20});
    Edit54.setBounds({90, 108, 20, 20});
    Edit54.setHint(U"対象文字（列）が一行内に複数ある時に指定します");
    OccurrenceLabel.setBounds({113, 112, 24, 13});
    SidePanel.setBounds({2, 132, 136, 19});
    SidePanel.setParentColor(true);
    RadioButton5.setBounds({2, 1, 62, 17});
    RadioButton6.setBounds({66, 1, 66, 17});
    SpeedButton32.setBounds({6, 160, 60, 25});
    SpeedButton33.setBounds({72, 160, 60, 25});

    for (ui::Edit* box : {&Edit39, &Edit40, &Edit54})
        box->setMaxLength(1);
    Edit41.setMaxLength(KeywordMaxLength);

    // The defaults, chosen before the handlers exist so that nothing takes the focus.
    RadioButton7.setChecked(true);
    RadioButton5.setChecked(true);
}

void MultiLineToolPanel::wire() {
    SpeedButton32.onClick = [this] { InsertMarksInSelection(); };
    // Choosing a mode empties the other mode's box and goes to its own.
    RadioButton7.onClick = [this] {
        Edit41.clear();
        focusAndSelectAll(Edit40);
    };
    RadioButton8.onClick = [this] {
        Edit40.clear();
        focusAndSelectAll(Edit41);
    };
    // A click into a mode's box chooses that mode (nothing happens when it is chosen already).
    Edit40.onClick = [this] { RadioButton7.setChecked(true); };
    Edit41.onClick = [this] { RadioButton8.setChecked(true); };
    Edit54.onClick = [this] { Edit54.selectAll(); };

    for (ui::Edit* box : {&Edit39, &Edit40, &Edit41, &Edit54})
        colourWhileFocused(*box);
    acceptOnly(Edit39, PositionDigits);
    acceptOnly(Edit40, PositionDigits);
    acceptOnly(Edit54, OccurrenceDigits);
    Edit41.onKeyPress = dropEnter;
}

void MultiLineToolPanel::wireKeys() {
    using ui::Key;
    // Each handler consumes the keys it acts on; Enter is always consumed.
    Edit39.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key != Key::Enter && e.key != Key::Down)
            return;
        if (!Edit39.text().empty())
            focusAndSelectAll(Edit40);
        e.consume();
    };
    Edit40.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Enter) {
            if (!Edit40.text().empty())
                InsertMarksInSelection();
        } else if (e.key == Key::Down) {
            RadioButton8.setChecked(true);
        } else if (e.key == Key::Up) {
            focusAndSelectAll(Edit39);
        } else {
            return;
        }
        e.consume();
    };
    Edit41.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Enter) {
            if (!Edit41.text().empty())
                InsertMarksInSelection();
        } else if (e.key == Key::Right && caretAtEnd(Edit41) && !Edit41.text().empty()) {
            focusAndSelectAll(Edit54);
        } else if (e.key == Key::Up) {
            RadioButton7.setChecked(true);
        } else {
            return;
        }
        e.consume();
    };
    Edit54.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Left && caretAtStart(Edit54))
            focusAndSelectAll(Edit41);
        else if (e.key == Key::Enter)
            InsertMarksInSelection();
        else
            return;
        e.consume();
    };
}

std::optional<MarkInsertion> MultiLineToolPanel::request() const {
    MarkInsertion request;
    request.minimumLength = digitOf(Edit39);
    if (request.minimumLength == 0)
        return std::nullopt;
    if (RadioButton7.checked() && digitOf(Edit40) != 0) {
        request.mode = MarkInsertion::Mode::Position;
        request.position = digitOf(Edit40);
    } else if (RadioButton8.checked() && !Edit41.text().empty()) {
        request.mode = MarkInsertion::Mode::Keyword;
        request.keyword = Edit41.text();
        request.occurrence = digitOf(Edit54);
    } else {
        return std::nullopt;
    }
    request.side = RadioButton6.checked() ? Side::After : Side::Before;
    return request;
}

void MultiLineToolPanel::InsertMarksInSelection() {
    const std::optional<MarkInsertion> wanted = request();
    if (!wanted)
        return;
    marking::MarkingList& list = list_;
    commitCellEditor(list);
    const ui::GridRect selection = list.selection();
    bool offered = false;
    for (int row = selection.top; row <= selection.bottom && !offered; ++row)
        offered = offersMarkPlace(list.lineText(row), *wanted);
    if (!offered) {
        showToolMessage(Panel6.form().application(), U"選択範囲内に多段改行を挿入できる箇所がありません");
        return;
    }
    undo_.TakeToolUndo();
    const int changed = rewriteColumn(list, 1, selection.top, selection.bottom,
                                      [&](const Text& text) { return insertMark(text, *wanted); });
    finishTool(Panel6.form().application(), undo_, changed, U"多段改行の一括挿入が終わりました");
}

} // namespace lumitag::tools
