#pragma once

#include "entry/EntryTexts.h"
#include "entry/SequenceBoxInput.h"
#include "marking/EntryFieldControls.h"
#include "ui/Events.h"
#include "ui/Geometry.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace lumitag::ui {
class Button;
class CheckBox;
class Control;
class Edit;
class Form;
class Timer;
} // namespace lumitag::ui
namespace lumitag::marking {
class ListUndo;
class MarkingList;
} // namespace lumitag::marking

namespace lumitag::entry {

// The controls of the orange-mode window that the entry panel reads and
// writes. The window owns them.
struct EntryPanelControls {
    ui::Form& form;
    marking::MarkingList& list;
    marking::ListUndo& undo;
    // 連番１ to 連番３: start, middle and end box, the "～" and blank
    // indicators and the fix box.
    std::array<marking::SequenceControls, 3> sequences;
    ui::Edit& Edit3;          // 線番１
    ui::Edit& Edit6;          // 線番２
    ui::Edit& Edit9;          // count (TEXT: the free text)
    ui::Edit& Edit46;         // second count (3BOX)
    ui::Edit& Edit49;         // third count (3BOX)
    ui::Edit& Edit16;         // numbering end value
    ui::CheckBox& CheckBox4;  // 線番１ fixed
    ui::CheckBox& CheckBox6;  // 線番２ fixed
    ui::CheckBox& CheckBox36; // 連番前優先
    ui::CheckBox& CheckBox2;  // 設定: the preset settings panel
    ui::CheckBox& CheckBox8;  // 履歴モード of the A–Z store
    ui::Button& Button7;      // OK
    ui::Button& Button8;      // クリア
    ui::Button& Button9;      // 取消 of the last entry
    ui::Timer& Timer5;        // periodic refresh
};

// What the entry panel asks of the rest of the window. Empty hooks do nothing.
struct EntryPanelHooks {
    // Focuses 線番２ when 線番１ is fixed, else 線番１, with the whole text selected.
    std::function<void()> focusEntryField;
    // Records the entry in the A–Z store (history mode).
    std::function<void()> recordHistory;
    // The preset definition that last filled a sequence (0 to 2), if any.
    std::function<Text(std::size_t)> pendingDefinition;
    // Forgets the preset definition of a sequence.
    std::function<void(std::size_t)> forgetPendingDefinition;
    // 線番１ and 線番２ hold a numbering 【…】 after an entry.
    std::function<void()> numberingEntered;
};

// The entry panel of the orange-mode window: the sequence groups 連番１–３, the
// fixed texts 線番１ and 線番２, the count boxes, OK and クリア. It composes
// marking lines with the keyboard and appends them to the marking list (or
// inserts them at the selection in string insert mode).
class EntryPanel {
public:
    static constexpr ui::Color FocusColor = ui::colors::FocusedBox;
    static constexpr ui::Color FixedColor{255, 213, 170};

    EntryPanel(EntryPanelControls controls, EntryPanelHooks hooks);
    EntryPanel(const EntryPanel&) = delete;
    EntryPanel& operator=(const EntryPanel&) = delete;

    // Sets the boxes up and installs the handlers that are the panel's alone.
    // Every entry field's enter handler, and the key-down and exit handlers
    // of 線番１, 線番２ and Edit16, have duties of the list modes and the marks
    // too; the window wires them with the duties below.
    void install();
    void setHooks(EntryPanelHooks hooks) { hooks_ = std::move(hooks); }

    // --- Commands ------------------------------------------------------------------
    void Button7Click(); // OK: expand the entry into the list
    void Button8Click(); // クリア (F11)
    void CheckBox36Click();
    // The next sequence mode of a sequence (0 to 2): range → pair → three values → range.
    void CycleSequenceMode(std::size_t sequence);

    // --- The window's keys -------------------------------------------------------------
    // Alt and Tab; the window sees keys before its controls.
    void FormKeyDown(ui::KeyEvent& event);
    // The window consumes every key release.
    void FormKeyUp(ui::KeyEvent& event);

    // --- Duties of shared field events ---------------------------------------------------
    // An entry field takes the focus: the focus colour, unless it is fixed.
    void colourOnEnter(ui::Edit& edit);
    // An entry field loses the focus: the normal colour, unless it is fixed.
    void colourOnExit(ui::Edit& edit);
    // The arrow keys, Enter and the other keys that move between the entry fields.
    void fieldKeyDown(ui::Edit& edit, ui::KeyEvent& event);

    // --- State -----------------------------------------------------------------------
    SequenceMode sequenceMode(std::size_t sequence) const;
    // The panel's texts as an entry reads them.
    EntryTexts texts() const;

private:
    // One entry field of the arrow-key ring.
    struct RingField {
        ui::Edit* edit;
        bool middle; // a middle box: shown only in three-value mode
    };

    void installSequence(std::size_t index);
    void installCount(ui::Edit& edit, bool numbers);
    bool isFixed(const ui::Edit& edit) const;
    void SequenceBoxExit(std::size_t sequence, ui::Edit& edit);
    void updateOrderBox();

    // Focus movement.
    bool arrowKey(ui::Edit& edit, ui::KeyEvent& event);
    std::vector<RingField> ring() const;
    void EnterKey(ui::Edit& edit);
    ui::Edit* enterTarget(ui::Edit& edit);
    void focusAndSelect(ui::Edit& edit);
    void tabKey();
    std::optional<std::size_t> sequenceOf(const ui::Control* control) const;

    // Fix boxes.
    void SequenceFixClick(std::size_t sequence);
    void CheckBox4Click();
    void CheckBox6Click();
    void Edit6Click();
    void untickRefused(ui::CheckBox& box);
    bool fixWireText(ui::CheckBox& box, ui::Edit& edit, const ui::CheckBox& other);

    // OK.
    int insertionRow() const;
    void writeLastEntryRecord(int insertion);
    void applyEmptied(const std::array<bool, 3>& emptied);
    void expand(const EntryTexts& entry, int insertion);
    void writeLine(int row, const Text& text);
    void cleanUp();
    void finish();
    void focusEntryField();

    EntryPanelControls c_;
    EntryPanelHooks hooks_;
    // The Alt key is handled once until it is released; a mode step waits
    // for the release so that Alt+digit and Alt+letter chords leave the mode alone.
    bool altDown_ = false;
    std::optional<std::size_t> altModeStep_;
    // The field and caret of the last key press in a ring field.
    const ui::Edit* lastKeyField_ = nullptr;
    int lastKeyCaret_ = -1;
    // Set while a fix box that may not be ticked unticks itself.
    bool refusingTick_ = false;
};

} // namespace lumitag::entry
