#pragma once

#include "platform/Paths.h"
#include "platform/Text.h"
#include "ui/Events.h"

#include <filesystem>

namespace lumitag::app {

// What both main windows say and accept around marker data files: the
// questions and refusals of saving and marking, the mark file names, and the
// key filters of the work length and feed-correction boxes.

inline constexpr TextView MarkerSoftwareTitle = U"CTKPCMS for Windows Ver3.0";
inline constexpr TextView CloseMarkerSoftwareMessage = U"CTKPCMS for Windowsを閉じてください";
inline constexpr TextView SaveQuestion = U"CTK保存しますか？";
inline constexpr TextView MarkQuestion = U"マーキングしますか？";
inline constexpr TextView SaveLossQuestion = U"このままCTK保存しますか？";
inline constexpr TextView MarkLossQuestion = U"このままマーキングしますか？";
inline constexpr TextView SaveRefusal =
    U"テーブルファイル(lumitagr.sp3)がありませんので\r\nWindows フォントでの保存はできません";
inline constexpr TextView MarkRefusal =
    U"テーブルファイル(lumitagr.sp3)がありませんので\r\nWindows フォントでのマーキングはできません";
inline constexpr TextView MarkerFileWhat = U"CTKファイル";
inline constexpr TextView HeaderLinesName = U"テーブル設定";

inline constexpr TextView MarkFileWithHeader = U"lumitagr.cta";
inline constexpr TextView MarkFileHeaderless = U"lumitagr.ctk";
inline constexpr TextView HeaderFileFilter = U"CTKファイル.cta|*.cta";
inline constexpr TextView HeaderlessFileFilter = U"CTKファイル.ctk|*.ctk";

inline constexpr TextView WorkLengthKey = U"WorkLength=";
inline constexpr TextView FeedCorrectionOutOfRangeMessage =
    U"送り補正の範囲を超えています（長さ設定を変更してください）";

// "テーブル設定 [ " + table + " ] で" before the question while the table box is shown.
inline Text withTable(TextView tableBoxText, TextView question) {
    return U"テーブル設定 [ " + Text(tableBoxText) + U" ] で" + Text(question);
}

// A failed read or write names the file, so that the user can find out what
// is in the way (a read-only folder, a file open elsewhere).
inline Text fileFailureMessage(TextView what, const std::filesystem::path& path) {
    return Text(what) + U"\r\n" + platform::textFromPath(path);
}

// The table's correction value or a typed percentage that is not a number.
inline Text tableCorrectionNotANumberMessage(TextView tableValue) {
    return U"テーブルの送り補正値「" + Text(tableValue) +
           U"」が数値ではありません\r\n（テーブルファイルを確認してください）";
}
inline Text typedCorrectionNotANumberMessage(TextView typed) {
    return U"送り補正の数値「" + Text(typed) + U"」が正しくありません\r\n（80～120の数値を入力してください）";
}

// The length boxes take digits and Backspace; the work length and
// percentage boxes a decimal point too.
inline void acceptDigits(char32_t& character) {
    if (!isAsciiDigit(character) && character != ui::chars::Backspace)
        character = ui::chars::None;
}
inline void acceptDecimal(char32_t& character) {
    if (!isAsciiDigit(character) && character != U'.' && character != ui::chars::Backspace)
        character = ui::chars::None;
}
inline void swallowAlt(ui::KeyEvent& event) {
    if (event.key == ui::Key::Alt)
        event.consume();
}

} // namespace lumitag::app
