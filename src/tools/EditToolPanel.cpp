#include "tools/EditToolPanel.h"

#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "tools/TextEdits.h"
#include "tools/ToolSteps.h"
#include "ui/Form.h"

#include <algorithm>

namespace lumitag::tools {

namespace {

constexpr TextView Digits = U"1234567890";
constexpr TextView HexDigits = U"1234567890ABCDEF";

// Where the sub-panels and their 取消 buttons lie on Panel8.
constexpr ui::Rect ToolPanelBounds{2, 62, 136, 135};
constexpr ui::Rect CancelButtonBounds{ToolPanelBounds.left + 70, ToolPanelBounds.top + 114, 60, 20};
constexpr ui::Rect OkButtonBounds{4, 114, 60, 20};

} // namespace

EditToolPanel::EditToolPanel(ui::Panel& panel8, ui::SpeedButton& replaceCancel, ui::SpeedButton& deleteCancel,
                             ui::SpeedButton& insertCancel, marking::MarkingList& list,
                             marking::ListUndo& undo)
    : Panel8(panel8), list_(list), undo_(undo), SpeedButton39(replaceCancel), SpeedButton37(insertCancel),
      SpeedButton35(deleteCancel) {
    layOut();
    wire();
    wireKeys();
}

void EditToolPanel::layOut() {
    RadioGroup1.setBounds({2, 2, 136, 58});
    RadioGroup1.setItems({U"文字（列）の置換", U"文字（列）の挿入", U"文字（列）の削除"});
    RadioGroup1.setItemIndex(0);
    RadioGroup1.setHint(U"グリッド内の選択範囲（列）が対象になります");
    RadioGroup1.setShowHint(true);
    RadioGroup1.setParentColor(true);
    for (ui::Panel* panel : {&Panel11, &Panel10, &Panel9, &InsertSidePanel}) {
        panel->setParentColor(true);
    }
    for (ui::Panel* panel : {&Panel11, &Panel10, &Panel9})
        panel->setBounds(ToolPanelBounds);

    // Replace.
    ReplaceTargetLabel.setBounds({4, 2, 128, 13});
    Edit42.setBounds({4, 16, 128, 20});
    Edit42.setHint(U"指定列行内の対象文字（列）を入力します");
    ReplaceOccurrenceLabel1.setBounds({4, 40, 128, 13});
    ReplaceOccurrenceLabel2.setBounds({4, 58, 40, 13});
    Edit43.setBounds({46, 54, 22, 20});
    Edit43.setHint(U"対象文字（列）が一行内に複数ある時に指定します");
    ReplaceOccurrenceLabel3.setBounds({72, 58, 30, 13});
    ReplacementLabel.setBounds({4, 78, 128, 13});
    Edit44.setBounds({4, 92, 128, 20});
    Edit44.setHint(U"置換える文字（列）を入力します");
    SpeedButton38.setBounds(OkButtonBounds);

    // Insert.
    InsertionLabel.setBounds({4, 2, 128, 13});
    Edit45.setBounds({4, 16, 128, 20});
    RadioButton9.setBounds({4, 38, 128, 17});
    RadioButton14.setBounds({4, 55, 128, 17});
    Edit50.setBounds({4, 74, 22, 20});
    Label49.setBounds({30, 78, 40, 13});
    Edit48.setBounds({4, 74, 80, 20});
    Edit53.setBounds({88, 74, 22, 20});
    Label63.setBounds({112, 78, 24, 13});
    InsertSidePanel.setBounds({2, 96, 132, 17});
    RadioButton13.setBounds({2, 0, 64, 17});
    RadioButton15.setBounds({68, 0, 64, 17});
    SpeedButton36.setBounds(OkButtonBounds);

    // Delete.
    DeleteTargetLabel.setBounds({4, 2, 128, 13});
    Edit47.setBounds({4, 16, 128, 20});
    DeleteOccurrenceLabel1.setBounds({4, 40, 128, 13});
    DeleteOccurrenceLabel2.setBounds({4, 58, 40, 13});
    Edit52.setBounds({46, 54, 22, 20});
    DeleteOccurrenceLabel3.setBounds({72, 58, 30, 13});
    SpeedButton34.setBounds(OkButtonBounds);

    // The 取消 buttons belong to Panel8; they lie over their tool's panel.
    for (ui::SpeedButton* cancel : {&SpeedButton39, &SpeedButton37, &SpeedButton35}) {
        cancel->setBounds(CancelButtonBounds);
        cancel->bringToFront();
    }

    for (ui::Edit* box : {&Edit43, &Edit50, &Edit52, &Edit53})
        box->setMaxLength(1);
    Edit47.setMaxLength(KeywordMaxLength);
    Edit48.setMaxLength(KeywordMaxLength);

    // The defaults, chosen before the handlers exist so that nothing takes the focus.
    RadioButton9.setChecked(true);
    RadioButton13.setChecked(true);
    Edit48.hide();
    Label63.hide();
    Edit53.hide();
}

void EditToolPanel::wire() {
    RadioGroup1.onClick = [this] { ChooseTool(); };
    RadioButton9.onClick = [this] { ChooseInsertMode(); };
    RadioButton14.onClick = [this] { ChooseInsertMode(); };
    SpeedButton38.onClick = [this] { ReplaceInSelection(); };
    SpeedButton34.onClick = [this] { DeleteInSelection(); };
    SpeedButton36.onClick = [this] { InsertInSelection(); };

    for (ui::Edit* box : {&Edit42, &Edit43, &Edit44, &Edit45, &Edit47, &Edit48, &Edit50, &Edit52, &Edit53}) {
        colourWhileFocused(*box);
        box->onClick = [box] { box->selectAll(); };
    }
    for (ui::Edit* box : {&Edit42, &Edit44, &Edit45, &Edit47})
        box->onKeyPress = [this](char32_t& character) { filterStringBox(character); };
    for (ui::Edit* box : {&Edit43, &Edit52, &Edit53})
        acceptOnly(*box, OccurrenceDigits);
    acceptOnly(Edit50, PositionDigits);
    Edit48.onKeyPress = dropEnter;
    ChooseTool();
}

void EditToolPanel::wireKeys() {
    using ui::Key;
    // Each handler consumes the keys it acts on; Enter is always consumed.
    Edit42.onKeyDown = [this](ui::KeyEvent& e) {
        if ((e.key == Key::Down || e.key == Key::Enter) && !Edit42.text().empty())
            focusAndSelectAll(Edit43);
        if (e.key == Key::Enter || e.key == Key::Down)
            e.consume();
    };
    Edit43.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Up)
            focusAndSelectAll(Edit42);
        else if (e.key == Key::Down || e.key == Key::Enter)
            focusAndSelectAll(Edit44);
        else
            return;
        e.consume();
    };
    Edit44.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Up && Edit43.visible())
            focusAndSelectAll(Edit43);
        else if (e.key == Key::Enter)
            ReplaceInSelection();
        else
            return;
        e.consume();
    };
    Edit47.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Enter)
            DeleteInSelection();
        else if (e.key == Key::Down)
            focusAndSelectAll(Edit52);
        else
            return;
        e.consume();
    };
    Edit52.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Up)
            focusAndSelectAll(Edit47);
        else if (e.key == Key::Enter)
            DeleteInSelection();
        else
            return;
        e.consume();
    };
    Edit45.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key != Key::Enter && e.key != Key::Down)
            return;
        if (!Edit45.text().empty()) {
            if (e.key == Key::Enter)
                InsertInSelection();
            else if (RadioButton9.checked())
                focusAndSelectAll(Edit50);
            else
                RadioButton9.setChecked(true);
        }
        e.consume();
    };
    Edit50.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Enter)
            InsertInSelection();
        else if (e.key == Key::Down)
            RadioButton14.setChecked(true);
        else if (e.key == Key::Up)
            focusAndSelectAll(Edit45);
        else
            return;
        e.consume();
    };
    Edit48.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Enter)
            InsertInSelection();
        else if (e.key == Key::Right && caretAtEnd(Edit48) && !Edit48.text().empty())
            focusAndSelectAll(Edit53);
        else if (e.key == Key::Up)
            RadioButton9.setChecked(true);
        else
            return;
        e.consume();
    };
    Edit53.onKeyDown = [this](ui::KeyEvent& e) {
        if (e.key == Key::Left && caretAtStart(Edit53))
            focusAndSelectAll(Edit48);
        else if (e.key == Key::Enter)
            InsertInSelection();
        else
            return;
        e.consume();
    };
}

