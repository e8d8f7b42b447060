#include "conversion/ReplaceInText.h"

#include "conversion/BoxNumbers.h"
#include "tools/TextEdits.h"

namespace lumitag::conversion {

Text ReplaceInText(TextView text, TextView target, TextView replacement, int n) {
    return tools::replaceOccurrence(text, target, replacement, n);
}

Text applyReplacements(TextView text, const ConversionSetting& setting) {
    const auto occurrence = [](const Replacement& pair) { return boxInteger(pair.occurrence).value_or(0); };
    Text result = ReplaceInText(text, setting.first.target, setting.first.text, occurrence(setting.first));
    if (!setting.second.target.empty() && !setting.second.text.empty()) {
        result =
            ReplaceInText(result, setting.second.target, setting.second.text, occurrence(setting.second));
    }
    return result;
}

} // namespace lumitag::conversion
