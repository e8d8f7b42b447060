// The box-mode radio buttons: the list's columns and the entry panel's
// count boxes and labels follow the chosen mode.
#include "app/TForm2.h"
#include "marking/BoxMode.h"

namespace lumitag::app {

using marking::BoxMode;

void TForm2::RadioButtonBoxModeClick(BoxMode mode) {
    // The selector is shown only while the list is empty, but the periodic
    // refresh hides it up to 100 ms after lines arrive: a click in that gap
    // would re-lay a list that holds lines. Look at the cells themselves.
    list_.updateNextFreeRow();
    if (!list_.empty()) {
        boxModeButton(list_.boxMode()).setChecked(true);
        Panel14.hide();
        return;
    }
    ApplyBoxMode(mode);
}

ui::RadioButton& TForm2::boxModeButton(BoxMode mode) {
    switch (mode) {
    case BoxMode::ThreeBox:
        return RadioButton17;
    case BoxMode::Text:
        return RadioButton18;
    case BoxMode::OneBox:
        break;
    }
    return RadioButton16;
}

void TForm2::ApplyBoxMode(BoxMode mode) {
    list_.setBoxMode(mode, countLabels());

    // The count box: three digits, two per box in 3BOX, free text in TEXT.
    switch (mode) {
    case BoxMode::OneBox:
        Edit9.setSize(50, Edit9.height());
        Edit9.setMaxLength(3);
        Edit9.setImeMode(ui::ImeMode::Disabled);
        Edit9.clear();
        break;
    case BoxMode::ThreeBox:
        Edit9.setSize(25, Edit9.height());
        Edit9.setMaxLength(2);
        Edit9.setImeMode(ui::ImeMode::Disabled);
        Edit9.clear();
        break;
    case BoxMode::Text:
        Edit9.setSize(77, Edit9.height());
        Edit9.setMaxLength(0);
        Edit9.setImeMode(ui::ImeMode::DontCare);
        break;
    }
    const bool threeCounts = mode == BoxMode::ThreeBox;
    Edit46.setVisible(threeCounts);
    Edit49.setVisible(threeCounts);
    if (threeCounts) {
        Edit46.clear();
        Edit49.clear();
    }

    // The labels over the count boxes.
    Label56.setVisible(threeCounts);
    Label57.setVisible(threeCounts);
    if (threeCounts) {
        const marking::CountLabels labels = countLabels();
        ui::Label* countLabels[] = {&Label6, &Label56, &Label57};
        for (int i = 0; i < 3; ++i) {
            const Text& text = labels[static_cast<std::size_t>(i)];
            countLabels[i]->setCaption(text);
            countLabels[i]->setPosition(marking::countLabelLeft(i, static_cast<int>(text.size())),
                                        countLabels[i]->top());
        }
    } else {
        Label6.setCaption(mode == BoxMode::Text ? U"文字列" : U"個数");
        Label6.setPosition(mode == BoxMode::Text ? 485 : 479, Label6.top());
    }

    // Marks, numbering, blue mode and the table belong to marker data, not to TEXT.
    const bool markerData = mode != BoxMode::Text;
    SpeedButton22.setVisible(markerData);
    SpeedButton23.setVisible(markerData);
    SpeedButton24.setVisible(markerData);
    Edit16.setVisible(markerData);
    Panel4.setVisible(markerData);
    // Without a table file the table box stays hidden: other commands take
    // its visibility as the sign that a table file is present.
    ComboBox2.setVisible(markerData && tableFilePresent_);
    CheckBox1.setVisible(markerData && tableFilePresent_);
    if (!markerData)
        CheckBox39.setChecked(false);
    CheckBox39.setEnabled(markerData);

    FocusEntryField();
}

} // namespace lumitag::app
