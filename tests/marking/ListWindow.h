#pragma once

#include "marking/MarkingList.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDialogs.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/MenuItem.h"
#include "ui/PopupMenu.h"
#include "ui/SpeedButton.h"
#include "ui/StringGrid.h"
#include "ui/Timer.h"
#include "ui/testing/Driver.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumitag::marking::test {

// The list's controls on a window of their own, at the orange window's bounds.
struct ListWindow : ui::Form {
    explicit ListWindow(ui::Application& app) : Form(app, "TForm2") {
        setBounds({800, 0, 554, 729});
        StringGrid1.setBounds({6, 365, 401, 324});
        SpeedButton51.setBounds({413, 629, 60, 25});
        SpeedButton51.hide();
        Button9.setBounds({494, 109, 45, 25});
        StringGrid1.setPopupMenu(&PopupMenu1);
    }

    ui::StringGrid StringGrid1{*this, "StringGrid1"};
    ui::SpeedButton SpeedButton51{*this, "SpeedButton51", U"半角変換"};
    ui::Button Button9{*this, "Button9", U"取消"};
    ui::Timer Timer1{*this, "Timer1"};
    ui::PopupMenu PopupMenu1{*this, "PopupMenu1"};
    ui::MenuItem N6{PopupMenu1, "N6", U"多段改行"};
    ui::MenuItem N9{PopupMenu1, "N9", U"ナンバーリング"};
    ui::MenuItem N25{PopupMenu1, "N25", U"元に戻す", "Ctrl+Z"};
    ui::MenuItem N26{PopupMenu1, "N26", U"やり直し", "Ctrl+Shift+Z"};
    ui::MenuItem Del1{PopupMenu1, "Del1", U"一行削除"};
    ui::MenuItem Ins1{PopupMenu1, "Ins1", U"一行挿入"};
    ui::MenuItem Cut1{PopupMenu1, "Cut1", U"切り取り(&X)"};
    ui::MenuItem Copy1{PopupMenu1, "Copy1", U"コピー(&C)"};

    MarkingList list{
        ListControls{StringGrid1, Timer1, SpeedButton51, Button9, N25, N26, N6, N9, Del1, Ins1, Cut1, Copy1},
        {}};
};

class ListTest : public ::testing::Test {
protected:
    ListTest() {
        app.setClipboard(&clipboard);
        window.N25.setEnabled(false);
        window.Del1.setEnabled(false);
        window.Ins1.setEnabled(false);
        window.show();
        list.setHooks({[this] { log.push_back("focus entry"); }, [this] { log.push_back("undo snapshot"); },
                       [this] { log.push_back("write snapshot"); },
                       [this] { log.push_back("select-all keys"); }});
        driver.idle();
    }

    // Fills rows first .. last with marking text "n-A" and count "1", as the entry does.
    void fillLines(int first, int last) {
        for (int row = first; row <= last; ++row) {
            const std::string number = std::to_string(row);
            list.setCell(1, row, Text(number.begin(), number.end()) + U"-A");
            list.setCell(2, row, U"1");
        }
        list.updateNextFreeRow();
    }
    void repaint() {
        grid.invalidate();
        driver.idle();
    }

    platform::FakeDialogs dialogs;
    platform::FakeClipboard clipboard;
    ui::Application app{dialogs};
    ListWindow window{app};
    MarkingList& list = window.list;
    ui::StringGrid& grid = window.StringGrid1;
    ui::testing::Driver driver{app, dialogs};
    std::vector<std::string> log;
};

} // namespace lumitag::marking::test
