#include "app/SettingsStore.h"

#include "platform/TextFiles.h"

namespace lumitag::app {

SettingsStore::SettingsStore(platform::FileSystem& files, std::filesystem::path path)
    : files_(files), path_(std::move(path)), lines_(FreshLineCount) {}

platform::Status SettingsStore::ensureFile() {
    if (files_.readFile(path_))
        return platform::Status::success();
    return platform::writeCp932TextFile(files_, path_, std::vector<Text>(FreshLineCount));
}

std::vector<Text> SettingsStore::readLines(platform::FileSystem& files, const std::filesystem::path& path) {
    platform::Result<platform::DecodedTextFile> file = platform::readTextFile(files, path);
    std::vector<Text> lines = file ? std::move(file).value().lines : std::vector<Text>{};
    if (lines.size() < static_cast<std::size_t>(MinimumLineCount))
        lines.resize(FreshLineCount);
    return lines;
}

void SettingsStore::load() {
    lines_ = readLines(files_, path_);
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
    return platform::writeCp932TextFile(files_, path_, lines_);
}

} // namespace lumitag::app