void EditToolPanel::filterStringBox(char32_t& character) const {
    dropEnter(character);
    const int col = list_.selection().left;
    const marking::BoxMode mode = list_.boxMode();
    if (character == ui::chars::None || col <= 1 || mode == marking::BoxMode::Text)
        return;
    // Count and numbering columns hold digits, hexadecimal in the numbering column.
    const bool hex = col == 5 || (col == 3 && mode == marking::BoxMode::OneBox);
    if (!acceptsCharacter(hex ? HexDigits : Digits, character))
        character = ui::chars::None;
}

// --- Panel switching -------------------------------------------------------------------

void EditToolPanel::ChooseTool() {
    const int tool = RadioGroup1.itemIndex();
    Panel11.setVisible(tool == 0);
    SpeedButton39.setVisible(tool == 0);
    Panel10.setVisible(tool == 1);
    SpeedButton37.setVisible(tool == 1);
    Panel9.setVisible(tool == 2);
    SpeedButton35.setVisible(tool == 2);
}

void EditToolPanel::ChooseInsertMode() {
    const bool position = RadioButton9.checked();
    Label49.setVisible(position);
    Edit50.setVisible(position);
    Edit48.setVisible(!position);
    Label63.setVisible(!position);
    Edit53.setVisible(!position);
    focusAndSelectAll(position ? Edit50 : Edit48);
}

