#include "batch/ConvertCommand.h"

#include "app/ProgramFiles.h"
#include "app/SettingsLines.h"
#include "batch/BatchConversion.h"
#include "batch/ConvertArguments.h"
#include "batch/DelimitedSheet.h"
#include "batch/DelimitedText.h"
#include "conversion/BlueMarkerFile.h"
#include "conversion/BoxNumbers.h"
#include "markerfile/ConditionHeader.h"
#include "markerfile/DestinationRow.h"
#include "markerfile/FeedCorrection.h"
#include "markerfile/TableFile.h"
#include "platform/Encoding.h"
#include "platform/Paths.h"
#include "platform/spreadsheet/CellAddress.h"

#include <algorithm>
#include <chrono>
#include <unordered_map>

namespace lumitag::batch {

namespace {

using conversion::ResultLine;

constexpr std::size_t kLinesPerFile = conversion::kMaxResultLines;
// From this many rows on, the conversion reports its progress.
constexpr long long kRowsWorthProgress = 5000;
// At most this many cells are listed for characters CP932 cannot hold.
constexpr std::size_t kLossesListed = 50;

std::string utf8(TextView text) {
    return platform::toUtf8(text);
}

enum class InputKind { Csv, Tsv, Workbook, Unknown };

InputKind inputKindOf(const std::filesystem::path& path) {
    const std::string extension = platform::lowerCaseExtension(path);
    if (extension == ".csv") {
        return InputKind::Csv;
    }
    if (extension == ".tsv" || extension == ".tab") {
        return InputKind::Tsv;
    }
    if (extension == ".xlsx" || extension == ".xlsm" || extension == ".xls" || extension == ".ods") {
        return InputKind::Workbook;
    }
    return InputKind::Unknown;
}

// Characters of the output that CP932 cannot hold, judged once each.
class Cp932Losses {
public:
    bool lost(char32_t c) {
        if (c < 0x80) {
            return false;
        }
        const auto known = judged_.find(c);
        if (known != judged_.end()) {
            return known->second;
        }
        const bool changed = !platform::charactersChangedByCp932(Text(1, c)).empty();
        judged_.emplace(c, changed);
        return changed;
    }
    // The characters of the text that are lost, each once, in order.
    Text in(TextView text) {
        Text found;
        for (const char32_t c : text) {
            if (lost(c) && found.find(c) == Text::npos) {
                found.push_back(c);
            }
        }
        return found;
    }

private:
    std::unordered_map<char32_t, bool> judged_;
};

// One run of the command: the request, the outside, and what was found out.
class Command {
public:
    Command(const ConvertRequest& request, ConvertEnvironment& environment)
        : request_(request), env_(environment), say_(environment.say) {}

    int run();

private:
    int refuse(const std::string& message) {
        env_.err << "lumitag convert: " << message << '\n';
        return kExitRefused;
    }
    bool readFile(const std::filesystem::path& path, const std::string& what, std::string& bytes);
    bool prepareHeader();
    bool openSheet();
    std::filesystem::path outputPath() const;
    std::vector<std::filesystem::path> partPaths(std::size_t parts) const;
    bool checkLosses(const std::vector<conversion::BlueMarkerFile>& files, const BatchResult& result);
    int write(const std::vector<conversion::BlueMarkerFile>& files,
              const std::vector<std::size_t>& lineCounts);

    const ConvertRequest& request_;
    ConvertEnvironment& env_;
    const Say& say_;

