// Any text as a list snapshot (the undo texts) or as the rows of a paste:
// splitting and reading never crash, and the rows read from a text are
// written and read back unchanged.
#include "marking/Snapshot.h"
#include "platform/Encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumitag;
    const Text text = platform::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));

    const marking::SnapshotParts parts = marking::splitSnapshot(text);
    if (parts.selectRow < 0)
        std::abort();
    const std::vector<marking::RowFields> rows = marking::parseLines(parts.body);
    for (const marking::RowFields& fields : rows) {
        if (fields.empty())
            std::abort();
    }

    const marking::SnapshotParts again = marking::splitSnapshot(marking::makeSnapshot(parts.selectRow, rows));
    if (again.selectRow != parts.selectRow || marking::parseLines(again.body) != rows)
        std::abort();
    return 0;
}
