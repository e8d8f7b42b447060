#pragma once

#include "platform/Text.h"

namespace lumitag::markerfile {

// The marker adjustments both main windows share: what one window sets, the
// other shows and writes after the switch between them.
struct SharedMarkerState {
    // The last work length applied from a work length box; empty when none.
    Text customWorkLength;
    // The lengths of the last successful feed-correction computation.
    Text terminalBlockLength;
    Text testPlateLength;
    // The last applied feed-correction percentage; empty when none.
    Text feedCorrectionPercentage;
    // Set while a feed-correction check box is ticked.
    bool feedCorrectionOn = false;
};

} // namespace lumitag::markerfile