    bool tablePresent_ = false;
    markerfile::ConditionHeader header_;
    std::unique_ptr<WorkbookOpener> opener_;
    std::shared_ptr<platform::Worksheet> sheet_;
    std::string refusal_;
};

bool Command::readFile(const std::filesystem::path& path, const std::string& what, std::string& bytes) {
    platform::Result<std::string> read = env_.files.readFile(path);
    if (!read) {
        refusal_ = platform::isMissingFile(read.error())
                       ? say_(what + "がありません: " + path.string(), what + " not found: " + path.string())
                       : say_(what + "を読めません: " + read.reason(),
                              "cannot read the " + what + ": " + read.reason());
        return false;
    }
    bytes = std::move(read).value();
    return true;
}

// The program folder's settings and table file, the selected table and the
// work length and feed correction, as the blue window fills its header.
bool Command::prepareHeader() {
    std::filesystem::path folder;
    std::vector<Text> settingsLines;
    if (request_.settingsFile) {
        std::string bytes;
        if (!readFile(*request_.settingsFile, say_("設定ファイル", "settings file"), bytes)) {
            return false;
        }
        settingsLines = platform::decodeTextFile(bytes).lines;
        folder = request_.settingsFile->parent_path();
    } else {
        // A conversion settings file stands for the folder it lies in.
        if (request_.conversionSettingsFile) {
            folder = request_.conversionSettingsFile->parent_path();
        } else if (env_.programDirectory != nullptr) {
            if (const platform::Result<std::filesystem::path> directory =
                    env_.programDirectory->directory()) {
                folder = directory.value();
            }
        }
        // The folder's settings are optional: a missing file holds nothing.
        const std::filesystem::path settings = folder / platform::pathFromText(app::SettingsFileName);
        if ((!folder.empty() || request_.conversionSettingsFile) && env_.files.fileExists(settings)) {
            std::string bytes;
            if (!readFile(settings, say_("設定ファイル", "settings file"), bytes)) {
                return false;
            }
            settingsLines = platform::decodeTextFile(bytes).lines;
        }
    }
    const Text destination = settingsLines.size() > static_cast<std::size_t>(app::settingsLine::Destination)
                                 ? settingsLines[app::settingsLine::Destination]
                                 : Text();

    std::filesystem::path tablePath;
    if (request_.tableFile) {
        tablePath = *request_.tableFile;
    } else if (!folder.empty() || request_.settingsFile || request_.conversionSettingsFile) {
        const std::filesystem::path beside = folder / std::string(markerfile::tableFileName);
        if (env_.files.fileExists(beside)) {
            tablePath = beside;
        }
    }
    const auto refuseWithoutTable = [&](const std::string& option) {
        refusal_ = say_(option + " にはテーブルファイルが要ります (--table か --settings)",
                        option + " needs a table file (--table or --settings)");
        return false;
    };
    if (tablePath.empty()) {
        if (request_.tableName) {
            return refuseWithoutTable("--table-name");
        }
        if (request_.workLength) {
            return refuseWithoutTable("--work-length");
        }
        if (request_.feedCorrection || request_.terminalBlockLength) {
            return refuseWithoutTable(request_.feedCorrection ? "--feed-correction"
                                                              : "--terminal-block-length");
        }
        return true;
    }
    std::string bytes;
    if (!readFile(tablePath, say_("テーブルファイル", "table file"), bytes)) {
        return false;
    }
    const markerfile::LoadedTableFile table = markerfile::LoadTableFile(bytes);
    if (table.tableLineCount == 0) {
        refusal_ = say_("テーブルファイルにテーブルがありません: " + tablePath.string(),
                        "the table file holds no table: " + tablePath.string());
        return false;
    }
    tablePresent_ = true;

    std::size_t row = 0;
    if (request_.tableName) {
        const Text& wanted = *request_.tableName;
        std::optional<std::size_t> found;
        for (std::size_t i = 0; i < table.tableLineCount && !found; ++i) {
            if (table.store.cell(i, markerfile::tableColumn::tableName) == wanted ||
                markerfile::tableBoxItemText(table.store, i) == wanted) {
                found = i;
            }
        }
        if (!found) {
            const std::optional<int> place = conversion::boxInteger(wanted);
            if (place && *place >= 1 && static_cast<std::size_t>(*place) <= table.tableLineCount &&
                isAsciiDigit(wanted.front())) {
                found = static_cast<std::size_t>(*place - 1);
            }
        }
        if (!found) {
            std::string names;
            for (const Text& item : markerfile::tableBoxItems(table)) {
                names += "\n  " + utf8(item);
            }
            refusal_ = say_("テーブルがありません: " + utf8(wanted) + "\nテーブル:" + names,
                            "no such table: " + utf8(wanted) + "\ntables:" + names);
            return false;
        }
        row = *found;
    }
    header_ = markerfile::RebuildFilledHeader(table.store, row, markerfile::destinationRow(destination, row));

    if (request_.workLength) {
        header_.setWorkLength(*request_.workLength);
    }
    if (request_.feedCorrection || request_.terminalBlockLength) {
        // The blue window offers the feed correction for work modes 2 and 3 only.
        if (!header_.offersFeedCorrection()) {
            refusal_ = say_("このテーブルのワークモードでは送り補正はできません (WorkMode=2 か 3 のみ)",
                            "the table's work mode offers no feed correction (WorkMode=2 or 3 only)");
            return false;
        }
        const markerfile::FeedCorrection correction =
            request_.feedCorrection
                ? markerfile::checkTypedFeedCorrection(*request_.feedCorrection)
                : markerfile::computeFeedCorrection(
                      *request_.terminalBlockLength, *request_.testPlateLength,
                      markerfile::trimBlanks(table.store.cell(row, markerfile::tableColumn::feedCorrection)));
        switch (correction.outcome) {
        case markerfile::FeedCorrectionOutcome::Accepted:
            header_.setHosei(correction.percentage);
            break;
        case markerfile::FeedCorrectionOutcome::OutOfRange:
            refusal_ =
                say_("送り補正は 80% から 120% までです", "the feed correction must lie from 80 % to 120 %");
            return false;
        case markerfile::FeedCorrectionOutcome::LengthsUnusable:
            refusal_ = say_("長さから送り補正を計算できません (等しい長さ、0、整数でない長さ)",
                            "no feed correction from these lengths (equal, zero or not whole numbers)");
            return false;
        case markerfile::FeedCorrectionOutcome::NotANumber:
            refusal_ = say_("送り補正が数値ではありません", "the feed correction is not a number");
            return false;
        }
    }
    return true;
}

bool Command::openSheet() {
    const InputKind kind = inputKindOf(request_.input);
    if (kind == InputKind::Unknown) {
        refusal_ =
            say_("表計算のファイルではありません (.csv .tsv .xlsx .xls .ods): " + request_.input.string(),
                 "not a spreadsheet file (.csv .tsv .xlsx .xls .ods): " + request_.input.string());
        return false;
    }
    // Read first, also for a workbook: a missing or unreadable file is told
    // as such before any office starts.
    std::string bytes;
    if (!readFile(request_.input, say_("入力ファイル", "input file"), bytes)) {
        return false;
    }
    if (kind == InputKind::Workbook) {
        bytes.clear();
        if (!env_.office) {
            refusal_ = say_("このプログラムはオフィスなしで作られたので .xlsx .xls .ods を読めません",
                            "this program was built without an office: it cannot read .xlsx, .xls or .ods");
            return false;
        }
        opener_ = env_.office(request_);
        const std::optional<Text> sheet = request_.sheet ? request_.sheet : request_.sheetOfSettingsFile;
        WorkbookOpener::Opened opened = opener_->open(request_.input, sheet);
        switch (opened.kind) {
        case WorkbookOpener::Opened::Kind::Sheet:
            sheet_ = std::move(opened.sheet);
            return true;
        case WorkbookOpener::Opened::Kind::NoSuchSheet:
            refusal_ = say_("シートがありません: " + utf8(sheet.value_or(Text())),
                            "no such sheet: " + utf8(sheet.value_or(Text())));
            if (!request_.sheet) {
                refusal_ += say_(" (変換設定ファイルのシートです。--sheet で指定できます)",
                                 " (the sheet of the conversion settings file; --sheet names another)");
            }
            return false;
        case WorkbookOpener::Opened::Kind::NotAWorkbook:
            refusal_ = say_("表計算のファイルとして開けません: " + request_.input.string() + " (" +
                                opened.reason + ")",
                            "not a spreadsheet the office can open: " + request_.input.string() + " (" +
                                opened.reason + ")");
            return false;
        case WorkbookOpener::Opened::Kind::OfficeFailed:
            refusal_ = say_("オフィスが起動しません: " + opened.reason,
                            "the office does not start: " + opened.reason);
            return false;
        }
        return false;
    }
    // A text file: a NUL byte means it is no text at all.
    if (bytes.find('\0') != std::string::npos && detectEncoding(bytes) != DelimitedEncoding::Utf16Le &&
        detectEncoding(bytes) != DelimitedEncoding::Utf16Be) {
        refusal_ = say_("テキストのファイルではありません: " + request_.input.string(),
                        "not a text file: " + request_.input.string());
        return false;
    }
    const Text name = platform::fromUtf8(request_.input.stem().string());
    if (request_.sheet && *request_.sheet != name) {
        refusal_ = say_("シートがありません: " + utf8(*request_.sheet) + " (テキストのファイルのシートは " +
                            utf8(name) + " だけです)",
                        "no such sheet: " + utf8(*request_.sheet) + " (a text file's only sheet is " +
                            utf8(name) + ")");
        return false;
    }
    DelimitedText text = parseDelimitedText(bytes, kind == InputKind::Tsv ? U'\t' : U',');
    sheet_ = std::make_shared<DelimitedSheet>(name, std::move(text.rows));
    return true;
}

std::filesystem::path Command::outputPath() const {
    if (request_.output) {
        return *request_.output;
    }
    std::filesystem::path path = request_.input;
    path.replace_extension(tablePresent_ ? ".cta" : ".ctk");
    return path;
}

// job.cta → job-1.cta, job-2.cta, …
std::vector<std::filesystem::path> Command::partPaths(std::size_t parts) const {
    const std::filesystem::path whole = outputPath();
    if (parts <= 1) {
        return {whole};
    }
    std::vector<std::filesystem::path> paths;
    for (std::size_t part = 1; part <= parts; ++part) {
        std::filesystem::path path = whole;
        path.replace_filename(whole.stem().string() + "-" + std::to_string(part) +
                              whole.extension().string());
        paths.push_back(std::move(path));
    }
    return paths;
}

bool Command::checkLosses(const std::vector<conversion::BlueMarkerFile>& files, const BatchResult& result) {
    Cp932Losses losses;
    Text lost;
    for (const conversion::BlueMarkerFile& file : files) {
        for (const Text& line : file.lines) {
            for (const char32_t c : losses.in(line)) {
                if (lost.find(c) == Text::npos) {
                    lost.push_back(c);
                }
            }
        }
    }
    if (lost.empty()) {
        return true;
    }
    // Where they came from: the cells read, by row and column.
    std::vector<std::string> listed;
    Text fromCells;
    std::size_t cells = 0;
    for (const ReadCell& cell : result.nonAsciiCells) {
        Text here;
        for (const char32_t c : cell.text) {
            if (lost.find(c) != Text::npos && here.find(c) == Text::npos) {
                here.push_back(c);
            }
        }
        if (here.empty()) {
            continue;
        }
        for (const char32_t c : here) {
            if (fromCells.find(c) == Text::npos) {
                fromCells.push_back(c);
            }
        }
        if (++cells <= kLossesListed) {
            const Text address = platform::cellAddress({cell.row, cell.column});
            listed.push_back(
                say_("  " + std::to_string(cell.row) + " 行 " + utf8(address) + ": " + utf8(here),
                     "  row " + std::to_string(cell.row) + " cell " + utf8(address) + ": " + utf8(here)));
        }
    }
    Text fromOptions;
    for (const char32_t c : lost) {
        if (fromCells.find(c) == Text::npos) {
            fromOptions.push_back(c);
        }
    }
    std::ostream& err = env_.err;
    err << "lumitag convert: "
        << say_("CTKファイル (CP932) に書けない文字があります (\"?\" になります):",
                "characters the marker data file (CP932) cannot hold (they become \"?\"):")
        << '\n';
    for (const std::string& line : listed) {
        err << line << '\n';
    }
    if (cells > kLossesListed) {
        err << say_("  … ほか " + std::to_string(cells - kLossesListed) + " セル",
                    "  … and " + std::to_string(cells - kLossesListed) + " more cells")
            << '\n';
    }
    if (!fromOptions.empty()) {
        err << say_("  オプションの文字: ", "  in the options' texts: ") << utf8(fromOptions) << '\n';
    }
    if (request_.allowLoss) {
        err << say_("  --allow-loss: このまま書きます", "  --allow-loss: written all the same") << '\n';
        return true;
    }
    err << say_("  書くには --allow-loss を付けてください", "  add --allow-loss to write them all the same")
        << '\n';
    return false;
}

int Command::write(const std::vector<conversion::BlueMarkerFile>& files,
                   const std::vector<std::size_t>& lineCounts) {
    const std::vector<std::filesystem::path> paths = partPaths(files.size());
    std::error_code ignored;
    const std::filesystem::path input = std::filesystem::weakly_canonical(request_.input, ignored);
    for (const std::filesystem::path& path : paths) {
        if (std::filesystem::weakly_canonical(path, ignored) == input) {
            return refuse(say_("出力が入力ファイルと同じです: " + path.string(),
                               "the output would replace the input file: " + path.string()));
        }
    }
    // Every file is written as one step; when one fails, those written
    // before it in this run go again, so that no part of a set is left.
    for (std::size_t i = 0; i < files.size(); ++i) {
        const platform::Status status = conversion::writeBlueMarkerFile(env_.files, paths[i], files[i]);
        if (!status) {
            for (std::size_t j = 0; j < i; ++j) {
                (void)env_.files.removeFile(paths[j]);
            }
            return refuse(say_("書けません: " + status.reason(), "cannot write: " + status.reason()));
        }
    }
    if (files.size() > 1) {
        std::size_t total = 0;
        for (const std::size_t count : lineCounts) {
            total += count;
        }
        env_.err << "lumitag convert: "
                 << say_(std::to_string(total) + " 行は 1000 行を超えるので " + std::to_string(files.size()) +
                             " ファイルに分けました:",
                         std::to_string(total) + " lines are more than 1000: split into " +
                             std::to_string(files.size()) + " files:")
                 << '\n';
        for (std::size_t i = 0; i < files.size(); ++i) {
            env_.err << "  " << paths[i].string()
                     << say_(" (" + std::to_string(lineCounts[i]) + " 行)",
                             " (" + std::to_string(lineCounts[i]) + " lines)")
                     << '\n';
        }
    } else if (!request_.quiet) {
        env_.err << "lumitag convert: " << paths[0].string()
                 << say_(" (" + std::to_string(lineCounts[0]) + " 行)",
                         " (" + std::to_string(lineCounts[0]) + " lines)")
                 << '\n';
    }
    return kExitWritten;
}

int Command::run() {
    if (!prepareHeader() || !openSheet()) {
        return refuse(refusal_);
    }
    conversion::ConversionSettings settings = request_.settings;
    settings.headerWorkMode =
        tablePresent_ ? header_.entry(markerfile::headerEntry::tableFontWorkMode) : Text();

    BatchProgress progress;
    if (!request_.quiet) {
        long long reported = 0;
        progress = [this, reported](long long done, long long total) mutable {
            if (total < kRowsWorthProgress) {
                return;
            }
            // About every tenth of the rows, and at the end.
            if (done == total || done - reported >= total / 10) {
                reported = done;
                env_.err << say_("変換中: " + std::to_string(done) + " / " + std::to_string(total) + " 行",
                                 "converting: " + std::to_string(done) + " / " + std::to_string(total) +
                                     " rows")
                         << '\n';
            }
        };
    }
    const BatchResult result = ConvertWithoutLimit(sheet_, settings, progress);
    switch (result.outcome) {
    case BatchOutcome::Converted:
        break;
    case BatchOutcome::MissingInput:
        return refuse(say_("未入力箇所があります", "a setting the conversion needs is empty"));
    case BatchOutcome::InvalidInput:
        return refuse(say_("入力が正しくありません", "a row, count or occurrence is not a valid number"));
    case BatchOutcome::ColumnPast100:
        return refuse(say_("列は CV (100) までです", "columns end at CV (100)"));
    case BatchOutcome::SheetFailed:
        return refuse(say_("シートを読めませんでした: ", "the sheet could not be read: ") + result.failure);
    }
    if (result.lines.empty() || result.filledCellsRead == 0) {
        return refuse(say_("指定の範囲は空です (読んだセルに文字がありません)",
                           "the range is empty: no cell it reads holds any text"));
    }
    if (result.lines.size() > kLinesPerFile && request_.noSplit) {
        return refuse(say_(
            std::to_string(result.lines.size()) + " 行になりました: 1ファイルは 1000 行までです (--no-split)",
            std::to_string(result.lines.size()) + " lines: one file holds at most 1000 (--no-split)"));
    }

    // The file as the blue window's save writes it, per thousand lines.
    const conversion::BlueMarkerOptions options{
        result.fullWidth ? markerfile::FullWidth::Yes : markerfile::FullWidth::No,
        tablePresent_ ? markerfile::TableFile::Present : markerfile::TableFile::Missing};
    std::vector<conversion::BlueMarkerFile> files;
    std::vector<std::size_t> lineCounts;
    for (std::size_t first = 0; first < result.lines.size(); first += kLinesPerFile) {
        const std::size_t last = std::min(result.lines.size(), first + kLinesPerFile);
        const std::vector<ResultLine> part(result.lines.begin() + static_cast<std::ptrdiff_t>(first),
                                           result.lines.begin() + static_cast<std::ptrdiff_t>(last));
        conversion::BuiltBlueMarkerFile built = conversion::BuildBlueSaveFile(header_, part, options);
        if (!built.ok()) {
            return refuse(
                say_("テーブルファイル(lumitagr.sp3)がありませんので Windows フォントでの保存はできません "
                     "(全角文字があります)",
                     "full-width text needs the Windows-font file, which needs a table file "
                     "(lumitagr.sp3)"));
        }
        files.push_back(std::move(built.file));
        lineCounts.push_back(part.size());
    }
    if (!checkLosses(files, result)) {
        return kExitRefused;
    }

    if (request_.dryRun) {
        for (const ResultLine& line : result.lines) {
            env_.out << utf8(line.joined()) << '\n';
        }
        const std::vector<std::filesystem::path> paths = partPaths(files.size());
        if (!request_.quiet) {
            for (std::size_t i = 0; i < files.size(); ++i) {
                env_.err << "lumitag convert: --dry-run: "
                         << say_(paths[i].string() + " (" + std::to_string(lineCounts[i]) +
                                     " 行) は書きません",
                                 paths[i].string() + " (" + std::to_string(lineCounts[i]) +
                                     " lines) not written")
                         << '\n';
            }
        }
        return kExitWritten;
    }
    return write(files, lineCounts);
}

std::string problemText(const conversion::ReadConversionSettings& read, const Say& say) {
    using conversion::SettingsFileProblem;
    const std::string line =
        read.line > 0 ? say(std::to_string(read.line) + " 行目: ", "line " + std::to_string(read.line) + ": ")
                      : std::string();
    switch (read.problem) {
    case SettingsFileProblem::TooLarge:
        return say("大きすぎます", "far too large");
    case SettingsFileProblem::NotUtf8:
        return say("UTF-8 のテキストではありません", "not UTF-8 text");
    case SettingsFileProblem::NoVersion:
        return line + say("最初のキーが version ではありません", "the first key is not version");
    case SettingsFileProblem::UnknownVersion:
        return line + say("知らない版です", "a version this program does not know");
    case SettingsFileProblem::NotKeyValue:
        return line + say("キー=値 の行ではありません", "not a key=value line");
    case SettingsFileProblem::BadValue:
        return line + say(read.key + " の値が正しくありません", "the value of " + read.key + " is not valid");
    case SettingsFileProblem::DuplicateKey:
        return line + say(read.key + " が二度あります", read.key + " is given twice");
    }
    return line;
}

} // namespace

SettingsFromFile readConversionSettings(ConvertEnvironment& environment, const std::filesystem::path& path,
                                        bool required) {
    const Say& say = environment.say;
    SettingsFromFile result;
    if (!required && !environment.files.fileExists(path)) {
        return result;
    }
    platform::Result<std::string> bytes = environment.files.readFile(path);
    if (!bytes) {
        result.refusal = platform::isMissingFile(bytes.error())
                             ? say("変換設定ファイルがありません: " + path.string(),
                                   "conversion settings file not found: " + path.string())
                             : say("変換設定ファイルを読めません: " + bytes.reason(),
                                   "cannot read the conversion settings file: " + bytes.reason());
        return result;
    }
    conversion::ReadConversionSettings read = conversion::readConversionSettingsFile(bytes.value());
    if (!read.ok()) {
        result.refusal = say("変換設定ファイルを使えません: " + path.string() + ": ",
                             "cannot use the conversion settings file " + path.string() + ": ") +
                         problemText(read, say);
        return result;
    }
    result.saved = std::move(read.saved);
    return result;
}

int runConvert(const ConvertRequest& request, ConvertEnvironment& environment) {
    return Command(request, environment).run();
}

int convertMain(const std::vector<std::string>& arguments, ConvertEnvironment& environment) {
    const ConvertArguments parsed = parseConvertArguments(
        arguments, environment.say, [&](const std::filesystem::path& path, bool required) {
            return readConversionSettings(environment, path, required);
        });
    switch (parsed.kind) {
    case ConvertArguments::Kind::Help:
        environment.out << convertHelp();
        return kExitWritten;
    case ConvertArguments::Kind::UsageError:
        environment.err << "lumitag convert: " << parsed.error << '\n'
                        << environment.say("使い方は lumitag convert --help", "see lumitag convert --help")
                        << '\n';
        return kExitUsage;
    case ConvertArguments::Kind::Refused:
        environment.err << "lumitag convert: " << parsed.error << '\n';
        return kExitRefused;
    case ConvertArguments::Kind::Convert:
        break;
    }
    return runConvert(parsed.request, environment);
}

} // namespace lumitag::batch
