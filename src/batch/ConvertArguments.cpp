#include "batch/ConvertArguments.h"

#include "app/ProgramFiles.h"
#include "conversion/BoxNumbers.h"
#include "conversion/ColumnAddress.h"
#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "platform/spreadsheet/CellAddress.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

namespace lumitag::batch {

namespace {

using conversion::ColumnBox;
using conversion::ConversionSetting;
using conversion::WorkMode;

// Raised inside the parser; becomes the usage error.
struct UsageError {
    std::string message;
};

[[noreturn]] void fail(std::string message) {
    throw UsageError{std::move(message)};
}

std::string utf8(TextView text) {
    return platform::toUtf8(text);
}

std::optional<WorkMode> workModeOf(const std::string& value) {
    static const std::map<std::string, WorkMode> names = {
        {"0", WorkMode::SingleColumn},
        {"single", WorkMode::SingleColumn},
        {"一列のみ連続", WorkMode::SingleColumn},
        {"1", WorkMode::ColumnsInTurn},
        {"columns", WorkMode::ColumnsInTurn},
        {"複数列を連続", WorkMode::ColumnsInTurn},
        {"2", WorkMode::ColumnsOnOneLine},
        {"one-line", WorkMode::ColumnsOnOneLine},
        {"複数列を一行", WorkMode::ColumnsOnOneLine},
        {"3", WorkMode::WireNumbers},
        {"wire", WorkMode::WireNumbers},
        {"線番・記銘板等", WorkMode::WireNumbers},
    };
    const auto found = names.find(value);
    return found != names.end() ? std::optional(found->second) : std::nullopt;
}

bool allDigits(TextView text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

// The options given for one setting, before they are checked against its mode.
struct SettingOptions {
    bool given = false;
    std::array<std::optional<Text>, 4> columns;
    std::array<std::optional<Text>, 2> remarks; // columns 3 and 4
    std::optional<Text> startRow;
    std::optional<Text> endRow;
    std::optional<Text> count;
    std::optional<Text> sequenceColumn;
    std::optional<Text> target1, with1, occurrence1, target2, with2, occurrence2;
};

class Parser {
public:
    Parser(const Say& say, const ConversionSettingsReader& read) : say_(say), read_(read) {}

    ConvertArguments parse(const std::vector<std::string>& arguments);

private:
    void option(const std::string& name, const std::function<std::string()>& value);
    SettingOptions& current() { return settings_[static_cast<std::size_t>(setting_)]; }
    void setOnce(std::optional<Text>& slot, const std::string& name, const std::string& value);
    void setColumns(const std::string& name, const std::string& value,
                    std::array<std::optional<Text>, 4>& into);
    void setRows(const std::string& value);
    ConversionSetting build(int index, WorkMode mode, const ConversionSetting* base);
    void checkColumn(const Text& text, ColumnBox box, const std::string& what) const;
    std::string settingName(int index) const;

    const Say& say_;
    const ConversionSettingsReader& read_;
    ConvertRequest request_;
    std::array<SettingOptions, 3> settings_;
    int setting_ = 0;
    std::optional<WorkMode> mode_;
    bool eplan_ = false;
    // --eplan, or EPLAN in the settings file.
    bool eplanOn_ = false;
    std::array<std::optional<Text>, 4> targetColumns_;
    std::optional<Text> headRemark_;
    bool help_ = false;
};

std::string Parser::settingName(int index) const {
    return say_("設定", "setting ") + std::to_string(index + 1);
}

void Parser::setOnce(std::optional<Text>& slot, const std::string& name, const std::string& value) {
    if (slot) {
        fail(say_("--" + name + " が二度指定されています", "--" + name + " is given twice"));
    }
    slot = platform::fromUtf8(value);
}

void Parser::setColumns(const std::string& name, const std::string& value,
                        std::array<std::optional<Text>, 4>& into) {
    std::size_t slot = 0;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = value.find(',', from);
        if (slot == into.size()) {
            fail(say_("--" + name + " は4列までです", "--" + name + " takes at most four columns"));
        }
        const std::string part =
            value.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (!part.empty()) {
            setOnce(into[slot], name, part);
        }
        ++slot;
        if (comma == std::string::npos) {
            break;
        }
        from = comma + 1;
    }
}

void Parser::setRows(const std::string& value) {
    const std::size_t dash = value.find('-');
    if (dash == std::string::npos) {
        fail(say_("--rows は 始め-終わり の形で指定します: " + value, "--rows takes FIRST-LAST: " + value));
    }
    setOnce(current().startRow, "rows", value.substr(0, dash));
    setOnce(current().endRow, "rows", value.substr(dash + 1));
}

void Parser::option(const std::string& name, const std::function<std::string()>& value) {
    static const std::array<std::string_view, 18> settingOptions = {
        "column1", "column2", "column3",    "column4",  "columns", "remark3",
        "remark4", "rows",    "start-row",  "end-row",  "count",   "sequence-column",
        "replace", "with",    "occurrence", "replace2", "with2",   "occurrence2"};
    SettingOptions& s = current();
    if (std::find(settingOptions.begin(), settingOptions.end(), name) != settingOptions.end()) {
        s.given = true;
    }
    if (name == "help") {
        help_ = true;
    } else if (name == "output") {
        if (request_.output) {
            fail(say_("--output が二度指定されています", "--output is given twice"));
        }
        request_.output = std::filesystem::path(value());
    } else if (name == "sheet") {
        setOnce(request_.sheet, name, value());
    } else if (name == "mode") {
        const std::string text = value();
        if (mode_) {
            fail(say_("--mode が二度指定されています", "--mode is given twice"));
        }
        mode_ = workModeOf(text);
        if (!mode_) {
            fail(say_("ワークモードがわかりません: " + text + " (single, columns, one-line, wire)",
                      "unknown work mode: " + text + " (single, columns, one-line, wire)"));
        }
    } else if (name == "setting") {
        const std::string text = value();
        if (text != "1" && text != "2" && text != "3") {
            fail(say_("--setting は 1, 2, 3 のいずれかです: " + text, "--setting takes 1, 2 or 3: " + text));
        }
        setting_ = text[0] - '1';
    } else if (name == "column1" || name == "column2" || name == "column3" || name == "column4") {
        setOnce(s.columns[static_cast<std::size_t>(name.back() - '1')], name, value());
    } else if (name == "columns") {
        setColumns(name, value(), s.columns);
    } else if (name == "remark3" || name == "remark4") {
        setOnce(s.remarks[name == "remark3" ? 0 : 1], name, value());
    } else if (name == "rows") {
        setRows(value());
    } else if (name == "start-row") {
        setOnce(s.startRow, name, value());
    } else if (name == "end-row") {
        setOnce(s.endRow, name, value());
    } else if (name == "count") {
        setOnce(s.count, name, value());
    } else if (name == "sequence-column") {
        setOnce(s.sequenceColumn, name, value());
    } else if (name == "replace") {
        setOnce(s.target1, name, value());
    } else if (name == "with") {
        setOnce(s.with1, name, value());
    } else if (name == "occurrence") {
        setOnce(s.occurrence1, name, value());
    } else if (name == "replace2") {
        setOnce(s.target2, name, value());
    } else if (name == "with2") {
        setOnce(s.with2, name, value());
    } else if (name == "occurrence2") {
        setOnce(s.occurrence2, name, value());
    } else if (name == "eplan") {
        eplan_ = true;
    } else if (name == "target-columns") {
        setColumns(name, value(), targetColumns_);
    } else if (name == "head-remark") {
        setOnce(headRemark_, name, value());
    } else if (name == "settings") {
        const std::filesystem::path file(value());
        if (platform::lowerCaseExtension(file) == ".cnv") {
            request_.settingsFile.reset();
            request_.conversionSettingsFile = file;
        } else {
            request_.settingsFile = file;
            request_.conversionSettingsFile =
                file.parent_path() / platform::pathFromText(app::ConversionSettingsFileName);
        }
    } else if (name == "table") {
        request_.tableFile = std::filesystem::path(value());
    } else if (name == "table-name") {
        setOnce(request_.tableName, name, value());
    } else if (name == "work-length") {
        setOnce(request_.workLength, name, value());
    } else if (name == "feed-correction") {
        setOnce(request_.feedCorrection, name, value());
    } else if (name == "terminal-block-length") {
        setOnce(request_.terminalBlockLength, name, value());
    } else if (name == "test-plate-length") {
        setOnce(request_.testPlateLength, name, value());
    } else if (name == "office") {
        request_.officeProgram = value();
    } else if (name == "no-split") {
        request_.noSplit = true;
    } else if (name == "allow-loss") {
        request_.allowLoss = true;
    } else if (name == "dry-run") {
        request_.dryRun = true;
    } else if (name == "quiet") {
        request_.quiet = true;
    } else {
        fail(say_("知らないオプションです: --" + name, "unknown option: --" + name));
    }
}

void Parser::checkColumn(const Text& text, ColumnBox box, const std::string& what) const {
    if (!conversion::isAcceptedColumnText(text, box)) {
        const std::string reach = box == ColumnBox::Column        ? "A-CV (1-100)"
                                  : box == ColumnBox::CountColumn ? "A-CW (1-101)"
                                                                  : "A-CX (1-102)";
        fail(say_(what + " は列 " + reach + " を英大文字か数字で指定します: " + utf8(text),
                  what + " must name a column " + reach +
                      " in capital letters or as a number: " + utf8(text)));
    }
}

// One setting from its options, on top of the settings file's setting where
// there is one (`base`): then only what is given is checked here, and what the
// file brings is left to the conversion's own rules, as the window leaves it.
ConversionSetting Parser::build(int index, WorkMode mode, const ConversionSetting* base) {
    const SettingOptions& o = settings_[static_cast<std::size_t>(index)];
    const std::string name = settingName(index);
    const auto optionName = [&](const std::string& option) { return name + " --" + option; };
    ConversionSetting setting = base != nullptr ? *base : ConversionSetting{};
    setting.workMode = mode;

    const bool oneLine = mode == WorkMode::ColumnsOnOneLine;
    const bool severalColumns = mode == WorkMode::ColumnsInTurn || oneLine;
    if (!o.columns[0] && base == nullptr) {
        fail(say_(name + " の列一番目 (--column1 か --columns) がありません",
                  name + ": the first column (--column1 or --columns) is missing"));
    }
    for (std::size_t c = 0; c < 4; ++c) {
        if (!o.columns[c]) {
            continue;
        }
        if (c > 0 && !severalColumns) {
            fail(say_(name + ": --column" + std::to_string(c + 1) + " はこのワークモードでは使えません",
                      name + ": --column" + std::to_string(c + 1) + " is not used in this work mode"));
        }
        checkColumn(*o.columns[c], ColumnBox::Column, optionName("column" + std::to_string(c + 1)));
        setting.columns[c] = *o.columns[c];
        // A column given is a column, whatever remark the file's box held.
        if (c == 2) {
            setting.column3IsRemark = false;
        } else if (c == 3) {
            setting.column4IsRemark = false;
        }
    }
    if (mode == WorkMode::ColumnsInTurn && !o.columns[1] && base == nullptr) {
        fail(say_(name + ": 複数列を連続 には列二番目 (--column2) が要ります",
                  name + ": the work mode columns needs a second column (--column2)"));
    }
    for (std::size_t r = 0; r < 2; ++r) {
        if (!o.remarks[r]) {
            continue;
        }
        const std::string option = r == 0 ? "remark3" : "remark4";
        if (!oneLine || eplanOn_) {
            fail(say_(name + ": --" + option + " は 複数列を一行 (EPLAN 以外) だけで使えます",
                      name + ": --" + option + " is used only in the work mode one-line, without EPLAN"));
        }
        if (o.columns[r + 2]) {
            fail(say_(name + ": --column" + std::to_string(r + 3) + " と --" + option + " は同時に使えません",
                      name + ": --column" + std::to_string(r + 3) + " and --" + option +
                          " exclude each other"));
        }
        if (r == 1) {
            // The column 4 box keeps its column rules with the remark tick.
            checkColumn(*o.remarks[r], ColumnBox::Column, optionName(option));
        }
        setting.columns[r + 2] = *o.remarks[r];
        (r == 0 ? setting.column3IsRemark : setting.column4IsRemark) = true;
    }

    // Rows: digits, not beginning with 0, the end not before the start.
    if ((!o.startRow || !o.endRow) && base == nullptr) {
        fail(say_(name + " の行 (--rows 始め-終わり) がありません",
                  name + ": the rows (--rows FIRST-LAST) are missing"));
    }
    for (const std::optional<Text>* given : {&o.startRow, &o.endRow}) {
        if (!*given) {
            continue;
        }
        const Text* row = &**given;
        if (!allDigits(*row) || row->front() == U'0' || *conversion::boxInteger(*row) > platform::kMaxRow) {
            fail(say_(name + ": 行は 1 から " + std::to_string(platform::kMaxRow) +
                          " までの数字です: " + utf8(*row),
                      name + ": a row is a number from 1 to " + std::to_string(platform::kMaxRow) + ": " +
                          utf8(*row)));
        }
    }
    setting.startRow = o.startRow.value_or(setting.startRow);
    setting.endRow = o.endRow.value_or(setting.endRow);
    const std::optional<int> firstRow = conversion::boxInteger(setting.startRow);
    const std::optional<int> lastRow = conversion::boxInteger(setting.endRow);
    if ((o.startRow || o.endRow) && firstRow && lastRow && *lastRow < *firstRow) {
        fail(say_(name + ": 行終わりが行始めより前です", name + ": the last row lies before the first"));
    }

    // The count, or the count column in 線番・記銘板等; EPLAN counts 1.
    if (eplanOn_ && index == 0) {
        if (o.count) {
            fail(say_("EPLAN の個数は 1 に決まっています (--count は使えません)",
                      "EPLAN always counts 1 (--count is not used)"));
        }
        if (base == nullptr) {
            setting.count = U"1";
        }
    } else if (!o.count) {
        // Without the option the file's count stays; without a file it is missing.
        if (base == nullptr) {
            fail(say_(name + (mode == WorkMode::WireNumbers ? " の個数列 (--count) がありません"
                                                            : " の個数 (--count) がありません"),
                      name + (mode == WorkMode::WireNumbers ? ": the count column (--count) is missing"
                                                            : ": the count (--count) is missing")));
        }
    } else if (mode == WorkMode::WireNumbers) {
        checkColumn(*o.count, ColumnBox::CountColumn, optionName("count"));
        setting.count = *o.count;
    } else {
        if (!allDigits(*o.count) || o.count->size() > 3 || o.count->front() == U'0') {
            fail(say_(name + ": 個数は 1 から 999 までです: " + utf8(*o.count),
                      name + ": the count is 1 to 999: " + utf8(*o.count)));
        }
        setting.count = *o.count;
    }
    if (o.sequenceColumn) {
        if (mode != WorkMode::WireNumbers) {
            fail(say_(name + ": --sequence-column は 線番・記銘板等 だけで使えます",
                      name + ": --sequence-column is used only in the work mode wire"));
        }
        checkColumn(*o.sequenceColumn, ColumnBox::SequenceColumn, optionName("sequence-column"));
        setting.sequenceColumn = *o.sequenceColumn;
    }

    // Replacement: a target and its replacement, both not empty.
    const auto pair = [&](const std::optional<Text>& target, const std::optional<Text>& with,
                          const std::optional<Text>& occurrence, const std::string& suffix) {
        conversion::Replacement replacement;
        if (!target && !with && !occurrence) {
            return std::optional<conversion::Replacement>();
        }
        if (!target || target->empty() || !with || with->empty()) {
            fail(say_(
                name + ": --replace" + suffix + " と --with" + suffix + " は空でない文字で一緒に指定します",
                name + ": --replace" + suffix + " and --with" + suffix + " go together, neither empty"));
        }
        if (occurrence && (occurrence->size() != 1 || (*occurrence)[0] < U'1' || (*occurrence)[0] > U'5')) {
            fail(say_(name + ": --occurrence" + suffix + " は 1 から 5 です",
                      name + ": --occurrence" + suffix + " is 1 to 5"));
        }
        replacement.target = *target;
        replacement.text = *with;
        replacement.occurrence = occurrence.value_or(Text());
        return std::optional(replacement);
    };
    const std::optional<conversion::Replacement> first = pair(o.target1, o.with1, o.occurrence1, "");
    const std::optional<conversion::Replacement> second = pair(o.target2, o.with2, o.occurrence2, "2");
    const bool fileReplaces = base != nullptr && base->replaces;
    if (second && !first && !fileReplaces) {
        fail(
            say_(name + ": --replace2 は --replace と一緒に使います", name + ": --replace2 needs --replace"));
    }
    if ((first || second) && eplanOn_) {
        fail(say_("EPLAN では置換できません", "EPLAN does not replace text"));
    }
    // --replace gives the whole replacement, both pairs; --replace2 alone
    // changes the second pair of the file's replacement.
    if (first) {
        setting.replaces = true;
        setting.first = *first;
        setting.second = second.value_or(conversion::Replacement{});
    } else if (second) {
        setting.second = *second;
    }
    return setting;
}

ConvertArguments Parser::parse(const std::vector<std::string>& arguments) {
    ConvertArguments result;
    try {
        std::vector<std::string> inputs;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::string& argument = arguments[i];
            if (argument == "-h") {
                help_ = true;
                continue;
            }
            if (argument == "-o") {
                if (i + 1 >= arguments.size()) {
                    fail(say_("-o の後にファイル名がありません", "-o needs a file name"));
                }
                option("output", [&] { return arguments[++i]; });
                continue;
            }
            if (!argument.starts_with("--") || argument == "--") {
                if (argument.starts_with("-") && argument != "-") {
                    fail(say_("知らないオプションです: " + argument, "unknown option: " + argument));
                }
                inputs.push_back(argument);
                continue;
            }
            const std::size_t equals = argument.find('=');
            const std::string name =
                argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            bool used = false;
            const std::function<std::string()> value = [&]() -> std::string {
                used = true;
                if (equals != std::string::npos) {
                    return argument.substr(equals + 1);
                }
                if (i + 1 >= arguments.size()) {
                    fail(say_("--" + name + " の値がありません", "--" + name + " needs a value"));
                }
                return arguments[++i];
            };
            option(name, value);
            if (!used && equals != std::string::npos) {
                fail(say_("--" + name + " は値をとりません", "--" + name + " takes no value"));
            }
        }
        if (help_) {
            result.kind = ConvertArguments::Kind::Help;
            return result;
        }
        if (inputs.size() != 1) {
            fail(inputs.empty() ? say_("入力ファイルがありません", "no input file given")
                                : say_("入力ファイルは一つだけです", "give one input file only"));
        }
        request_.input = inputs.front();

        // The window's conversion settings file, the start the options change.
        std::optional<conversion::SavedConversion> saved;
        if (request_.conversionSettingsFile && read_) {
            SettingsFromFile read = read_(*request_.conversionSettingsFile, !request_.settingsFile);
            if (!read.refusal.empty()) {
                result.kind = ConvertArguments::Kind::Refused;
                result.error = std::move(read.refusal);
                return result;
            }
            saved = std::move(read.saved);
        }
        const conversion::ConversionSettings* base = saved ? &saved->settings : nullptr;
        const auto baseOf = [&](int index) {
            return base != nullptr ? &base->settings[static_cast<std::size_t>(index)] : nullptr;
        };
        // --mode is the work mode of every setting; the file keeps each its own.
        const auto modeOf = [&](int index) {
            return mode_ ? *mode_ : base != nullptr ? baseOf(index)->workMode : WorkMode::WireNumbers;
        };
        if (saved && !request_.sheet && !saved->sheet.empty()) {
            request_.sheetOfSettingsFile = saved->sheet;
        }

        conversion::ConversionSettings& settings = request_.settings;
        if (base != nullptr) {
            settings = *base;
        }
        eplanOn_ = eplan_ || settings.eplan;
        if (eplanOn_) {
            if (modeOf(0) != WorkMode::ColumnsOnOneLine) {
                fail(say_("EPLAN は 複数列を一行 (--mode one-line) で使います",
                          "EPLAN needs the work mode one-line (--mode one-line)"));
            }
            if (settings_[1].given || settings_[2].given) {
                fail(say_("EPLAN では設定２・設定３は使えません (ターゲットは --target-columns)",
                          "EPLAN uses no setting 2 or 3 (the targets are --target-columns)"));
            }
            if (!targetColumns_[0] && !settings.eplan) {
                fail(say_("EPLAN のターゲット列 (--target-columns) がありません",
                          "EPLAN needs the target columns (--target-columns)"));
            }
            if (targetColumns_[0]) {
                for (std::size_t c = 0; c < 4; ++c) {
                    Text& target = settings.settings[1].columns[c];
                    target = targetColumns_[c].value_or(Text());
                    if (targetColumns_[c]) {
                        checkColumn(target, ColumnBox::Column, "--target-columns");
                    }
                }
            }
            if (base == nullptr || mode_) {
                settings.settings[1].workMode = modeOf(0);
            }
            settings.eplan = true;
            settings.headRemark = headRemark_.value_or(settings.headRemark);
        } else if (targetColumns_[0] || headRemark_) {
            fail(say_("--target-columns と --head-remark は --eplan と一緒に使います",
                      "--target-columns and --head-remark go with --eplan"));
        }
        const bool useSetting2 = settings_[1].given || (base != nullptr && base->useSetting2);
        if (settings_[2].given && !useSetting2) {
            fail(say_("設定３は設定２と一緒に使います", "setting 3 needs setting 2"));
        }
        for (int index = 0; index < 3; ++index) {
            conversion::ConversionSetting& setting = settings.settings[static_cast<std::size_t>(index)];
            if (index == 0 || settings_[static_cast<std::size_t>(index)].given) {
                setting = build(index, modeOf(index), baseOf(index));
            } else if (index == 1 && eplanOn_) {
                // Setting 2 holds the EPLAN target columns, set above.
            } else if (base != nullptr) {
                setting.workMode = modeOf(index);
            }
        }
        settings.useSetting2 = useSetting2;
        settings.useSetting3 = useSetting2 && (settings_[2].given || (base != nullptr && base->useSetting3));

        if (request_.feedCorrection && (request_.terminalBlockLength || request_.testPlateLength)) {
            fail(say_("--feed-correction と長さの指定は同時に使えません",
                      "--feed-correction and the measured lengths exclude each other"));
        }
        if (request_.terminalBlockLength.has_value() != request_.testPlateLength.has_value()) {
            fail(say_("--terminal-block-length と --test-plate-length は一緒に指定します",
                      "--terminal-block-length and --test-plate-length go together"));
        }
        if (request_.workLength) {
            const Text& length = *request_.workLength;
            const bool digitsAndPoint = std::all_of(length.begin(), length.end(),
                                                    [](char32_t c) { return isAsciiDigit(c) || c == U'.'; });
            if (length.empty() || length.size() > 5 || !digitsAndPoint) {
                fail(say_("ワーク長は数字と . で5文字までです: " + utf8(length),
                          "the work length is up to five digits and points: " + utf8(length)));
            }
        }
        result.request = std::move(request_);
    } catch (const UsageError& error) {
        result.kind = ConvertArguments::Kind::UsageError;
        result.error = error.message;
    }
    return result;
}

} // namespace

ConvertArguments parseConvertArguments(const std::vector<std::string>& arguments, const Say& say,
                                       const ConversionSettingsReader& readConversionSettings) {
    return Parser(say, readConversionSettings).parse(arguments);
}

} // namespace lumitag::batch
