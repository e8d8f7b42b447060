#include "tools/ToolSteps.h"

#include "marking/ListUndo.h"
#include "marking/MarkingList.h"
#include "platform/ProgramTitle.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Edit.h"
#include "ui/Form.h"

#include <string>

namespace lumitag::tools {

namespace {

constexpr ui::Color FocusedBoxColor = ui::colors::FocusedBox;
constexpr TextView CountSeparator = U"箇所：";

} // namespace

void commitCellEditor(marking::MarkingList& list) {
    if (list.grid().editorOpen())
        list.grid().hideEditor();
}

void finishTool(ui::Application& app, marking::ListUndo& undo, int changed, TextView what) {
    showToolMessage(app, numberText(changed) + Text(CountSeparator) + Text(what));
    undo.OfferToolCancel();
}

void showToolMessage(ui::Application& app, TextView text) {
    app.showMessage(platform::MessageKind::Information, Text(ProgramTitle), Text(text),
                    platform::Buttons::Ok);
}

int rewriteColumn(marking::MarkingList& list, int col, int top, int bottom,
                  const std::function<Text(const Text&)>& edit) {
    int changed = 0;
    for (int row = top; row <= bottom; ++row) {
        const Text& before = list.cell(col, row);
        Text after = edit(before);
        if (after == before)
            continue;
        list.setCell(col, row, after);
        ++changed;
    }
    return changed;
}

void colourWhileFocused(ui::Edit& box) {
    box.onEnter = [&box] { box.setColor(FocusedBoxColor); };
    box.onExit = [&box] { box.setColor(ui::colors::Window); };
}

void focusAndSelectAll(ui::Edit& box) {
    box.form().focusControl(&box);
    box.selectAll();
}

int digitOf(const ui::Edit& box) {
    const Text& text = box.text();
    if (text.empty() || text[0] < U'0' || text[0] > U'9')
        return 0;
    return static_cast<int>(text[0] - U'0');
}

bool acceptsCharacter(TextView accepted, char32_t character) {
    return character == ui::chars::Backspace || accepted.find(character) != TextView::npos;
}

void acceptOnly(ui::Edit& box, TextView accepted) {
    box.onKeyPress = [accepted](char32_t& character) {
        if (!acceptsCharacter(accepted, character))
            character = ui::chars::None;
    };
}

void dropEnter(char32_t& character) {
    if (character == ui::chars::Enter)
        character = ui::chars::None;
}

bool caretAtStart(const ui::Edit& box) {
    return box.selStart() == 0;
}

bool caretAtEnd(const ui::Edit& box) {
    return box.selStart() == static_cast<int>(box.text().size());
}

} // namespace lumitag::tools
