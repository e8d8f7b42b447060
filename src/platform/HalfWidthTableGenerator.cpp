// Build-time tool: writes the half-width mapping table from the Unicode
// Character Database's UnicodeData.txt.
//
//     HalfWidthTableGenerator <UnicodeData.txt> <output .inc>
//
// A character is mapped to its narrow counterpart: a character with a <wide>
// compatibility decomposition maps to its decomposition (Ａ → A, U+3000 →
// space); the target of a <narrow> decomposition maps to the narrow character
// (ア → ｱ, 。 → ｡). A character whose canonical decomposition is a mapped
// kana followed by the combining voiced or semi-voiced sound mark maps to two
// characters (ガ → ｶﾞ, パ → ﾊﾟ). Every other character has no entry.
//
// The output is the body of an array initialiser, sorted by code point:
//     {0x3000, 0x0020, 0x0000},
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr char32_t CombiningVoicedMark = 0x3099;
constexpr char32_t CombiningSemiVoicedMark = 0x309A;

struct Target {
    char32_t first = 0;
    char32_t second = 0; // 0: a single character
};

std::vector<std::string> split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream stream(line);
    while (std::getline(stream, field, separator))
        fields.push_back(field);
    return fields;
}

std::vector<char32_t> codePoints(const std::string& text) {
    std::vector<char32_t> result;
    std::istringstream stream(text);
    std::string hex;
    while (stream >> hex)
        result.push_back(static_cast<char32_t>(std::stoul(hex, nullptr, 16)));
    return result;
}

// Adds an entry; a character mapped twice means the data is not what this tool expects.
bool add(std::map<char32_t, Target>& table, char32_t from, Target to) {
    const auto [it, inserted] = table.emplace(from, to);
    if (!inserted && (it->second.first != to.first || it->second.second != to.second)) {
        std::cerr << "HalfWidthTableGenerator: U+" << std::hex << static_cast<unsigned long>(from)
                  << " has two half-width forms\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: HalfWidthTableGenerator <UnicodeData.txt> <output>\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "HalfWidthTableGenerator: cannot read " << argv[1] << '\n';
        return 1;
    }

    std::map<char32_t, Target> table;
    std::vector<std::pair<char32_t, std::vector<char32_t>>> canonicalPairs;
    std::string line;
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = split(line, ';');
        if (fields.size() < 6 || fields[5].empty())
            continue;
        const char32_t code = static_cast<char32_t>(std::stoul(fields[0], nullptr, 16));
        const std::string& decomposition = fields[5];
        bool ok = true;
        if (decomposition.rfind("<wide> ", 0) == 0) {
            const std::vector<char32_t> target = codePoints(decomposition.substr(7));
            if (target.size() == 1)
                ok = add(table, code, {target[0], 0});
        } else if (decomposition.rfind("<narrow> ", 0) == 0) {
            const std::vector<char32_t> source = codePoints(decomposition.substr(9));
            if (source.size() == 1)
                ok = add(table, source[0], {code, 0});
        } else if (decomposition[0] != '<') {
            std::vector<char32_t> parts = codePoints(decomposition);
            if (parts.size() == 2 && (parts[1] == CombiningVoicedMark || parts[1] == CombiningSemiVoicedMark))
                canonicalPairs.emplace_back(code, std::move(parts));
        }
        if (!ok)
            return 1;
    }

    // Voiced and semi-voiced kana: both halves need a narrow form.
    for (const auto& [code, parts] : canonicalPairs) {
        const auto letter = table.find(parts[0]);
        const auto mark = table.find(parts[1]);
        if (letter == table.end() || mark == table.end() || letter->second.second != 0)
            continue;
        if (!add(table, code, {letter->second.first, mark->second.first}))
            return 1;
    }
    if (table.empty()) {
        std::cerr << "HalfWidthTableGenerator: no mapping found in " << argv[1] << '\n';
        return 1;
    }

    std::ofstream out(argv[2]);
    out << "// Generated from UnicodeData.txt by HalfWidthTableGenerator; do not edit.\n";
    char buffer[64];
    for (const auto& [from, to] : table) {
        std::snprintf(buffer, sizeof buffer, "{0x%04lX, 0x%04lX, 0x%04lX},\n",
                      static_cast<unsigned long>(from), static_cast<unsigned long>(to.first),
                      static_cast<unsigned long>(to.second));
        out << buffer;
    }
    out.close();
    if (!out) {
        std::cerr << "HalfWidthTableGenerator: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
