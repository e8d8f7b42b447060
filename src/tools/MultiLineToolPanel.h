#pragma once

#include "tools/MarkInsertion.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/SpeedButton.h"

namespace lumitag::marking {
class ListUndo;
class MarkingList;
} // namespace lumitag::marking

namespace lumitag::tools {

// The multi-line mark mode's panel (Panel6): puts the multi-line mark into the
// marking texts of the selected rows at a character position or next to a
// keyword, in every text that is long enough (InsertMarksInSelection). Its
// 取消 button, owned by the window with the list's undo, takes it back.
class MultiLineToolPanel {
public:
    // Its 取消 button SpeedButton33 lies on Panel6.
    MultiLineToolPanel(ui::Panel& panel6, ui::SpeedButton& cancel, marking::MarkingList& list,
                       marking::ListUndo& undo);
    MultiLineToolPanel(const MultiLineToolPanel&) = delete;
    MultiLineToolPanel& operator=(const MultiLineToolPanel&) = delete;

    // SpeedButton32; Enter in Edit40 or Edit41 holding text, Enter in Edit54.
    void InsertMarksInSelection();
    // What the boxes ask for, or nothing when a required box is empty.
    std::optional<MarkInsertion> request() const;

private:
    ui::Panel& Panel6;

public:
    ui::Label TitleLabel{Panel6, "TitleLabel", U"多段改行一括入力"};
    ui::Edit Edit39{Panel6, "Edit39"}; // minimum length
    ui::Label MinimumLengthLabel{Panel6, "MinimumLengthLabel", U"文字以上の行"};
    ui::RadioButton RadioButton7{Panel6, "RadioButton7", U"文字数で挿入"};
    ui::Edit Edit40{Panel6, "Edit40"}; // position
    ui::Label PositionLabel{Panel6, "PositionLabel", U"文字目"};
    ui::RadioButton RadioButton8{Panel6, "RadioButton8", U"キーワードで挿入"};
    ui::Edit Edit41{Panel6, "Edit41"}; // keyword
    ui::Edit Edit54{Panel6, "Edit54"}; // occurrence
    ui::Label OccurrenceLabel{Panel6, "OccurrenceLabel", U"番目"};
    ui::Panel SidePanel{Panel6, "SidePanel"}; // groups the side buttons apart from the mode buttons
    ui::RadioButton RadioButton5{SidePanel, "RadioButton5", U"前に挿入"};
    ui::RadioButton RadioButton6{SidePanel, "RadioButton6", U"後に挿入"};
    ui::SpeedButton SpeedButton32{Panel6, "SpeedButton32", U"OK"};

private:
    void layOut();
    void wire();
    void wireKeys();

    marking::MarkingList& list_;
    marking::ListUndo& undo_;
    ui::SpeedButton& SpeedButton33; // 取消, owned by the window
};

} // namespace lumitag::tools
