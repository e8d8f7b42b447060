// Any bytes given as a table file: reading never crashes, fills at most the 20
// tables of the store, and what it read is written back as 20 readable lines.
// (Not byte for byte: reading turns the first run of five blanks into "_",
// also inside quotes, so a quoted cell with two such runs changes again.)
#include "markerfile/TableFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumitag::markerfile;
    const LoadedTableFile table = LoadTableFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (table.tableLineCount > tableCount || tableBoxItems(table).size() != table.tableLineCount)
        std::abort();
    if (LoadTableFile(encodeTableFile(table.store)).tableLineCount != tableCount)
        std::abort();
    return 0;
}
