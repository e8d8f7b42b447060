#include "entry/EntryCheck.h"

#include <algorithm>

namespace lumitag::entry {

EntryCheck checkEntry(EntryTexts entry) {
    EntryCheck check;
    for (std::size_t i = 0; i < entry.sequences.size(); ++i) {
        SequenceGroup& group = entry.sequences[i];
        if (isComplete(group))
            continue;
        check.emptied[i] = !group.start.empty() || !group.middle.empty() || !group.end.empty();
        group.start.clear();
        group.middle.clear();
        group.end.clear();
    }
    check.entry = std::move(entry);

    const EntryTexts& texts = check.entry;
    if (!hasSomethingToEnter(texts)) {
        check.verdict = EntryVerdict::NothingToEnter;
        return check;
    }
    for (std::size_t i = 0; i < texts.sequences.size(); ++i) {
        const SequenceGroup& group = texts.sequences[i];
        if (!group.start.empty() && group.start == group.end) {
            check.verdict = EntryVerdict::StartEqualsEnd;
            check.stoppedSequence = i;
            return check;
        }
    }
    check.verdict = EntryVerdict::Expand;
    return check;
}

bool hasSomethingToEnter(const EntryTexts& entry) {
    return !entry.fixedText1.empty() || !entry.fixedText2.empty() ||
           std::any_of(entry.sequences.begin(), entry.sequences.end(), isComplete);
}

} // namespace lumitag::entry
