#include "conversion/ConversionSettingsFile.h"

#include "platform/Encoding.h"

#include <map>
#include <set>
#include <vector>

namespace lumitag::conversion {

namespace {

// A file beyond this is no file the window wrote: its boxes hold a few
// hundred characters in all.
constexpr std::size_t kMaxFileBytes = 1 << 20;

// One key of the file and the value it stands for in the settings.
struct Field {
    std::string key;
    Text* text = nullptr;
    bool* tick = nullptr;
    WorkMode* mode = nullptr;
};

// Every key in the order the file is written.
std::vector<Field> fieldsOf(SavedConversion& saved) {
    ConversionSettings& s = saved.settings;
    std::vector<Field> fields = {
        {.key = "sheet", .text = &saved.sheet},          {.key = "use-setting2", .tick = &s.useSetting2},
        {.key = "use-setting3", .tick = &s.useSetting3}, {.key = "eplan", .tick = &s.eplan},
        {.key = "head-remark", .text = &s.headRemark},
    };
    for (std::size_t index = 0; index < s.settings.size(); ++index) {
        ConversionSetting& setting = s.settings[index];
        const std::string p = "setting" + std::to_string(index + 1) + ".";
        fields.push_back({.key = p + "mode", .mode = &setting.workMode});
        for (std::size_t column = 0; column < setting.columns.size(); ++column) {
            fields.push_back(
                {.key = p + "column" + std::to_string(column + 1), .text = &setting.columns[column]});
        }
        fields.push_back({.key = p + "column3-remark", .tick = &setting.column3IsRemark});
        fields.push_back({.key = p + "column4-remark", .tick = &setting.column4IsRemark});
        fields.push_back({.key = p + "start-row", .text = &setting.startRow});
        fields.push_back({.key = p + "end-row", .text = &setting.endRow});
        fields.push_back({.key = p + "count", .text = &setting.count});
        fields.push_back({.key = p + "sequence-column", .text = &setting.sequenceColumn});
        fields.push_back({.key = p + "replace", .tick = &setting.replaces});
        for (int pair = 1; pair <= 2; ++pair) {
            Replacement& r = pair == 1 ? setting.first : setting.second;
            const std::string q = p + "replace" + std::to_string(pair) + ".";
            fields.push_back({.key = q + "target", .text = &r.target});
            fields.push_back({.key = q + "occurrence", .text = &r.occurrence});
            fields.push_back({.key = q + "with", .text = &r.text});
        }
    }
    return fields;
}

std::string escaped(TextView text) {
    std::string out;
    for (const char c : platform::toUtf8(text)) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size()) {
            return std::nullopt;
        }
        switch (value[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

ReadConversionSettings failure(SettingsFileProblem problem, int line, std::string key = {}) {
    ReadConversionSettings result;
    result.problem = problem;
    result.line = line;
    result.key = std::move(key);
    return result;
}

} // namespace

std::string writeConversionSettingsFile(const SavedConversion& saved) {
    SavedConversion copy = saved;
    std::string out = "# lumitag conversion settings: the blue window's last conversion\n";
    out += "version=" + std::to_string(kConversionSettingsFileVersion) + "\n";
    for (const Field& field : fieldsOf(copy)) {
        out += field.key + "=";
        if (field.text != nullptr) {
            out += escaped(*field.text);
        } else if (field.tick != nullptr) {
            out += *field.tick ? "1" : "0";
        } else {
            out += std::to_string(static_cast<int>(*field.mode));
        }
        out += '\n';
    }
    return out;
}

ReadConversionSettings readConversionSettingsFile(std::string_view bytes) {
    if (bytes.size() > kMaxFileBytes) {
        return failure(SettingsFileProblem::TooLarge, 0);
    }
    // Decoding replaces what is no UTF-8; a file that does not come back as
    // it was is not one this program wrote.
    if (platform::toUtf8(platform::fromUtf8(bytes)) != bytes) {
        return failure(SettingsFileProblem::NotUtf8, 0);
    }
    ReadConversionSettings result;
    result.saved.emplace();
    std::map<std::string, Field> fields;
    for (Field& field : fieldsOf(*result.saved)) {
        fields.emplace(field.key, field);
    }
    std::set<std::string> seen;
    bool versionRead = false;
    int lineNumber = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            return failure(SettingsFileProblem::NotKeyValue, lineNumber);
        }
        const std::string key(line.substr(0, equals));
        const std::string_view value = line.substr(equals + 1);
        if (!seen.insert(key).second) {
            return failure(SettingsFileProblem::DuplicateKey, lineNumber, key);
        }
        if (!versionRead) {
            if (key != "version") {
                return failure(SettingsFileProblem::NoVersion, lineNumber, key);
            }
            if (value != std::to_string(kConversionSettingsFileVersion)) {
                return failure(SettingsFileProblem::UnknownVersion, lineNumber, key);
            }
            versionRead = true;
            continue;
        }
        const auto found = fields.find(key);
        if (found == fields.end()) {
            continue;
        }
        const Field& field = found->second;
        if (field.text != nullptr) {
            const std::optional<std::string> text = unescaped(value);
            if (!text) {
                return failure(SettingsFileProblem::BadValue, lineNumber, key);
            }
            *field.text = platform::fromUtf8(*text);
        } else if (field.tick != nullptr) {
            if (value != "0" && value != "1") {
                return failure(SettingsFileProblem::BadValue, lineNumber, key);
            }
            *field.tick = value == "1";
        } else {
            if (value.size() != 1 || value[0] < '0' || value[0] > '3') {
                return failure(SettingsFileProblem::BadValue, lineNumber, key);
            }
            *field.mode = static_cast<WorkMode>(value[0] - '0');
        }
    }
    if (!versionRead) {
        return failure(SettingsFileProblem::NoVersion, 0);
    }
    return result;
}

} // namespace lumitag::conversion
