#include "entry/SequenceGroup.h"

#include <algorithm>

namespace lumitag::entry {

bool hasBothEnds(const SequenceGroup& group) {
    return !group.start.empty() && !group.end.empty();
}

bool isComplete(const SequenceGroup& group) {
    return hasBothEnds(group) && (group.mode != SequenceMode::ThreeValues || !group.middle.empty());
}

bool offersOrderChoice(const SequenceGroups& groups) {
    return std::count_if(groups.begin(), groups.end(), hasBothEnds) >= 2;
}

} // namespace lumitag::entry