// --- The tools ---------------------------------------------------------------------------

EditToolPanel::WorkRange EditToolPanel::workRange() const {
    const ui::GridRect selection = list_.selection();
    return {selection.left, selection.top, selection.bottom};
}

bool EditToolPanel::anyCell(const std::function<bool(const Text&)>& test) const {
    const WorkRange range = workRange();
    for (int row = range.top; row <= range.bottom; ++row) {
        if (test(list_.cell(range.col, row)))
            return true;
    }
    return false;
}

int EditToolPanel::rewrite(const std::function<Text(const Text&)>& edit) {
    const WorkRange range = workRange();
    return rewriteColumn(list_, range.col, range.top, range.bottom, edit);
}

void EditToolPanel::ReplaceInSelection() {
    const Text target = Edit42.text();
    const Text replacement = Edit44.text();
    if (target.empty() || replacement.empty())
        return;
    commitCellEditor(list_);
    if (!anyCell([&](const Text& text) { return text.find(target) != Text::npos; })) {
        showToolMessage(Panel8.form().application(), U"選択範囲内に置換対象文字(列)がありません");
        return;
    }
    undo_.TakeToolUndo();
    const int n = digitOf(Edit43);
    const int changed =
        rewrite([&](const Text& text) { return replaceOccurrence(text, target, replacement, n); });
    finishTool(Panel8.form().application(), undo_, changed, U"文字(列)の置換が終わりました");
}

void EditToolPanel::DeleteInSelection() {
    const Text target = Edit47.text();
    if (target.empty())
        return;
    commitCellEditor(list_);
    if (!anyCell([&](const Text& text) { return text.find(target) != Text::npos; })) {
        showToolMessage(Panel8.form().application(), U"選択範囲内に削除対象文字(列)がありません");
        return;
    }
    undo_.TakeToolUndo();
    const int n = digitOf(Edit52);
    const int changed = rewrite([&](const Text& text) { return deleteOccurrence(text, target, n); });
    finishTool(Panel8.form().application(), undo_, changed, U"文字(列)の削除が終わりました");
}

void EditToolPanel::InsertInSelection() {
    const Text insertion = Edit45.text();
    if (insertion.empty())
        return;
    commitCellEditor(list_);
    const Text keyword = Edit48.text();
    const bool keywordMode = RadioButton14.checked() && !keyword.empty();
    const Side side = RadioButton15.checked() ? Side::After : Side::Before;
    const int position = digitOf(Edit50);
    const int n = digitOf(Edit53);

    if (keywordMode) {
        if (!anyCell([&](const Text& text) { return text.find(keyword) != Text::npos; })) {
            showToolMessage(Panel8.form().application(), U"選択範囲内にキーワードがありません");
            return;
        }
    } else if (!anyCell([&](const Text& text) { return reachesPosition(text, position); })) {
        showToolMessage(Panel8.form().application(), U"選択範囲内に指定文字数目がありません");
        return;
    }
    undo_.TakeToolUndo();
    const int changed = rewrite([&](const Text& text) {
        return keywordMode ? insertAtKeyword(text, insertion, keyword, n, side)
                           : insertAtPosition(text, insertion, position, side);
    });
    finishTool(Panel8.form().application(), undo_, changed, U"文字(列)の挿入が終わりました");
}

} // namespace lumitag::tools
