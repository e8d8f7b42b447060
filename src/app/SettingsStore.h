#pragma once

#include "platform/FileSystem.h"
#include "platform/Result.h"
#include "platform/Text.h"

#include <filesystem>
#include <vector>

namespace lumitag::app {

// The settings file lumitagr.ini held as a list of lines addressed by index.
// Line i is setting i; lines no setting uses are carried through unchanged.
//
// Reading accepts CP932 and files with a UTF-8 or UTF-16 byte-order mark;
// writing is always CP932 with CR LF and no byte-order mark, the format the
// file has always had, and replaces the file in one step.
class SettingsStore {
public:
    static constexpr int FreshLineCount = 51;
    // A file with fewer lines is padded to FreshLineCount lines on loading.
    static constexpr int MinimumLineCount = 50;

    SettingsStore(platform::FileSystem& files, std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // Writes a file of 51 empty lines when the file cannot be read.
    platform::Status ensureFile();
    // Reads the file into the store; an unreadable file loads as 51 empty lines.
    void load();
    // The text of line i; empty for a line the store does not have.
    const Text& get(int line) const;
    // Replaces line i in the store (not on disk), growing the store when needed.
    void put(int line, Text text);
    // Writes the whole store to the file.
    platform::Status save() const;

    const std::vector<Text>& lines() const { return lines_; }
    // The store as loaded for a window that only reads it (the blue window's copy).
    static std::vector<Text> readLines(platform::FileSystem& files, const std::filesystem::path& path);

private:
    platform::FileSystem& files_;
    std::filesystem::path path_;
    std::vector<Text> lines_;
};

} // namespace lumitag::app
