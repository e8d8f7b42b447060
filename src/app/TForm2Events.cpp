// The orange window's events that carry duties of more than one part. Each is
// wired here once, with its duties in the order the behaviour needs; an event
// handler set anywhere else as well would be refused at start-up. The
// spreadsheet's events serve both main windows and are wired with them, in
// Program.cpp.
#include "app/TForm2.h"

namespace lumitag::app {

void TForm2::wireSharedEvents() {
    // An entry field taking the focus ends edit and multi-line mark mode, then
    // takes the focus colour (the mode switch may recolour the fields first).
    // 線番１ ends a numbering; 線番２ may resume one.
    for (ui::Edit* field : {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8, &Edit9, &Edit11,
                            &Edit12, &Edit13, &Edit16, &Edit46, &Edit49}) {
        field->onEnter = [this, field] {
            modeSwitch_.EntryFieldEnter();
            entryPanel_.colourOnEnter(*field);
            if (field == &Edit3)
                numberingMarks_->Edit3Enter();
            else if (field == &Edit6)
                numberingMarks_->Edit6Enter();
        };
    }

    // 線番１ and 線番２: Enter inside a numbering being typed stays in the box;
    // every other key goes on to the entry panel's field keys. Leaving the box
    // gives Japanese input back before the panel colours it.
    for (ui::Edit* wire : {&Edit3, &Edit6}) {
        wire->onKeyDown = [this, wire](ui::KeyEvent& event) {
            numberingMarks_->WireBoxKeyDown(*wire, event);
            if (!event.consumed())
                entryPanel_.fieldKeyDown(*wire, event);
        };
        wire->onExit = [this, wire] {
            numberingMarks_->WireBoxExit(*wire);
            entryPanel_.colourOnExit(*wire);
        };
    }

    // The numbering end value: an end value equal to the start is refused and
    // keeps the focus, and then the box keeps its colour too.
    Edit16.onExit = [this] {
        if (numberingMarks_->refuseEqualEndValue())
            return;
        entryPanel_.colourOnExit(Edit16);
    };

    // The list: its own mouse and key rules, and the mark modes' clicks and
    // keys. The marks see a key first and may consume it; they see a press
    // after the list made the pressed cell current, and a character only when
    // the list did not drop it.
    StringGrid1.onMouseDown = [this](const ui::MouseEvent& event) {
        list_.StringGrid1MouseDown(event);
        listMarks_->StringGrid1MarkClick(event);
    };
    StringGrid1.onKeyDown = [this](ui::KeyEvent& event) {
        listMarks_->StringGrid1MarkKeyDown(event);
        if (!event.consumed())
            list_.StringGrid1KeyDown(event);
    };
    StringGrid1.onKeyPress = [this](char32_t& character) {
        list_.StringGrid1KeyPress(character);
        if (character != ui::chars::None)
            listMarks_->StringGrid1MarkKeyPress(character);
    };

    // The periodic refresh colours the A–Z store's pinned boxes, then brings
    // the list's line count and every command's state up to date.
    Timer5.onTimer = [this] {
        letterStore_->refreshColours();
        listCommands_.Timer5Timer();
    };
}

} // namespace lumitag::app
