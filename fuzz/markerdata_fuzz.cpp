// Any bytes given as a marker data file to import: the parser returns a form
// and lines, never crashes, and keeps to its line limits.
#include "markerfile/MarkerData.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumitag::markerfile;
    const ParsedMarkerData parsed =
        parseMarkerDataFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (parsed.lines.size() > importLineLimit || (!parsed.accepted() && !parsed.lines.empty()))
        std::abort();
    return 0;
}
