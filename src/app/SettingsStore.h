#pragma once

#include "platform/FileSystem.h"
#include "platform/Result.h"
#include "platform/Text.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lumitag::app {

// The settings file lumitagr.ini held as a list of lines addressed by index.
// Line i is setting i (SettingsLines.h names them); lines no setting uses are
// carried through unchanged.
//
// Reading accepts CP932 and files with a UTF-8 or UTF-16 byte-order mark;
// writing is always CP932 with CR LF and no byte-order mark, the format the
// file has always had, and replaces the file in one step.
//
// A file that is there but cannot be read (no permission, an I/O error, a
// folder of that name) holds the user's presets and texts all the same: the
// store then runs on empty lines and never writes over it.
class SettingsStore {
public:
    static constexpr int FreshLineCount = 51;
    // A file with fewer lines is padded to FreshLineCount lines on loading.
    static constexpr int MinimumLineCount = 50;

    // What was found at the file's path.
    enum class FileState {
        Read,       // read as it is
        Created,    // it was missing; a file of 51 empty lines was written
        Missing,    // it was missing (and, at start-up, could not be created)
        Unreadable, // it is there but cannot be read: left as it is
    };
    struct FileCheck {
        FileState state = FileState::Read;
        // Why it could not be read or created; empty otherwise.
        std::string reason;
    };

    SettingsStore(platform::FileSystem& files, std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // Start-up: a missing file is created as 51 empty lines; any other file
    // is left as it is, readable or not.
    FileCheck ensureFile();
    // Reads the file into the store; a file that cannot be read loads as 51
    // empty lines, and when it is there at all the store keeps off it from
    // then on (see keepsOffUnreadFile).
    FileCheck load();
    // The text of line i; empty for a line the store does not have.
    const Text& get(int line) const;
    // Replaces line i in the store (not on disk), growing the store when needed.
    void put(int line, Text text);
    // Writes the whole store to the file. Refused without touching the file
    // while keepsOffUnreadFile() holds.
    platform::Status save() const;
    // True after a load found a file it could not read: its content is not
    // in the store, so writing the store would destroy it.
    bool keepsOffUnreadFile() const { return keepOff_; }

    const std::vector<Text>& lines() const { return lines_; }
    // The store as loaded for a window that only reads it (the blue window's copy).
    static std::vector<Text> readLines(platform::FileSystem& files, const std::filesystem::path& path);

private:
    platform::FileSystem& files_;
    std::filesystem::path path_;
    std::vector<Text> lines_;
    bool keepOff_ = false;
};

} // namespace lumitag::app
