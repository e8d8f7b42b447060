#pragma once

#include "ui/Edit.h"
#include "ui/Geometry.h"
#include "ui/Timer.h"

namespace lumitag::entry {

// A box whose hint is its own whole text (線番１, 線番２ and the A–Z boxes), so
// that a text too long for the box can still be read.
struct TextHint {
    // While the pointer is over such a box the hint takes this colour and
    // stays this long; leaving the box gives back the usual colour and stay.
    static constexpr ui::Color Color{220, 220, 248};
    static constexpr ui::Milliseconds HidePause{3000};
    static constexpr ui::Milliseconds UsualHidePause{10000};

    // Wires the box's mouse enter and leave: entering sets the hint to the
    // text and, when there is text, shows it even while the window's hints
    // are off.
    static void install(ui::Edit& box);
};

} // namespace lumitag::entry
