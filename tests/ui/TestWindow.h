#pragma once

#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeDialogs.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/MenuItem.h"
#include "ui/Panel.h"
#include "ui/PopupMenu.h"
#include "ui/RadioButton.h"
#include "ui/RadioGroup.h"
#include "ui/SpeedButton.h"
#include "ui/StringGrid.h"
#include "ui/Timer.h"
#include "ui/testing/Driver.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumitag::ui::test {

// A small window with one control of each kind, laid out without overlaps.
struct TestWindow : Form {
    explicit TestWindow(Application& app, std::string name = "TestWindow") : Form(app, std::move(name)) {
        setBounds({100, 100, 500, 400});
        Panel1.setBounds({0, 0, 500, 100});
        Edit1.setBounds({10, 10, 100, 20});
        Edit2.setBounds({120, 10, 100, 20});
        Edit3.setBounds({230, 10, 100, 20});
        Button1.setBounds({10, 40, 60, 25});
        SpeedButton1.setBounds({80, 40, 40, 25});
        CheckBox1.setBounds({130, 40, 80, 17});
        Label1.setBounds({220, 40, 50, 15});
        RadioButton1.setBounds({280, 40, 60, 17});
        RadioButton2.setBounds({350, 40, 60, 17});
        ComboBox1.setBounds({10, 70, 100, 20});
        RadioGroup1.setBounds({10, 110, 120, 80});
        RadioGroup1.setItems({U"1BOX", U"3BOX", U"TEXT"});
        Grid.setBounds({150, 110, 300, 210});
        Grid.setColCount(4);
        Grid.setRowCount(1001);
        Grid.setColWidth(0, 35);
        Grid.setColWidth(1, 150);
        Grid.setColWidth(2, 40);
        Grid.setColWidth(3, 60);
        Grid.setDefaultRowHeight(19);
    }

    Panel Panel1{*this, "Panel1"};
    Edit Edit1{Panel1, "Edit1"};
    Edit Edit2{Panel1, "Edit2"};
    Edit Edit3{Panel1, "Edit3"};
    Button Button1{Panel1, "Button1", U"&OK"};
    SpeedButton SpeedButton1{Panel1, "SpeedButton1", U"&A"};
    CheckBox CheckBox1{Panel1, "CheckBox1", U"固定"};
    Label Label1{Panel1, "Label1", U"連番１"};
    RadioButton RadioButton1{Panel1, "RadioButton1", U"1BOX"};
    RadioButton RadioButton2{Panel1, "RadioButton2", U"3BOX"};
    ComboBox ComboBox1{Panel1, "ComboBox1"};
    RadioGroup RadioGroup1{*this, "RadioGroup1"};
    StringGrid Grid{*this, "StringGrid1"};
    PopupMenu PopupMenu1{*this, "PopupMenu1"};
    MenuItem N1{PopupMenu1, "N1", U"取消", "Esc"};
    MenuItem N2{PopupMenu1, "N2", U"ブルーモード切替", "Shift+F1"};
    MenuItem N3{PopupMenu1, "N3", U"-"};
    MenuItem N4{PopupMenu1, "N4", U"元に戻す", "Ctrl+Z"};
    Timer Timer1{*this, "Timer1"};
};

// An application with one shown test window, fake dialogs and clipboard, and a driver.
class UiTest : public ::testing::Test {
protected:
    UiTest() {
        app.setClipboard(&clipboard);
        form.Timer1.stop();
        form.show();
    }

    platform::FakeDialogs dialogs;
    platform::FakeClipboard clipboard;
    Application app{dialogs};
    TestWindow form{app};
    testing::Driver driver{app, dialogs};
    std::vector<std::string> log;

    // A handler that records its name.
    std::function<void()> note(std::string name) {
        return [this, name] { log.push_back(name); };
    }
};

} // namespace lumitag::ui::test
