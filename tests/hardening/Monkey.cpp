#include "hardening/Monkey.h"

#include "marking/MarkingList.h"
#include "platform/Encoding.h"
#include "ui/StringGrid.h"
#include "ui/testing/Driver.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace lumitag::hardening {

namespace {

using marking::MarkingList;
using platform::Answer;

const Text MonkeyFile = U"/home/user/monkey.ctk";

// Keys the user may press anywhere. Closing the program (終了, Alt+F4) is left
// out: a run goes on until its last event.
constexpr std::array chords{
    "Enter",    "Esc",    "Tab",          "Up",     "Down",   "Left",   "Right",  "Home",     "End",
    "PgDn",     "PgUp",   "Del",          "BkSp",   "Ins",    "Space",  "F1",     "F2",       "F3",
    "F4",       "F5",     "F6",           "F7",     "F8",     "F9",     "F10",    "F11",      "F12",
    "Shift+F1", "Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V", "Ctrl+A", "Alt",      "Ctrl",
    "Alt+1",    "Alt+2",  "Alt+3",        "Alt+0",  "Alt+A",  "Alt+B",  "Alt+Z",  "Shift+Tab"};
const std::set<std::string> closingControls{"Button5"};

// What the user types: digits and letters of sequences, marks, and
// characters from the whole of Unicode, some of which CP932 cannot hold.
constexpr std::array<char32_t, 24> typedCharacters{U'0',  U'1', U'2', U'9',  U'-',  U'A', U'B',  U'Z',
                                                   U'a',  U'~', U'/', U'【', U'】', U'|', U'｜', U'髙',
                                                   U'𠮷', U'é', U'😀', U'ｱ',  U' ',  U'F', U'.',  U'_'};

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
const std::set<std::string> deletingMenuItems{"Cut1", "Del1", "N25", "N26", "Paste1", "N7", "N10", "N20"};

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

void collectControls(ui::Control& control, std::vector<ui::Control*>& out) {
    for (ui::Control* child : control.children()) {
        if (!child->showing() || !child->effectivelyEnabled())
            continue;
        if (!child->name().empty() && !closingControls.contains(child->name()))
            out.push_back(child);
        collectControls(*child, out);
    }
}

ui::Control* findControl(ui::Control& control, const std::string& name) {
    for (ui::Control* child : control.children()) {
        if (child->name() == name)
            return child;
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

bool mayDelete(const MonkeyEvent& event) {
    switch (event.kind) {
    case MonkeyEvent::Kind::Chord:
        return deletingChords.contains(event.chord);
    case MonkeyEvent::Kind::Click:
        return deletingControls.contains(event.control);
    case MonkeyEvent::Kind::MenuItem:
        return deletingMenuItems.contains(event.item);
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
        return "a message with an unreadable character: " + utf8(box.text);
    for (TextView known : knownMessages) {
        if (box.text.starts_with(known))
            return std::nullopt;
    }
    // For extending the list when a window gains messages: print, don't fail.
    if (std::getenv("LUMITAG_MONKEY_PRINT_MESSAGES") != nullptr) {
        std::fprintf(stderr, "message: %s\n", utf8(box.text).c_str());
        return std::nullopt;
    }
    return "a message that is no text of the program: " + utf8(box.text);
}

} // namespace

std::string MonkeyEvent::describe() const {
    std::ostringstream out;
    switch (kind) {
    case Kind::Chord:
        out << "press " << chord;
        break;
    case Kind::Type:
        out << "type \"" << utf8(text) << '"';
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
    if (pick < 35) {
        event.kind = MonkeyEvent::Kind::Chord;
        event.chord = chords[static_cast<std::size_t>(below(static_cast<int>(chords.size())))];
    } else if (pick < 50) {
        event.kind = MonkeyEvent::Kind::Type;
        for (int n = 1 + below(4); n > 0; --n)
            event.text += typedCharacters[static_cast<std::size_t>(below(typedCharacters.size()))];
    } else if (pick < 72 || !listShown) {
        std::vector<ui::Control*> controls;
        if (form != nullptr)
            collectControls(*form, controls);
        if (controls.empty() || pick >= 90) {
            event.milliseconds = std::array{20, 100, 100, 300, 1600}[static_cast<std::size_t>(below(5))];
            return event;
        }
        event.kind = MonkeyEvent::Kind::Click;
        event.control = controls[static_cast<std::size_t>(below(static_cast<int>(controls.size())))]->name();
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
    if (chance(30))
        event.files.push_back(chance(75) ? std::optional<Text>(MonkeyFile) : std::nullopt);
    return event;
}

void prepareProgram(FakedProgram& program, WithTable table) {
    if (table == WithTable::Yes) {
        std::ifstream in(LUMITAG_TABLE_FILE_SEED, std::ios::binary);
        program.files.setFile("/opt/lumitag/lumitagr.sp3",
                              {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    }
    program.dialogs.setUnscriptedMessage(platform::FakeDialogs::UnscriptedMessage::LastButton);
    program.start();
}

std::optional<std::string> play(FakedProgram& program, const MonkeyEvent& event) {
    // Random play scripts answers for boxes that may never come.
    ui::testing::Driver driver(program.app, program.dialogs, ui::testing::Driver::UnusedScript::Allowed);
    app::TForm2& orange = program.orange();
    MarkingList& list = orange.list();
    ui::StringGrid& grid = orange.StringGrid1;
    const int linesBefore = rowsWithText(list);

    program.dialogs.clear();
    for (const Answer answer : event.answers)
        program.dialogs.queueAnswer(answer);
    for (const std::optional<Text>& file : event.files) {
        if (file)
            program.dialogs.queueFile(*file);
        else
            program.dialogs.queueFileCancel();
    }

    const bool onList = program.app.activeForm() == &orange && grid.showing() && grid.effectivelyEnabled() &&
                        grid.cellRect(event.col, event.row).has_value() && !program.app.openMenu();
    switch (event.kind) {
    case MonkeyEvent::Kind::Chord:
        driver.press(event.chord);
        break;
    case MonkeyEvent::Kind::Type:
        driver.type(event.text);
        break;
    case MonkeyEvent::Kind::Click: {
        ui::Form* form = program.app.activeForm();
        ui::Control* control = form != nullptr ? findControl(*form, event.control) : nullptr;
        if (control != nullptr && control->showing() && control->effectivelyEnabled())
            driver.click(*control);
        break;
    }
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
            if (program.app.openMenu()) {
                for (ui::MenuItem* item : orange.PopupMenu1.items()) {
                    if (item->name() == event.item && item->visible() && item->enabled())
                        driver.chooseMenuItem(*item);
                }
                if (program.app.openMenu())
                    program.app.closeMenu();
            }
        }
        break;
    case MonkeyEvent::Kind::Advance:
        driver.advance(event.milliseconds);
        break;
    }

    for (const platform::FakeDialogs::Record& record : program.dialogs.transcript()) {
        if (record.kind != platform::FakeDialogs::RequestKind::Message)
            continue;
        if (std::optional<std::string> wrong = checkMessage(record.message))
            return wrong;
    }
    if (program.app.terminated())
        return "the program ended";
    if (list.nextFreeRow() < 1 || list.nextFreeRow() > MarkingList::RowCount)
        return "next free row " + std::to_string(list.nextFreeRow()) + " is outside the list";
    const int cellsNextFree = nextFreeRowOfCells(list);
    if (event.kind == MonkeyEvent::Kind::Advance && event.milliseconds >= 100 && orange.visible() &&
        orange.Timer5.enabled() && list.nextFreeRow() != cellsNextFree)
        return "after the periodic refresh the next free row is " + std::to_string(list.nextFreeRow()) +
               " but the cells give " + std::to_string(cellsNextFree);
    const int linesAfter = rowsWithText(list);
    if (linesAfter < linesBefore && !mayDelete(event))
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

std::optional<MonkeyFailure> runMonkey(std::uint64_t seed, std::size_t count, WithTable table) {
    FakedProgram program;
    prepareProgram(program, table);
    Monkey monkey(seed);
    std::vector<MonkeyEvent> events;
    events.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        events.push_back(monkey.next(program));
        if (std::optional<std::string> what = play(program, events.back()))
            return MonkeyFailure{*what, events};
    }
    return std::nullopt;
}

} // namespace lumitag::hardening
