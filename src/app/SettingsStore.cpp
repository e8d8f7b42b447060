#include "app/SettingsStore.h"

#include "platform/TextFiles.h"

namespace lumitag::app {

namespace {

// The lines of a read file, padded as a loaded store is.
std::vector<Text> paddedLines(std::vector<Text> lines) {
    if (lines.size() < static_cast<std::size_t>(SettingsStore::MinimumLineCount))
        lines.resize(SettingsStore::FreshLineCount);
    return lines;
}

SettingsStore::FileCheck failedRead(const std::string& reason, const std::error_code& error) {
    return {platform::isMissingFile(error) ? SettingsStore::FileState::Missing
                                           : SettingsStore::FileState::Unreadable,
            reason};
}

} // namespace

SettingsStore::SettingsStore(platform::FileSystem& files, std::filesystem::path path)
    : files_(files), path_(std::move(path)), lines_(FreshLineCount) {}

SettingsStore::FileCheck SettingsStore::ensureFile() {
    const platform::Result<std::string> bytes = files_.readFile(path_);
    if (bytes)
        return {};
    const FileCheck found = failedRead(bytes.reason(), bytes.error());
    if (found.state != FileState::Missing)
        return found;
    const platform::Status created =
        platform::writeCp932TextFile(files_, path_, std::vector<Text>(FreshLineCount));
    if (!created)
        return {FileState::Missing, created.reason()};
    return {FileState::Created, {}};
}

std::vector<Text> SettingsStore::readLines(platform::FileSystem& files, const std::filesystem::path& path) {
    platform::Result<platform::DecodedTextFile> file = platform::readTextFile(files, path);
    return paddedLines(file ? std::move(file).value().lines : std::vector<Text>{});
}

SettingsStore::FileCheck SettingsStore::load() {
    platform::Result<platform::DecodedTextFile> file = platform::readTextFile(files_, path_);
    if (file) {
        lines_ = paddedLines(std::move(file).value().lines);
        return {};
    }
    lines_ = paddedLines({});
    const FileCheck found = failedRead(file.reason(), file.error());
    // Once kept off, the store stays off for the rest of the run, even if a
    // later load can read the file: the user was told it would not be written.
    if (found.state == FileState::Unreadable)
        keepOff_ = true;
    return found;
}

const Text& SettingsStore::get(int line) const {
    static const Text empty;
    if (line < 0 || line >= static_cast<int>(lines_.size()))
        return empty;
    return lines_[static_cast<std::size_t>(line)];
}

void SettingsStore::put(int line, Text text) {
    if (line < 0)
        return;
    if (line >= static_cast<int>(lines_.size()))
        lines_.resize(static_cast<std::size_t>(line) + 1);
    lines_[static_cast<std::size_t>(line)] = std::move(text);
}

platform::Status SettingsStore::save() const {
    if (keepOff_)
        return platform::Status::failure("not written over: " + path_.string() +
                                         " could not be read when the program started");
    return platform::writeCp932TextFile(files_, path_, lines_);
}

} // namespace lumitag::app
