#include "entry/store/StoredEntry.h"

namespace lumitag::entry {

namespace {

// Takes the text before the next `bracket` and removes it with the bracket;
// without one the rest of the text is taken.
Text takeUntil(TextView& rest, char32_t bracket) {
    const std::size_t at = rest.find(bracket);
    const Text piece(rest.substr(0, at));
    rest = at == TextView::npos ? TextView{} : rest.substr(at + 1);
    return piece;
}

} // namespace

Text definitionOf(const SequenceGroup& group) {
    if (group.start.empty())
        return {};
    switch (group.mode) {
    case SequenceMode::Range:
        return group.start + U"-" + group.end;
    case SequenceMode::Pair:
        return group.start + U" " + group.end;
    case SequenceMode::ThreeValues:
        return group.start + U" " + group.middle + U" " + group.end;
    }
    return {};
}

StoredEntry storedEntryOf(const EntryTexts& texts) {
    StoredEntry entry;
    for (std::size_t i = 0; i < texts.sequences.size(); ++i)
        entry.definitions[i] = definitionOf(texts.sequences[i]);
    entry.wire1 = texts.fixedText1;
    entry.wire2 = texts.fixedText2;
    return entry;
}

bool isStorable(const StoredEntry& entry) {
    return (entry.wire1 + entry.wire2).find(U'[') == Text::npos;
}

bool isBlank(const EntryTexts& texts) {
    if (!texts.fixedText1.empty() || !texts.fixedText2.empty())
        return false;
    for (const SequenceGroup& group : texts.sequences)
        if (!group.start.empty())
            return false;
    return true;
}

Text formatStoredEntry(const StoredEntry& entry) {
    return U"[" + entry.definitions[0] + U"]" + entry.wire1 + U"[" + entry.definitions[1] + U"]" +
           entry.wire2 + U"[" + entry.definitions[2] + U"]";
}

StoredEntry splitStoredEntry(TextView text) {
    StoredEntry entry;
    // The leading character is the opening bracket of the first definition.
    TextView rest = text.empty() ? text : text.substr(1);
    entry.definitions[0] = takeUntil(rest, U']');
    entry.wire1 = takeUntil(rest, U'[');
    entry.definitions[1] = takeUntil(rest, U']');
    entry.wire2 = takeUntil(rest, U'[');
    entry.definitions[2] = takeUntil(rest, U']');
    return entry;
}

std::optional<SequenceGroup> groupFromDefinition(TextView definition) {
    const std::size_t blank = definition.find(U' ');
    if (blank != TextView::npos) {
        SequenceGroup group{SequenceMode::Pair, Text(definition.substr(0, blank)), {}, {}};
        const TextView rest = definition.substr(blank + 1);
        const std::size_t second = rest.find(U' ');
        if (second == TextView::npos) {
            group.end = Text(rest);
        } else {
            group.mode = SequenceMode::ThreeValues;
            group.middle = Text(rest.substr(0, second));
            group.end = Text(rest.substr(second + 1));
        }
        return group;
    }
    const std::size_t hyphen = definition.find(U'-');
    if (hyphen == TextView::npos)
        return std::nullopt;
    return SequenceGroup{
        SequenceMode::Range, Text(definition.substr(0, hyphen)), {}, Text(definition.substr(hyphen + 1))};
}

} // namespace lumitag::entry
