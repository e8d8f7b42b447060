// What the blue window hands the conversion: the boxes of the three settings
// as typed, their work modes and which settings are used.
#include "app/TForm1.h"

namespace lumitag::app {

conversion::ConversionSettings TForm1::conversionSettings() {
    conversion::ConversionSettings result;
    for (int index = 1; index <= 3; ++index) {
        SettingControls s = setting(index);
        conversion::ConversionSetting& target = result.settings[static_cast<std::size_t>(index - 1)];
        target.workMode = static_cast<conversion::WorkMode>(s.workMode.itemIndex());
        for (std::size_t column = 0; column < target.columns.size(); ++column)
            target.columns[column] = s.boxes[column]->text();
        target.startRow = s.boxes[4]->text();
        target.endRow = s.boxes[5]->text();
        target.count = s.boxes[6]->text();
        target.sequenceColumn = s.boxes[7]->text();
        const std::array<ui::CheckBox*, 2> remarks = remarkTicks(index);
        target.column3IsRemark = remarks[0]->checked();
        target.column4IsRemark = remarks[1]->checked();
        const ReplacementControls r = replacement(index);
        target.replaces = r.tick.checked();
        target.first = {r.boxes[0]->text(), r.boxes[1]->text(), r.boxes[2]->text()};
        target.second = {r.boxes[3]->text(), r.boxes[4]->text(), r.boxes[5]->text()};
    }
    result.useSetting2 = CheckBox1.checked();
    result.useSetting3 = CheckBox1.checked() && CheckBox2.checked();
    result.eplan = CheckBox14.checked();
    result.headRemark = Edit40.text();
    return result;
}

} // namespace lumitag::app
