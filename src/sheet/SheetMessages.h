#pragma once

#include "platform/Text.h"

namespace lumitag::ui {
class Application;
}

namespace lumitag::sheet {

// What the program says when the spreadsheet refuses a command.
inline constexpr TextView HostBusyMessage =
    U"エクセルが編集中です(またはエクセルシートがその他のウィンドウに隠れています)";
inline constexpr TextView ColumnCharactersMessage = U"列指定は数字・英大文字のみ入力できます";
inline constexpr TextView NewWorkbookNotice =
    U"万一に備えての保存をお勧めします\r\n\r\n※注意 エクセル側の操作で一部使用できないものがあります\r\n\r\n"
    U"・セル選択状態でBSキー・Deleteキーが使用できません（セル内の編集では使用できます）\r\n"
    U" ＞Ctrl＋Deleteキーで使用できます\r\n\r\n・エクセルを閉じることが出来ません  "
    U"＞ルミタグ側で閉じてください\r\n\r\n"
    U"・ファンクションキーF1～F12が使用できません\r\n\r\n"
    U"※シート名の変更はルミタグのシート選択ボックスで行ってください";
// The notice before a device seal workbook is made.
inline constexpr TextView DeviceSealNotice =
    U"万一に備えての保存をお勧めします\r\n\r\n※注意 エクセル側の操作で一部使用できないものがあります\r\n\r\n"
    U"・セル選択状態でBSキー・Deleteキーが使用できません（セル内の編集では使用できます）\r\n"
    U" ＞Ctrl＋Deleteキーで使用できます\r\n\r\n・エクセルを閉じることが出来ません  "
    U"＞ルミタグ側で閉じてください\r\n\r\n"
    U"・ファンクションキーF1～F12が使用できません";
inline constexpr TextView LinkErrorMessage =
    U"エラーが発生しました。\r\n\r\nエクセルを閉じ、ルミタグを再起動してください。";
// The sheet box's text while no workbook is shown.
inline constexpr TextView SheetBoxPlaceholder = U"エクセルシート";

Text closeQuestion(TextView workbookName);
Text renameQuestionOnLeaving(TextView oldName, TextView newName);
Text renameQuestionOnEnter(TextView oldName, TextView newName);
Text nameInUseMessage(TextView newName);
// The general error box's text when the spreadsheet refused a new sheet name.
Text renameRefusedMessage(TextView newName);

// An information box with OK under the program's title.
void showMessage(ui::Application& app, TextView text);
// A box with the system's default caption and OK.
void showSystemMessage(ui::Application& app, TextView text);
// A question with Yes and Cancel; true for Yes.
bool confirm(ui::Application& app, TextView text);
// The program's general error box.
void showError(ui::Application& app, TextView text);

} // namespace lumitag::sheet
