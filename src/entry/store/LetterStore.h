#pragma once

#include "entry/EntryTexts.h"
#include "entry/store/LetterSlots.h"
#include "entry/store/StoredEntry.h"
#include "marking/EntryFieldControls.h"
#include "ui/Geometry.h"

#include <array>
#include <cstddef>
#include <functional>

namespace lumitag::ui {
class Button;
class CheckBox;
class Edit;
class Form;
class SpeedButton;
} // namespace lumitag::ui

namespace lumitag::entry {

struct LetterStoreControls {
    ui::Form& form;
    std::array<marking::SequenceControls, 3> sequences;
    ui::Edit& Edit3; // 線番１
    ui::Edit& Edit6; // 線番２
    // The entry boxes whose focus lets a letter put its entry back.
    std::array<ui::Edit*, 11> entryBoxes;
    std::array<ui::SpeedButton*, LetterSlots::Count> letterButtons; // SpeedButtonA … Z
    std::array<ui::Edit*, LetterSlots::Count> letterBoxes;          // EditA … EditZ
    std::array<ui::SpeedButton*, LetterSlots::Count> clearButtons;  // SpeedButtonAC … ZC
    std::array<ui::CheckBox*, LetterSlots::Count> pinBoxes;         // CheckBox9 … CheckBox34
    ui::SpeedButton& SpeedButton1;                                  // 線番コピー
    ui::CheckBox& CheckBox8;                                        // 履歴モード
    ui::CheckBox& CheckBox2;                                        // 設定: the settings panel
    ui::Button& Button30;                                           // All Clear
    ui::Button& Button8;                                            // クリア of the entry panel
};

struct LetterStoreHooks {
    std::function<void()> focusEntryField;
    // The entry panel's texts as they stand.
    std::function<EntryTexts()> entryTexts;
};

// The A–Z string store: 26 read-only boxes that each keep one entry of the
// panel ("[D1]W1[D2]W2[D3]") and put it back with one click or Alt+letter.
// In copy mode 線番コピー stores the current entry; in history mode every
// committed entry is recorded and entries can be pinned at the top.
class LetterStore {
public:
    static constexpr ui::Color PinnedColor{255, 213, 170};
    static constexpr ui::Color BoxColor{217, 221, 204};

    LetterStore(LetterStoreControls controls, LetterStoreHooks hooks);
    LetterStore(const LetterStore&) = delete;
    LetterStore& operator=(const LetterStore&) = delete;

    void install();

    void CopyEntry();     // SpeedButton1
    void RecordHistory(); // the entry's OK in history mode
    void InsertEntry(std::size_t letter);
    void ApplyEntry();
    void DeleteEntry(std::size_t letter);
    void PinChanged(std::size_t letter);
    void ToggleHistoryMode(); // CheckBox8
    void ClearAll();          // Button30
    // The periodic refresh: pinned boxes in their own colour.
    void refreshColours();

    bool pinned(std::size_t letter) const { return pinned_[letter]; }

private:
    LetterSlots slots() const;
    void show(const LetterSlots& slots);
    void setPinBox(std::size_t letter, bool ticked);
    EntryTexts entryTexts() const;
    void focusEntryField();

    LetterStoreControls c_;
    LetterStoreHooks hooks_;
    std::array<bool, LetterSlots::Count> pinned_{};
    StoredEntry pendingEntry_;
    // Set while pin boxes are ticked or unticked in code.
    bool settingPins_ = false;
};

} // namespace lumitag::entry
