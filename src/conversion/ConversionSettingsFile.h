#pragma once

#include "conversion/ConversionSettings.h"
#include "platform/Text.h"

#include <optional>
#include <string>
#include <string_view>

namespace lumitag::conversion {

// The blue window's conversion settings kept in a file of their own, so that a
// script can repeat with `lumitag convert --settings` what a user set up in
// the window. The program's settings file stays as it is: other tools read it.
//
// The file is UTF-8 text, one "key=value" per line, LF line ends (CR LF is
// read too), lines starting with "#" are comments. The first key is
// "version=1". A value is the rest of its line, blanks included; "\\", "\n"
// and "\r" stand for a backslash, a line feed and a carriage return. Keys a
// reader does not know are skipped, so that this version can read what a
// later program of the same version adds; a missing key is an empty box or an
// unticked tick.

inline constexpr int kConversionSettingsFileVersion = 1;

// What one conversion of the window used: its settings and the sheet it read.
struct SavedConversion {
    // headerWorkMode is not kept: it comes from the table chosen at the run.
    ConversionSettings settings;
    // The name of the sheet converted; empty when it was not known.
    Text sheet;
};

// The bytes of the file.
std::string writeConversionSettingsFile(const SavedConversion& saved);

// Why a file could not be read.
enum class SettingsFileProblem {
    TooLarge,       // far more than any window's boxes can hold
    NotUtf8,        // bytes that are no UTF-8
    NoVersion,      // the first key is not "version"
    UnknownVersion, // a version this program does not know
    NotKeyValue,    // a line that is neither a comment, blank, nor key=value
    BadValue,       // a mode, tick or escape that is not one the file can hold
    DuplicateKey,   // one key twice
};

struct ReadConversionSettings {
    std::optional<SavedConversion> saved;
    // On failure: what, on which line (1-based; 0 for the whole file), and the key.
    SettingsFileProblem problem = SettingsFileProblem::NotKeyValue;
    int line = 0;
    std::string key;

    bool ok() const { return saved.has_value(); }
};

// Reads the file's bytes; any bytes give a result, never a crash.
ReadConversionSettings readConversionSettingsFile(std::string_view bytes);

} // namespace lumitag::conversion
