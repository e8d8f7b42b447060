#include "TemporaryFolder.h"
#include "platform/fake/FakeShell.h"
#include "platform/linux/XdgShell.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <utility>
#include <vector>

namespace lumitag::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// An opener that writes the arguments it got into a file beside itself.
fs::path writeRecordingOpener(const TemporaryFolder& folder) {
    const fs::path script = folder / "opener";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s|' \"$@\" > \"$(dirname \"$0\")/arguments\"\n";
    fs::permissions(script, fs::perms::owner_all);
    return script;
}

std::string readAll(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

TEST(XdgShell, PassesTheFileAsOneAbsoluteArgumentWithoutAShell) {
    TemporaryFolder folder;
    XdgShell shell({writeRecordingOpener(folder).string(), 5000ms});

    const fs::path file = folder / "a b'c\"$(x);ルミ.cta";
    ASSERT_TRUE(shell.openFile(file, WindowShow::Maximised).ok());
    EXPECT_EQ(readAll(folder / "arguments"), file.string() + "|");

    // A relative name that looks like an option reaches the opener as a path.
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    ASSERT_TRUE(shell.openFile("-x.ctk", WindowShow::Normal).ok());
    fs::current_path(before);
    EXPECT_EQ(readAll(folder / "arguments"), (folder / "-x.ctk").string() + "|");
}

// Unsets the locale variables for the life of the object, as in a container
// or a service where no locale is set.
class WithoutLocale {
public:
    WithoutLocale() {
        for (const char* name : kNames) {
            if (const char* value = std::getenv(name))
                saved_.emplace_back(name, value);
            unsetenv(name);
        }
    }
    ~WithoutLocale() {
        for (const auto& [name, value] : saved_)
            setenv(name.c_str(), value.c_str(), 1);
    }
    WithoutLocale(const WithoutLocale&) = delete;
    WithoutLocale& operator=(const WithoutLocale&) = delete;

private:
    static constexpr const char* kNames[] = {"LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE"};
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST(XdgShell, TheOpenerGetsAUtf8LocaleWhenTheProgramHasNone) {
    TemporaryFolder folder;
    const fs::path script = folder / "opener";
    std::ofstream(script) << "#!/bin/sh\nlocale charmap > \"$(dirname \"$0\")/charmap\" 2>/dev/null\n";
    fs::permissions(script, fs::perms::owner_all);
    const WithoutLocale noLocale;
    ASSERT_TRUE(XdgShell({script.string(), 5000ms}).openFile(folder / "線番.cta", WindowShow::Normal).ok());
    EXPECT_EQ(readAll(folder / "charmap"), "UTF-8\n");
}

TEST(XdgShell, FailuresOfTheOpenerAreReported) {
    const Status missing =
        XdgShell({"lumitag-no-such-opener", 5000ms}).openFile("/tmp/x.cta", WindowShow::Normal);
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.reason().find("cannot start"), std::string::npos);

    const Status failed = XdgShell({"false", 5000ms}).openFile("/tmp/x.cta", WindowShow::Normal);
    EXPECT_FALSE(failed.ok());
    EXPECT_NE(failed.reason().find("false"), std::string::npos);

    EXPECT_TRUE(XdgShell({"true", 5000ms}).openFile("/tmp/x.cta", WindowShow::Normal).ok());
}

TEST(XdgShell, OpenerThatKeepsRunningDoesNotHoldTheProgram) {
    TemporaryFolder folder;
    const fs::path script = folder / "slow";
    std::ofstream(script) << "#!/bin/sh\necho $$ > \"$(dirname \"$0\")/pid\"\nexec sleep 20 2>/dev/null\n";
    fs::permissions(script, fs::perms::owner_all);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(XdgShell({script.string(), 200ms}).openFile("/tmp/x.cta", WindowShow::Normal).ok());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);

    const std::string pid = readAll(folder / "pid");
    ASSERT_FALSE(pid.empty());
    kill(std::stoi(pid), SIGKILL);
}

TEST(XdgShell, DesktopFolderComesFromUserDirs) {
    struct Case {
        const char* content;
        const char* expected;
    };
    const Case cases[] = {
        {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/home/u/Desktop"},
        {"# comment\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n  XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"",
         "/home/u/デスクトップ"},
        {"XDG_DESKTOP_DIR=\"/data/desk\"\n", "/data/desk"},
        {"XDG_DESKTOP_DIR=\"$HOME/\"\n", "/home/u"},
        {"XDG_DESKTOP_DIR=relative\n", ""},
        {"XDG_DESKTOP_DIR=\"unclosed\n", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(XdgShell::desktopFromUserDirs(c.content, "/home/u"), fs::path(c.expected)) << c.content;
}

TEST(XdgShell, DesktopFolderFallsBackToTheHomeFolder) {
    TemporaryFolder home;
    const char* saved = std::getenv("HOME");
    const std::string savedHome = saved ? saved : "";
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string savedConfigValue = savedConfig ? savedConfig : "";
    setenv("HOME", home.path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");

    XdgShell shell;
    EXPECT_EQ(shell.desktopFolder(), home.path());
    fs::create_directory(home / "Desktop");
    EXPECT_EQ(shell.desktopFolder(), home / "Desktop");
    fs::create_directories(home / ".config");
    fs::create_directory(home / "机");
    std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/机\"\n";
    EXPECT_EQ(shell.desktopFolder(), home / "机");

    setenv("HOME", savedHome.c_str(), 1);
    if (savedConfig)
        setenv("XDG_CONFIG_HOME", savedConfigValue.c_str(), 1);
}

TEST(FakeShell, RecordsOpenRequestsAndFailsWhenTold) {
    FakeShell shell;
    EXPECT_TRUE(shell.openFile("/opt/lumitag/lumitagr.cta", WindowShow::Maximised).ok());
    shell.setOpenFailure("no opener");
    EXPECT_EQ(shell.openFile("/x", WindowShow::Normal).reason(), "no opener");
    EXPECT_EQ(shell.openRequests(),
              (std::vector<FakeShell::OpenRequest>{{"/opt/lumitag/lumitagr.cta", WindowShow::Maximised},
                                                   {"/x", WindowShow::Normal}}));
}

} // namespace
} // namespace lumitag::platform
