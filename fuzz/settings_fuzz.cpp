// Any bytes as the settings file: loading never crashes and gives at least 50
// lines, and saving then loading again gives back every line that the check
// before writing lets through without asking.
#include "app/SettingsStore.h"
#include "platform/Encoding.h"
#include "platform/fake/FakeFileSystem.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumitag;
    const std::filesystem::path path = "/program/lumitagr.ini";
    platform::FakeFileSystem files;
    files.setFile(path, std::string(reinterpret_cast<const char*>(data), size));

    app::SettingsStore store(files, path);
    store.load();
    const std::vector<Text> loaded = store.lines();
    if (loaded.size() < static_cast<std::size_t>(app::SettingsStore::MinimumLineCount))
        std::abort();
    if (!store.save())
        std::abort();

    app::SettingsStore again(files, path);
    again.load();
    if (again.lines().size() != loaded.size())
        std::abort();
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        if (platform::charactersChangedByCp932(loaded[i]).empty() && again.lines()[i] != loaded[i])
            std::abort();
    }
    return 0;
}
