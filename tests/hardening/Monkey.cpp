#include "hardening/Monkey.h"

#include "app/MarkerFileTexts.h"
#include "app/Messages.h"
#include "app/TForm5.h"
#include "marking/MarkingList.h"
#include "platform/Encoding.h"
#include "platform/spreadsheet/CellAddress.h"
#include "sheet/SheetMessages.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"
#include "ui/testing/Driver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <span>
#include <sstream>

namespace lumitag::hardening {

namespace {

using marking::MarkingList;
using platform::Answer;

using Host = MonkeyEvent::Host;

const Text MonkeyFile = U"/home/user/monkey.ctk";
// Workbook files the open dialogs may choose: two the spreadsheet opens, one
// that is not there.
const Text MonkeyWorkbook = U"/home/user/monkey.xlsx";
const Text LongNamedWorkbook = U"/home/user/配線リスト_第２版.xlsx";
const Text MissingWorkbook = U"/home/user/gone.xlsx";
const std::vector<Text> WorkbookSheets{U"Sheet1", U"データ", U"Sheet3"};
// The part of a sheet the random cells fill: the columns the blue window's
// settings name by letter, the rows its start and end rows reach.
constexpr int FilledColumns = 8;
constexpr int FilledRows = 60;
// A step that calls the spreadsheet this often is one that waits on it
// without end: the largest command, a 1000-line transfer or conversion,
// makes a few hundred calls.
constexpr std::size_t MaxCallsPerStep = 20000;

// Keys the user may press anywhere. Closing the program (終了, Alt+F4) is left
// out: a run goes on until its last event.
constexpr std::array chords{
    "Enter",    "Esc",    "Tab",          "Up",     "Down",   "Left",   "Right",  "Home",     "End",
    "PgDn",     "PgUp",   "Del",          "BkSp",   "Ins",    "Space",  "F1",     "F2",       "F3",
    "F4",       "F5",     "F6",           "F7",     "F8",     "F9",     "F10",    "F11",      "F12",
    "Shift+F1", "Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V", "Ctrl+A", "Alt",      "Ctrl",
    "Alt+1",    "Alt+2",  "Alt+3",        "Alt+0",  "Alt+A",  "Alt+B",  "Alt+Z",  "Shift+Tab"};
// The orange window's 閉じる.
const std::set<std::string> closingControls{"Button5"};
// The keys of the commands, pressed more often than the others.
// Shift+F1 goes there from the orange window more often than back.
constexpr std::array commandChords{"F9", "F8", "F10", "F1", "Enter", "Enter"};
// The commands among a window's many controls, clicked more often than the
// others: the spreadsheet panel and the list's commands of the orange
// window, the conversions and their settings of the blue one (leaving it is
// left to its keys and the rest, so that it is stayed in for a while), and
// the boxes and buttons of the column/row settings window.
const std::set<std::string> orangeCommands{
    "SpeedButton29", "SpeedButton30", "SpeedButton25", "Button21", "CheckBox35", "ComboBox1", "Edit14",
    "Edit15",        "Panel4",        "Button4",       "Button18", "Button7",    "Edit3"};
const std::set<std::string> blueCommands{
    "Button2",      "Button5",      "Button6",   "SpeedButton6", "Button9",      "Button3",
    "SpeedButton1", "SpeedButton2", "ComboBox1", "SpeedButton3", "SpeedButton7", "SpeedButton4",
    "SpeedButton8", "Edit1",        "Edit6",     "Edit11",       "Edit21",       "Edit26",
    "Edit31",       "Edit36",       "CheckBox1", "CheckBox5",    "Edit42",       "Edit43",
    "Edit4",        "Edit2",        "Edit22",    "Edit27"};
const std::set<std::string> settingsCommands{"Button1", "Button2", "Button4", "Button5", "Edit1", "Edit2",
                                             "Edit3",   "Edit4",   "Edit5",   "Edit6",   "Edit9", "Edit10"};
// What the user types into the settings boxes: columns, rows, lists of them and sizes.
constexpr auto typedWords =
    std::to_array<TextView>({U"A", U"B", U"C", U"D", U"H", U"1", U"2", U"10", U"60", U"A:C", U"1:20", U"1,3",
                             U"12.5", U"100", U"CV", U"0", U"AA"});

// What the user types: digits and letters of sequences, marks, and
// characters from the whole of Unicode, some of which CP932 cannot hold.
constexpr std::array<char32_t, 30> typedCharacters{
    U'0',  U'1',  U'2', U'9', U'-', U'A', U'B', U'Z', U'a', U'~',  U'/',  U'【', U'】', U'|',  U'｜',
    U'髙', U'𠮷', U'é', U'😀', U'ｱ', U' ', U'F', U'.', U'_', U'線', U'あ', U'ア', U'１', U'Ａ', U':'};

// Actions that may take lines out of the list: the delete, cut, paste, undo
// and cancel commands and their keys, and editing a cell's text.
// Switching to blue mode empties a 3BOX list before the blue window shows,
// and the blue window rebuilds the list from its result: a new conversion
// empties it, 追加取消 takes the added lines back.
const std::set<std::string> deletingChords{"Esc", "F12",  "Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+X",   "Ctrl+V",
                                           "Del", "BkSp", "F2",     "F3",           "Shift+F1", "F9"};
const std::set<std::string> deletingControls{"Button16", "Button17", "Button9", "SpeedButton33",
                                             "SpeedButton35", "SpeedButton37", "SpeedButton39", "Panel4",
                                             // The blue window's new conversion and 追加取消.
                                             "Button2", "Button5", "SpeedButton6"};
const std::set<std::string> deletingMenuItems{"Cut1", "Del1", "N25", "N26", "Paste1", "N7", "N10", "N20",
                                              // The blue window's CTK変換（新規）.
                                              "CTK2"};

// The beginnings of every message the program shows on the monkey's road.
// A window that gains messages adds them here.
constexpr auto knownMessages = std::to_array<TextView>({
    U"設定を閉じてください",
    U"選択されているセル位置に挿入しますか？",
    U"貼り付ける文字列が",
    U"グリッドに",
    U"グリッド内の文字列を",
    U"グリッド内に全角文字があります(この機能は使用できません)",
    U"ブルーモードの変換結果がグリッドに表示されます",
    U"CTK保存しますか？",
    U"マーキングしますか？",
    U"テーブル設定 [ ",
    U"個数列:[ ",
    U"テーブルファイル(lumitagr.sp3)がありませんので\r\nWindows フォントでの",
    U"次の文字はCTKファイルに保存できません(「?」に置き換わります)",
    U"次の文字は設定ファイル(lumitagr.ini)に保存できません(「?」に置き換わります)",
    U"CTKPCMS for Windowsを閉じてください",
    U"ファイルを読み込めませんでした\r\n",
    U"ファイルを保存できませんでした\r\n",
    U"インポート出来るのは1000行までになります",
    U"インポート出来るのは100行までになります",
    U"このファイルはWindowsフォント用で、段改行が\r\n設定されていますのでインポートできません。",
    U"マーキングデータが1000行になりました",
    U"エクセルが編集中です",
    U"行挿入すると1000行を超えます。",
    U"マーキングデータが１０００行入力されています",
    U"全角文字（漢字、ひらがな等）の入力はできません",
    U"送り補正の範囲を超えています（長さ設定を変更してください）",
    U"ブルーモードでは閉じることができません",
    U"ルミタグを終了しますか？",
    // The marks, presets and the A–Z store.
    U"グリッド内に全角文字（全角英数字、漢字、ひらがな等）がある時、”多段改行｜”は入力できません",
    U"グリッド内に全角文字（全角英数字、漢字、ひらがな等）がある時、”ナンバーリング【】”は入力できません",
    U"グリッド内に全角文字（漢字、ひらがな等）がある時、”ナンバーリング【】”は無効になります",
    U"線番１か線番２に全角文字（全角英数字、漢字、ひらがな等）がある時、",
    U"始値は数字・英大文字A～Fのみ入力できます",
    U"終値は数字・英大文字A～Fのみ入力できます",
    U"テキストボックスA～Zの",
    U"連番ボタンの作成にエラーがあります",
    U"選択範囲内に多段改行を挿入できる箇所がありません",
    // The edit tools; a finished one counts the places first ("3箇所：…").
    U"選択範囲内に置換対象文字(列)がありません",
    U"選択範囲内に削除対象文字(列)がありません",
    U"選択範囲内にキーワードがありません",
    U"選択範囲内に指定文字数目がありません",
    U"文字(列)の置換が終わりました",
    U"文字(列)の削除が終わりました",
    U"文字(列)の挿入が終わりました",
    U"多段改行の一括挿入が終わりました",
    // The spreadsheet link.
    U"万一に備えての保存をお勧めします",
    U"エクセルブック ( ",
    U"シート名:[",
    U"シート名を [ ",
    U"列指定は数字・英大文字のみ入力できます",
    U"エラーが発生しました。\r\n\r\nエクセルを閉じ、ルミタグを再起動してください。",
    // The blue window's conversions and marker files.
    U"エクセルファイルを開いてください",
    U"未入力箇所があります",
    U"入力が正しくありません",
    U"終わりました(マーキングデータ合計",
    U"マーキングデータが",
    U"マーキングファイルを書き込めませんでした\r\n",
    U"テーブルの送り補正値「",
    U"送り補正の数値「",
    // The blue window's settings.
    U"その行は非表示です",
    // The transfer into the sheet.
    U"挿入モードではありませんので転送先の\r\nデータが上書きされますよろしいですか？",
    U"エクセルシートの選択セルがCV列（100列）以上にあります",
});

std::string utf8(TextView text) {
    return platform::toUtf8(text);
}

// What a cell of the spreadsheet may hold: nothing, numbers as text, wire
// names, Japanese text, full-width Latin, the program's own marks, and texts
// far longer than a marker line.
Text randomCellText(std::mt19937_64& random) {
    const auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    static constexpr auto shortTexts = std::to_array<TextView>({
        U"",       U"",      U"1",     U"12",       U"999",      U"0.5",   U"-3",           U"1E5",
        U"A-12",   U"X1|X2", U"【1】", U"線番１２", U"ケーブル", U"髙橋",  U"ＡＢＣ１２３", U"ｱｲｳ",
        U"𠮷野家", U"😀",     U" ",     U"L1 ",      U"=SUM(A1)", U"TB1-3",
    });
    switch (below(10)) {
    case 0: { // very long: a few hundred to a few thousand characters
        Text text;
        for (int n = 100 + below(3000); n > 0; --n)
            text += typedCharacters[static_cast<std::size_t>(below(typedCharacters.size()))];
        return text;
    }
    case 1:
        return numberText(below(100000));
    default:
        return Text(shortTexts[static_cast<std::size_t>(below(shortTexts.size()))]);
    }
}

// Random cells over the filled part of every sheet, and some hidden rows.
void fillWorkbook(platform::FakeWorkbookContent& book, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    for (int index = 1; index <= book.sheetCount(); ++index) {
        platform::FakeSheetContent& sheet = book.sheet(index);
        for (int row = 1; row <= FilledRows; ++row) {
            for (int column = 1; column <= FilledColumns; ++column)
                sheet.setValue(platform::CellRef{row, column}, randomCellText(random));
            if (random() % 8 == 0)
                sheet.setRowHidden(row, true);
        }
    }
}

// A message's text on one line of the test's output.
std::string printable(TextView text) {
    std::string out;
    for (const char c : utf8(text)) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

void collectControls(ui::Control& control, std::vector<ui::Control*>& out, bool orange) {
    for (ui::Control* child : control.children()) {
        if (!child->showing() || !child->effectivelyEnabled())
            continue;
        if (!child->name().empty() && !(orange && closingControls.contains(child->name())))
            out.push_back(child);
        collectControls(*child, out, orange);
    }
}

// The visible, enabled items of a menu, and those of its sub-menus after
// their parent item.
void collectMenuPaths(const ui::PopupMenu& menu, std::vector<std::string> prefix,
                      std::vector<std::vector<std::string>>& out) {
    for (const ui::MenuItem* item : menu.items()) {
        if (!item->visible() || !item->enabled() || item->isSeparator())
            continue;
        std::vector<std::string> path = prefix;
        path.push_back(item->name());
        if (item->subMenu() != nullptr)
            collectMenuPaths(*item->subMenu(), path, out);
        else
            out.push_back(std::move(path));
    }
}

// Thrown from the spreadsheet's calls once a step has made too many: it is
// no std::exception, so that nothing in the program takes it for a failure
// of the spreadsheet.
struct TooManyCalls {};

ui::Control* findControl(ui::Control& control, const std::string& name) {
    if (control.name() == name)
        return &control;
    for (ui::Control* child : control.children()) {
        if (ui::Control* found = findControl(*child, name))
            return found;
    }
    return nullptr;
}

// Rows of the list that are lines (text in columns 1 to 3, the columns the
// next free row looks at): commands move lines and the empty rows between
// them, but only deleting ones make this smaller. A 3BOX row holding only a
// count or numbering value in columns 4 and 5 is no line, and re-laying an
// "empty" list for another box mode drops it.
int rowsWithText(const MarkingList& list) {
    const int last = std::min(list.grid().rowCount() - 1, MarkingList::LastRow);
    int count = 0;
    for (int row = 1; row <= last; ++row) {
        for (int col = 1; col <= 3; ++col) {
            if (!list.cell(col, row).empty()) {
                ++count;
                break;
            }
        }
    }
    return count;
}

// The row after the last row with content in columns 1 to 3: what the
// periodic refresh makes the next free row.
int nextFreeRowOfCells(const MarkingList& list) {
    const int last = std::min(list.grid().rowCount() - 1, MarkingList::LastRow);
    for (int row = last; row >= 1; --row) {
        for (int col = 1; col <= 3; ++col) {
            if (!list.cell(col, row).empty())
                return row + 1;
        }
    }
    return 1;
}

// `focused`: the control that had the focus before the event; Enter and
// Space (also a typed one) press a focused button.
bool mayDelete(const MonkeyEvent& event, const std::string& focused) {
    switch (event.kind) {
    case MonkeyEvent::Kind::Chord:
        return deletingChords.contains(event.chord) ||
               ((event.chord == "Enter" || event.chord == "Space") && deletingControls.contains(focused));
    case MonkeyEvent::Kind::Type:
        return event.text.find(U' ') != Text::npos && deletingControls.contains(focused);
    case MonkeyEvent::Kind::Click:
        return deletingControls.contains(event.control);
    case MonkeyEvent::Kind::MenuItem:
        return deletingMenuItems.contains(event.item);
    case MonkeyEvent::Kind::ControlMenu:
        return std::ranges::any_of(event.menu,
                                   [](const std::string& item) { return deletingMenuItems.contains(item); });
    default:
        return false;
    }
}

std::optional<std::string> checkMessage(const platform::MessageRequest& box) {
    if (box.text.empty())
        return "an empty message box";
    if (box.caption != U"ルミタグ" && !box.caption.empty())
        return "a message box captioned " + utf8(box.caption);
    if (box.text.find(platform::replacementCharacter) != Text::npos)
        return "a message with an unreadable character: " + printable(box.text);
    TextView text = box.text;
    if (const std::size_t digits = text.find_first_not_of(U"0123456789");
        digits > 0 && digits != TextView::npos && text.substr(digits).starts_with(U"箇所："))
        text.remove_prefix(digits + TextView(U"箇所：").size());
    for (TextView known : knownMessages) {
        if (text.starts_with(known))
            return std::nullopt;
    }
    // For extending the list when a window gains messages: print, don't fail.
    if (std::getenv("LUMITAG_MONKEY_PRINT_MESSAGES") != nullptr) {
        std::fprintf(stderr, "message: %s\n", utf8(box.text).c_str());
        return std::nullopt;
    }
    return "a message that is no text of the program: " + printable(box.text);
}

const char* hostActionName(Host action) {
    switch (action) {
    case Host::Start:
        return "start";
    case Host::Quit:
        return "quit";
    case Host::Show:
        return "show";
    case Host::Hide:
        return "hide";
    case Host::CreateWorkbook:
        return "create workbook";
    case Host::CloseWorkbook:
        return "close workbook";
    case Host::ActivateWorkbook:
        return "activate workbook";
    case Host::ActivateSheet:
        return "activate sheet";
    case Host::Select:
        return "select";
    case Host::Edit:
        return "edit";
    case Host::HideRow:
        return "hide row";
    case Host::ShowRow:
        return "show row";
    case Host::Busy:
        return "busy";
    case Host::NotBusy:
        return "not busy";
    case Host::FailNextCalls:
        return "fail next calls";
    case Host::FailOperation:
        return "fail";
    case Host::FailOperationAfter:
        return "fail later";
    case Host::ClearFailures:
        return "clear failures";
    case Host::ConnectStalls:
        return "connect stalls";
    case Host::ConnectAnswers:
        return "connect answers";
    }
    return "?";
}

} // namespace

std::string MonkeyEvent::describe() const {
    std::ostringstream out;
    switch (kind) {
    case Kind::Chord:
        out << "press " << chord;
        break;
    case Kind::Type:
        out << "type \"" << utf8(text.substr(0, 60)) << (text.size() > 60 ? "…" : "") << '"';
        if (!control.empty())
            out << " over " << control;
        break;
    case Kind::Click:
        out << "click " << control;
        break;
    case Kind::ClickCell:
        out << "click cell " << col << ',' << row;
        break;
    case Kind::DoubleClickCell:
        out << "double-click cell " << col << ',' << row;
        break;
    case Kind::RightClickCell:
        out << "right-click cell " << col << ',' << row;
        break;
    case Kind::MenuItem:
        out << "menu " << item << " on cell " << col << ',' << row;
        break;
    case Kind::Choose:
        out << "choose item " << index << " of " << control;
        break;
    case Kind::ControlMenu:
        out << "menu of " << control << ':';
        for (const std::string& name : menu)
            out << ' ' << name;
        break;
    case Kind::Host:
        out << "spreadsheet: " << hostActionName(host);
        if (!item.empty())
            out << ' ' << item;
        if (!text.empty())
            out << " \"" << utf8(text.substr(0, 40)) << (text.size() > 40 ? "…" : "") << '"';
        out << " (" << col << ',' << row << " #" << index << " n" << count << ')';
        break;
    case Kind::Advance:
        out << "wait " << milliseconds << " ms";
        break;
    }
    for (const Answer answer : answers)
        out << " [" << platform::answerName(answer) << ']';
    for (const std::optional<Text>& file : files)
        out << " [file " << (file ? utf8(*file) : std::string("cancelled")) << ']';
    return out.str();
}

MonkeyEvent Monkey::next(FakedProgram& program) {
    MonkeyEvent event;
    ui::Form* form = program.app.activeForm();
    ui::StringGrid& grid = program.orange().StringGrid1;
    const bool listShown = form == &program.orange() && grid.showing();
    const int pick = below(100);
    if (pick < 30) {
        event.kind = MonkeyEvent::Kind::Chord;
        event.chord = chance(25) ? commandChords[static_cast<std::size_t>(below(commandChords.size()))]
                                 : chords[static_cast<std::size_t>(below(static_cast<int>(chords.size())))];
        if (form == &program.orange() && chance(3))
            event.chord = "Shift+F1";
    } else if (pick < 44) {
        event.kind = MonkeyEvent::Kind::Type;
        if (chance(30)) {
            event.text = typedWords[static_cast<std::size_t>(below(typedWords.size()))];
        } else if (chance(4)) {
            event.text = randomCellText(random_); // now and then a whole cell's worth
        } else {
            for (int n = 1 + below(4); n > 0; --n)
                event.text += typedCharacters[static_cast<std::size_t>(below(typedCharacters.size()))];
        }
    } else if (pick < 52) {
        pickHostEvent(event);
        return event;
    } else if (pick < 74 || !listShown) {
        if (pick >= 92) {
            event.milliseconds = std::array{20, 100, 100, 300, 1600}[static_cast<std::size_t>(below(5))];
            return event;
        }
        pickControlEvent(program, event);
        if (event.kind == MonkeyEvent::Kind::Advance)
            return event;
    } else {
        event.col = below(grid.colCount());
        event.row = grid.topRow() + below(std::max(1, grid.visibleRowCount()));
        const int cellPick = below(100);
        if (cellPick < 50) {
            event.kind = MonkeyEvent::Kind::ClickCell;
        } else if (cellPick < 65) {
            event.kind = MonkeyEvent::Kind::DoubleClickCell;
        } else if (cellPick < 75) {
            event.kind = MonkeyEvent::Kind::RightClickCell;
        } else {
            event.kind = MonkeyEvent::Kind::MenuItem;
            const std::vector<ui::MenuItem*>& items = program.orange().PopupMenu1.items();
            event.item = items[static_cast<std::size_t>(below(static_cast<int>(items.size())))]->name();
        }
    }
    for (int n = below(3); n > 0; --n)
        event.answers.push_back(std::array{Answer::Yes, Answer::No, Answer::Cancel,
                                           Answer::Ok}[static_cast<std::size_t>(below(4))]);
    if (chance(30)) {
        const std::array<std::optional<Text>, 5> choices{MonkeyFile, MonkeyWorkbook, LongNamedWorkbook,
                                                         MissingWorkbook, std::nullopt};
        event.files.push_back(chance(40) ? choices[0] : choices[static_cast<std::size_t>(below(5))]);
    }
    return event;
}

// A click on a control of the active window, a choice in one of its combo
// boxes or radio groups, or an item of a menu one of its controls opens.
void Monkey::pickControlEvent(FakedProgram& program, MonkeyEvent& event) {
    ui::Form* form = program.app.activeForm();
    std::vector<ui::Control*> controls;
    if (form != nullptr)
        collectControls(*form, controls, form == &program.orange());
    if (controls.empty()) {
        event.milliseconds = 100;
        return;
    }
    const int pick = below(100);
    if (pick < 12) {
        std::vector<ui::Control*> choosers;
        for (ui::Control* control : controls) {
            if (dynamic_cast<ui::ComboBox*>(control) != nullptr ||
                dynamic_cast<ui::RadioGroup*>(control) != nullptr)
                choosers.push_back(control);
        }
        if (!choosers.empty()) {
            event.kind = MonkeyEvent::Kind::Choose;
            event.control =
                choosers[static_cast<std::size_t>(below(static_cast<int>(choosers.size())))]->name();
            event.index = below(8);
            return;
        }
    } else if (pick < 24) {
        std::vector<ui::Control*> owners;
        if (form->popupMenu() != nullptr && !form->name().empty())
            owners.push_back(form);
        for (ui::Control* control : controls) {
            if (control->popupMenu() != nullptr)
                owners.push_back(control);
        }
        if (!owners.empty()) {
            ui::Control* owner = owners[static_cast<std::size_t>(below(static_cast<int>(owners.size())))];
            std::vector<std::vector<std::string>> paths;
            collectMenuPaths(*owner->popupMenu(), {}, paths);
            if (!paths.empty()) {
                event.kind = MonkeyEvent::Kind::ControlMenu;
                event.control = owner->name();
                event.menu = paths[static_cast<std::size_t>(below(static_cast<int>(paths.size())))];
                return;
            }
        }
    }
    // The boxes the blue window's first setting cannot do without, typed
    // over with what they take, so that conversions run now and then.
    if (form == program.program.blueWindow() && pick < 60) {
        static constexpr auto boxes = std::to_array<std::pair<const char*, TextView>>({{"Edit1", U"A"},
                                                                                       {"Edit1", U"B"},
                                                                                       {"Edit21", U"1"},
                                                                                       {"Edit21", U"3"},
                                                                                       {"Edit26", U"60"},
                                                                                       {"Edit26", U"20"},
                                                                                       {"Edit31", U"1"},
                                                                                       {"Edit31", U"C"}});
        const auto& [box, text] = boxes[static_cast<std::size_t>(below(boxes.size()))];
        event.kind = MonkeyEvent::Kind::Type;
        event.control = box;
        event.text = text;
        return;
    }
    event.kind = MonkeyEvent::Kind::Click;
    const std::set<std::string>& commandControls = form == &program.orange()              ? orangeCommands
                                                   : form == program.program.blueWindow() ? blueCommands
                                                                                          : settingsCommands;
    std::vector<ui::Control*> commands;
    for (ui::Control* control : controls) {
        if (commandControls.contains(control->name()))
            commands.push_back(control);
    }
    const std::vector<ui::Control*>& from = !commands.empty() && chance(40) ? commands : controls;
    ui::Control* chosen = from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    event.control = chosen->name();
    // A box is often typed over as a whole: a column, a row, a list, a size.
    if (dynamic_cast<ui::Edit*>(chosen) != nullptr && chance(50)) {
        event.kind = MonkeyEvent::Kind::Type;
        event.text = chance(80) ? Text(typedWords[static_cast<std::size_t>(below(typedWords.size()))])
                                : randomCellText(random_);
    }
}

void Monkey::pickHostEvent(MonkeyEvent& event) {
    event.kind = MonkeyEvent::Kind::Host;
    // The user's side of the spreadsheet first, then its failures; a failure
    // switched on is switched off again soon, so that commands also run on a
    // spreadsheet that answers.
    static constexpr auto actions = std::to_array<Host>({
        Host::Start,
        Host::Start,
        Host::Quit,
        Host::Show,
        Host::Hide,
        Host::CreateWorkbook,
        Host::CloseWorkbook,
        Host::ActivateWorkbook,
        Host::ActivateSheet,
        Host::Select,
        Host::Select,
        Host::Edit,
        Host::Edit,
        Host::Edit,
        Host::HideRow,
        Host::ShowRow,
        Host::Busy,
        Host::NotBusy,
        Host::NotBusy,
        Host::FailNextCalls,
        Host::FailNextCalls,
        Host::FailOperation,
        Host::FailOperationAfter,
        Host::ClearFailures,
        Host::ClearFailures,
        Host::ClearFailures,
        Host::ConnectStalls,
        Host::ConnectAnswers,
        Host::ConnectAnswers,
    });
    event.host = actions[static_cast<std::size_t>(below(actions.size()))];
    event.col = 1 + below(chance(90) ? FilledColumns : 120);
    event.row = 1 + below(chance(90) ? FilledRows : 2000);
    event.index = below(4);
    event.count = 1 + below(chance(80) ? 3 : 40);
    switch (event.host) {
    case Host::CreateWorkbook:
        event.text =
            std::array<Text, 3>{U"Book7", U"手配表", U"ＢＯＯＫ"}[static_cast<std::size_t>(below(3))];
        event.count = below(1000000);
        break;
    case Host::Edit:
        event.text = randomCellText(random_);
        break;
    case Host::FailOperation:
    case Host::FailOperationAfter: {
        const std::span<const std::string_view> operations = platform::FakeSpreadsheetHost::operationNames();
        event.item =
            std::string(operations[static_cast<std::size_t>(below(static_cast<int>(operations.size())))]);
        break;
    }
    default:
        break;
    }
}

void prepareProgram(FakedProgram& program, WithTable table) {
    if (table == WithTable::Yes) {
        std::ifstream in(LUMITAG_TABLE_FILE_SEED, std::ios::binary);
        program.files.setFile("/opt/lumitag/lumitagr.sp3",
                              {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    }
    fillWorkbook(program.spreadsheet.addFile(MonkeyWorkbook, WorkbookSheets), 1);
    fillWorkbook(program.spreadsheet.addFile(LongNamedWorkbook, {U"配線", U"端子台"}), 2);
    if (table == WithTable::Yes) {
        program.spreadsheet.userStartsSpreadsheet();
        fillWorkbook(program.spreadsheet.userCreatesWorkbook(U"既存.xlsx", WorkbookSheets), 3);
    }
    program.dialogs.setUnscriptedMessage(platform::FakeDialogs::UnscriptedMessage::LastButton);
    program.start();
}

namespace {

// The spreadsheet's side of a Host event. What no longer fits (a workbook
// that is not open) is skipped.
void applyHostEvent(FakedProgram& program, const MonkeyEvent& event) {
    platform::FakeSpreadsheetHost& host = program.spreadsheet;
    const std::vector<Text> books = host.openWorkbookNames();
    const platform::CellRef cell{event.row, event.col};
    switch (event.host) {
    case Host::Start:
        if (!host.running())
            host.userStartsSpreadsheet();
        break;
    case Host::Quit:
        if (host.running())
            host.userQuitsSpreadsheet();
        break;
    case Host::Show:
    case Host::Hide:
        if (host.running())
            host.userSetsVisible(event.host == Host::Show);
        break;
    case Host::CreateWorkbook:
        if (host.running() && std::ranges::find(books, event.text) == books.end())
            fillWorkbook(host.userCreatesWorkbook(event.text, {U"Sheet1", U"データ"}),
                         static_cast<std::uint64_t>(event.count));
        break;
    case Host::CloseWorkbook:
        if (!books.empty())
            host.userClosesWorkbook(books[static_cast<std::size_t>(event.index) % books.size()]);
        break;
    case Host::ActivateWorkbook:
        if (!books.empty())
            host.userActivatesWorkbook(books[static_cast<std::size_t>(event.index) % books.size()]);
        break;
    case Host::ActivateSheet:
        if (!books.empty()) {
            const std::vector<Text> sheets = host.workbook(books.back()).sheetNames();
            host.userActivatesSheet(sheets[static_cast<std::size_t>(event.index) % sheets.size()]);
        }
        break;
    case Host::Select:
        if (!books.empty())
            host.userSelects(platform::cellAddress(cell));
        break;
    case Host::Edit:
        if (!books.empty())
            host.userEdits(platform::cellAddress(cell), event.text);
        break;
    case Host::HideRow:
    case Host::ShowRow:
        if (!books.empty())
            host.activeSheetContent().setRowHidden(event.row, event.host == Host::HideRow);
        break;
    case Host::Busy:
    case Host::NotBusy:
        host.setBusy(event.host == Host::Busy);
        break;
    case Host::FailNextCalls:
        host.failNextCalls(event.count);
        break;
    case Host::FailOperation:
        host.failOperation(event.item);
        break;
    case Host::FailOperationAfter:
        host.failOperationAfter(event.item, event.count);
        break;
    case Host::ClearFailures:
        host.clearFailures();
        break;
    case Host::ConnectStalls:
        program.connectWorker.setOnWait(sheet::ManualConnectWorker::OnWait::StaysPending);
        break;
    case Host::ConnectAnswers:
        program.connectWorker.setOnWait(sheet::ManualConnectWorker::OnWait::Completes);
        if (program.connectWorker.pending())
            program.connectWorker.complete();
        break;
    }
}

// Counts the spreadsheet calls of one step and cuts off a step that makes too many.
class CallBudget {
public:
    explicit CallBudget(platform::FakeSpreadsheetHost& host) : host_(host) {
        host_.clearCalls();
        host_.setOnCall([this](std::string_view operation) {
            if (++calls_ > MaxCallsPerStep)
                throw TooManyCalls{};
            if (operation == "Application.quit")
                workbooksAtQuit_ = std::max(workbooksAtQuit_, host_.openWorkbookNames().size());
        });
    }
    ~CallBudget() { host_.setOnCall(nullptr); }
    CallBudget(const CallBudget&) = delete;
    CallBudget& operator=(const CallBudget&) = delete;

    // The most workbooks open when the program asked the spreadsheet to quit.
    std::size_t workbooksAtQuit() const { return workbooksAtQuit_; }

private:
    platform::FakeSpreadsheetHost& host_;
    std::size_t calls_ = 0;
    std::size_t workbooksAtQuit_ = 0;
};

// Plays the action itself.
void act(FakedProgram& program, ui::testing::Driver& driver, const MonkeyEvent& event) {
    app::TForm2& orange = program.orange();
    ui::StringGrid& grid = orange.StringGrid1;
    const bool onList = program.app.activeForm() == &orange && grid.showing() && grid.effectivelyEnabled() &&
                        grid.cellRect(event.col, event.row).has_value() && !program.app.openMenu();
    ui::Form* form = program.app.activeForm();
    ui::Control* control =
        form != nullptr && !event.control.empty() ? findControl(*form, event.control) : nullptr;
    const bool reachable = control != nullptr && control->showing() && control->effectivelyEnabled();
    switch (event.kind) {
    case MonkeyEvent::Kind::Chord:
        driver.press(event.chord);
        break;
    case MonkeyEvent::Kind::Type:
        // Into the named box, its text selected, or wherever the focus is.
        if (auto* box = dynamic_cast<ui::Edit*>(control); box != nullptr && reachable) {
            driver.click(*box);
            if (program.app.focusedControl() == box && !program.app.modal())
                box->selectAll();
        } else if (!event.control.empty()) {
            break;
        }
        driver.type(event.text);
        break;
    case MonkeyEvent::Kind::Click:
        // A cut-down replay may bring the orange window's 閉じる back under a click.
        if (reachable && control != form && !(form == &orange && closingControls.contains(event.control)))
            driver.click(*control);
        break;
    case MonkeyEvent::Kind::ClickCell:
        if (onList)
            driver.click(grid, event.col, event.row);
        break;
    case MonkeyEvent::Kind::DoubleClickCell:
        if (onList)
            driver.doubleClick(grid, event.col, event.row);
        break;
    case MonkeyEvent::Kind::RightClickCell:
        if (onList)
            driver.rightClick(grid, event.col, event.row);
        break;
    case MonkeyEvent::Kind::MenuItem:
        if (onList) {
            driver.rightClick(grid, event.col, event.row);
            if (program.app.openMenu() && program.app.openMenu()->menu == &orange.PopupMenu1) {
                for (ui::MenuItem* item : orange.PopupMenu1.items()) {
                    if (item->name() == event.item && item->visible() && item->enabled())
                        driver.chooseMenuItem(*item);
                }
            }
        }
        break;
    case MonkeyEvent::Kind::Choose:
        if (!reachable)
            break;
        if (auto* combo = dynamic_cast<ui::ComboBox*>(control)) {
            if (!combo->droppedDown())
                driver.clickAt(*combo, {combo->width() - 8, combo->height() / 2});
            if (combo->droppedDown() && !combo->items().empty()) {
                combo->choose(event.index % static_cast<int>(combo->items().size()));
                program.app.idle();
            }
        } else if (auto* group = dynamic_cast<ui::RadioGroup*>(control)) {
            const int count = static_cast<int>(group->items().size());
            const ui::Rect item = count > 0 ? group->itemBounds(event.index % count) : ui::Rect{};
            if (item.width > 0 && item.height > 0)
                driver.clickAt(*group, {item.left + item.width / 2, item.top + item.height / 2});
        }
        break;
    case MonkeyEvent::Kind::ControlMenu:
        if (!reachable || program.app.openMenu())
            break;
        driver.rightClick(*control);
        for (const std::string& name : event.menu) {
            const std::optional<ui::OpenMenu>& open = program.app.openMenu();
            if (!open)
                break;
            ui::MenuItem* chosen = nullptr;
            for (ui::MenuItem* item : open->menu->items()) {
                if (item->name() == name && item->visible() && item->enabled())
                    chosen = item;
            }
            if (chosen == nullptr)
                break;
            driver.chooseMenuItem(*chosen);
        }
        break;
    case MonkeyEvent::Kind::Host:
        applyHostEvent(program, event);
        break;
    case MonkeyEvent::Kind::Advance:
        driver.advance(event.milliseconds);
        break;
    }
    if (event.kind == MonkeyEvent::Kind::MenuItem || event.kind == MonkeyEvent::Kind::ControlMenu) {
        if (program.app.openMenu())
            program.app.closeMenu();
    }
}

void count(MonkeyStats& stats, FakedProgram& program, const MonkeyEvent& event, bool attachedBefore) {
    const ui::Form* form = program.app.activeForm();
    ++stats.counts["window " + (form != nullptr ? form->name() : std::string("none"))];
    if (event.kind == MonkeyEvent::Kind::Host)
        ++stats.counts[std::string("spreadsheet ") + hostActionName(event.host)];
    if (event.kind == MonkeyEvent::Kind::ControlMenu)
        ++stats.counts["menu " + event.menu.back()];
    const bool attached = program.orange().spreadsheetLink().workbookAttached();
    if (attached != attachedBefore)
        ++stats.counts[attached ? "attached" : "detached"];
    for (const platform::FakeDialogs::Record& record : program.dialogs.transcript()) {
        if (record.kind == platform::FakeDialogs::RequestKind::Message)
            ++stats.counts["message " + printable(TextView(record.message.text).substr(0, 12))];
    }
    const std::size_t calls = program.spreadsheet.calls().size();
    stats.hostCalls += calls;
    stats.mostCallsInAStep = std::max(stats.mostCallsInAStep, calls);
}

} // namespace

std::optional<std::string> play(FakedProgram& program, const MonkeyEvent& event, MonkeyStats* stats) {
    // Random play scripts answers for boxes that may never come.
    ui::testing::Driver driver(program.app, program.dialogs, ui::testing::Driver::UnusedScript::Allowed);
    app::TForm2& orange = program.orange();
    MarkingList& list = orange.list();
    sheet::SpreadsheetLink& link = orange.spreadsheetLink();
    const int linesBefore = rowsWithText(list);
    const bool attachedBefore = link.workbookAttached();
    const std::size_t waitsBefore = program.connectWorker.waits().size();
    // Waits that run out: a connect is running and the office does not answer.
    int stalledWaits = 0;
    program.connectWorker.onWaitStarted = [&worker = program.connectWorker, &stalledWaits] {
        if (worker.pending() && worker.onWait() == sheet::ManualConnectWorker::OnWait::StaysPending)
            ++stalledWaits;
    };

    program.dialogs.clear();
    for (const Answer answer : event.answers)
        program.dialogs.queueAnswer(answer);
    for (const std::optional<Text>& file : event.files) {
        if (file)
            program.dialogs.queueFile(*file);
        else
            program.dialogs.queueFileCancel();
    }

    const std::string focusedBefore =
        program.app.focusedControl() != nullptr ? program.app.focusedControl()->name() : std::string();
    if (std::getenv("LUMITAG_MONKEY_TRACE") != nullptr)
        std::fprintf(stderr, "%s (focus %s, %d lines)\n", event.describe().c_str(), focusedBefore.c_str(),
                     linesBefore);
    std::size_t workbooksAtQuit = 0;
    {
        CallBudget budget(program.spreadsheet);
        try {
            act(program, driver, event);
        } catch (const TooManyCalls&) {
            program.connectWorker.onWaitStarted = nullptr;
            return "the step called the spreadsheet more than " + std::to_string(MaxCallsPerStep) +
                   " times: it would never end on a spreadsheet that does not answer";
        }
        workbooksAtQuit = budget.workbooksAtQuit();
    }
    program.connectWorker.onWaitStarted = nullptr;
    if (stats != nullptr)
        count(*stats, program, event, attachedBefore);

    for (const platform::FakeDialogs::Record& record : program.dialogs.transcript()) {
        if (record.kind != platform::FakeDialogs::RequestKind::Message)
            continue;
        if (std::optional<std::string> wrong = checkMessage(record.message))
            return wrong;
    }
    if (program.app.terminated())
        return "the program ended";

    // Every wait for the office is bounded, and a step that found the office
    // not answering does not wait for it again.
    const std::vector<std::chrono::milliseconds>& waits = program.connectWorker.waits();
    std::chrono::milliseconds waited{0};
    for (std::size_t i = waitsBefore; i < waits.size(); ++i) {
        if (waits[i] <= std::chrono::milliseconds{0} || waits[i] > sheet::SpreadsheetLink::ConnectWait)
            return "a wait for the spreadsheet of " + std::to_string(waits[i].count()) + " ms";
        waited += waits[i];
    }
    if (stalledWaits > 1)
        return "the step waited " + std::to_string(stalledWaits) +
               " times for a spreadsheet that does not answer (" + std::to_string(waited.count()) + " ms)";

    // The attached flag follows the spreadsheet: a workbook is attached only
    // when the spreadsheet has one open, and detaching the last one ends the
    // spreadsheet this program started or connected to.
    const bool attachedAfter = link.workbookAttached();
    const std::vector<Text> books = program.spreadsheet.openWorkbookNames();
    if (!attachedBefore && attachedAfter && books.empty())
        return "a workbook is attached, but the spreadsheet has none open";
    // A spreadsheet that answers nothing may be taken for one without
    // workbooks (the next command or the watcher attaches again), but not
    // without the host busy message while the link holds the spreadsheet.
    const bool toldBusy = std::ranges::any_of(program.dialogs.transcript(), [](const auto& record) {
        return record.kind == platform::FakeDialogs::RequestKind::Message &&
               record.message.text == sheet::HostBusyMessage;
    });
    if (attachedBefore && !attachedAfter && !books.empty() && !toldBusy && link.connected())
        return "the workbook was let go without a word while the spreadsheet still has " +
               std::to_string(books.size()) + " open";
    // The program ends the spreadsheet only when its last workbook is closed:
    // ending it with workbooks open closes the user's work.
    if (workbooksAtQuit > 0 && !program.spreadsheet.running())
        return "the program ended the spreadsheet with " + std::to_string(workbooksAtQuit) +
               " workbooks open";

    if (list.nextFreeRow() < 1 || list.nextFreeRow() > MarkingList::RowCount)
        return "next free row " + std::to_string(list.nextFreeRow()) + " is outside the list";
    const int cellsNextFree = nextFreeRowOfCells(list);
    if (event.kind == MonkeyEvent::Kind::Advance && event.milliseconds >= 100 && orange.visible() &&
        orange.Timer5.enabled() && list.nextFreeRow() != cellsNextFree)
        return "after the periodic refresh the next free row is " + std::to_string(list.nextFreeRow()) +
               " but the cells give " + std::to_string(cellsNextFree);
    const int linesAfter = rowsWithText(list);
    if (linesAfter < linesBefore && !mayDelete(event, focusedBefore))
        return "lines with text went from " + std::to_string(linesBefore) + " to " +
               std::to_string(linesAfter) + " without a command that deletes";
    return std::nullopt;
}

std::optional<MonkeyFailure> replay(const std::vector<MonkeyEvent>& events, WithTable table) {
    FakedProgram program;
    prepareProgram(program, table);
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (std::optional<std::string> what = play(program, events[i]))
            return MonkeyFailure{*what, std::vector<MonkeyEvent>(events.begin(), events.begin() + i + 1)};
    }
    return std::nullopt;
}

std::vector<MonkeyEvent> minimise(std::vector<MonkeyEvent> events, WithTable table, std::size_t replays) {
    // Leaves out chunks of events, halving the chunk size, while the rest
    // still fails, until the replays are used up.
    for (std::size_t chunk = std::max<std::size_t>(events.size() / 2, 1); chunk >= 1; chunk /= 2) {
        for (std::size_t start = 0; start < events.size();) {
            std::vector<MonkeyEvent> fewer = events;
            const std::size_t end = std::min(start + chunk, fewer.size() - 1); // keep the failing event
            if (end <= start)
                break;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(start),
                        fewer.begin() + static_cast<std::ptrdiff_t>(end));
            if (replays-- == 0)
                return events;
            if (std::optional<MonkeyFailure> failure = replay(fewer, table))
                events = failure->events;
            else
                start += chunk;
        }
        if (chunk == 1)
            break;
    }
    return events;
}

std::optional<MonkeyFailure> runMonkey(std::uint64_t seed, std::size_t count, WithTable table,
                                       MonkeyStats* stats) {
    FakedProgram program;
    prepareProgram(program, table);
    Monkey monkey(seed);
    std::vector<MonkeyEvent> events;
    events.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        events.push_back(monkey.next(program));
        if (std::optional<std::string> what = play(program, events.back(), stats))
            return MonkeyFailure{*what, events};
    }
    return std::nullopt;
}

} // namespace lumitag::hardening
