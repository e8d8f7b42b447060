#pragma once

// The lines of the settings file lumitagr.ini and what each holds. Header only
// and free of includes, so that every part that reads or writes a setting
// names the same line without linking the program's shell.
namespace lumitag::app::settingsLine {

// Lines 0 to 19: the definition texts of the twenty preset buttons.
inline constexpr int FirstPreset = 0;
inline constexpr int PresetCount = 20;
// Lines 20 to 45: the texts of the A–Z boxes EditA to EditZ.
inline constexpr int FirstLetter = 20;
inline constexpr int LetterCount = 26;
// The transfer destination, "Table 0" to "Table 20".
inline constexpr int Destination = 46;
// "CHECK8" while history mode is on.
inline constexpr int HistoryMode = 47;
// "CHECK35" while the transfer inserts rows.
inline constexpr int InsertMode = 48;

static_assert(FirstPreset + PresetCount == FirstLetter && FirstLetter + LetterCount == Destination);

} // namespace lumitag::app::settingsLine
