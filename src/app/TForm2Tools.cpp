// The orange window's bulk text tools: the edit-mode panel (Panel8) and the
// multi-line panel (Panel6) own their controls and handlers; the half-width
// conversion button is wired here.
#include "app/TForm2.h"
#include "tools/ListHalfWidth.h"

namespace lumitag::app {

void TForm2::wireTools() {
    SpeedButton51.setHint(U"グリッド内の全角文字を半角に変換します");
    SpeedButton51.onClick = [this] {
        tools::ConvertListToHalfWidth(list_, undo_, [this] { FocusEntryField(); });
    };
}

} // namespace lumitag::app
