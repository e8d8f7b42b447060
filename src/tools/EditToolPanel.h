#pragma once

#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/RadioGroup.h"
#include "ui/SpeedButton.h"

namespace lumitag::marking {
class ListUndo;
class MarkingList;
} // namespace lumitag::marking

namespace lumitag::tools {

// The edit-mode tool panel (Panel8): replace, insert or delete a string in one
// column of the list over the selected rows. The work column is the
// selection's left column; each tool counts the lines it changed and can be
// taken back with its panel's 取消 button.
//
// The window owns Panel8 and the 取消 buttons (they belong to the list's undo);
// this class lays them out and owns the rest of the panel.
class EditToolPanel {
public:
    // The 取消 buttons of the replace, delete and insert tools lie on Panel8.
    EditToolPanel(ui::Panel& panel8, ui::SpeedButton& replaceCancel, ui::SpeedButton& deleteCancel,
                  ui::SpeedButton& insertCancel, marking::MarkingList& list, marking::ListUndo& undo);
    EditToolPanel(const EditToolPanel&) = delete;
    EditToolPanel& operator=(const EditToolPanel&) = delete;

    void ReplaceInSelection(); // SpeedButton38, Enter in Edit44
    void DeleteInSelection();  // SpeedButton34, Enter in Edit47 or Edit52
    void InsertInSelection();  // SpeedButton36, Enter in Edit45, Edit48, Edit50, Edit53
    void ChooseTool();         // RadioGroup1Click
    void ChooseInsertMode();   // RadioButton9Click, RadioButton14Click

private:
    ui::Panel& Panel8;

public:
    ui::RadioGroup RadioGroup1{Panel8, "RadioGroup1"};

    // Replace.
    ui::Panel Panel11{Panel8, "Panel11"};
    ui::Label ReplaceTargetLabel{Panel11, "ReplaceTargetLabel", U"置換前文字（列）"};
    ui::Edit Edit42{Panel11, "Edit42"};
    ui::Label ReplaceOccurrenceLabel1{Panel11, "ReplaceOccurrenceLabel1", U"対象文字（列）が"};
    ui::Label ReplaceOccurrenceLabel2{Panel11, "ReplaceOccurrenceLabel2", U"複数時"};
    ui::Edit Edit43{Panel11, "Edit43"};
    ui::Label ReplaceOccurrenceLabel3{Panel11, "ReplaceOccurrenceLabel3", U"番目"};
    ui::Label ReplacementLabel{Panel11, "ReplacementLabel", U"置換文字（列）"};
    ui::Edit Edit44{Panel11, "Edit44"};
    ui::SpeedButton SpeedButton38{Panel11, "SpeedButton38", U"OK"};

    // Insert.
    ui::Panel Panel10{Panel8, "Panel10"};
    ui::Label InsertionLabel{Panel10, "InsertionLabel", U"挿入文字（列）"};
    ui::Edit Edit45{Panel10, "Edit45"};
    ui::RadioButton RadioButton9{Panel10, "RadioButton9", U"文字数で挿入"};
    ui::RadioButton RadioButton14{Panel10, "RadioButton14", U"キーワードで挿入"};
    ui::Edit Edit50{Panel10, "Edit50"};
    ui::Label Label49{Panel10, "Label49", U"文字目"};
    ui::Edit Edit48{Panel10, "Edit48"};
    ui::Edit Edit53{Panel10, "Edit53"};
    ui::Label Label63{Panel10, "Label63", U"番目"};
    ui::Panel InsertSidePanel{Panel10,
                              "InsertSidePanel"}; // groups the side buttons apart from the mode buttons
    ui::RadioButton RadioButton13{InsertSidePanel, "RadioButton13", U"前に挿入"};
    ui::RadioButton RadioButton15{InsertSidePanel, "RadioButton15", U"後に挿入"};
    ui::SpeedButton SpeedButton36{Panel10, "SpeedButton36", U"OK"};

    // Delete.
    ui::Panel Panel9{Panel8, "Panel9"};
    ui::Label DeleteTargetLabel{Panel9, "DeleteTargetLabel", U"削除文字（列）"};
    ui::Edit Edit47{Panel9, "Edit47"};
    ui::Label DeleteOccurrenceLabel1{Panel9, "DeleteOccurrenceLabel1", U"対象文字（列）が"};
    ui::Label DeleteOccurrenceLabel2{Panel9, "DeleteOccurrenceLabel2", U"複数時"};
    ui::Edit Edit52{Panel9, "Edit52"};
    ui::Label DeleteOccurrenceLabel3{Panel9, "DeleteOccurrenceLabel3", U"番目"};
    ui::SpeedButton SpeedButton34{Panel9, "SpeedButton34", U"OK"};

private:
    void layOut();
    void wire();
    void wireKeys();
    // The string boxes accept what the work column holds.
    void filterStringBox(char32_t& character) const;
    // The rows and column a tool works on: the selection's left column, its rows.
    struct WorkRange {
        int col;
        int top;
        int bottom;
    };
    WorkRange workRange() const;
    bool anyCell(const std::function<bool(const Text&)>& test) const;
    int rewrite(const std::function<Text(const Text&)>& edit);

    marking::MarkingList& list_;
    marking::ListUndo& undo_;
    // The 取消 buttons of the replace, insert and delete panels; they lie on
    // Panel8 over their panel and show with it.
    ui::SpeedButton& SpeedButton39;
    ui::SpeedButton& SpeedButton37;
    ui::SpeedButton& SpeedButton35;
};

} // namespace lumitag::tools
