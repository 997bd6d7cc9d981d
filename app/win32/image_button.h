#pragma once

#include <windows.h>

namespace kz {

// Paints an owner-drawn image button: the button face, then its image centred on it, clipped to
// the face less 2 px (4 px when themed), 1 px right and down while pressed, embossed while
// disabled, and a focus rectangle 3 px inside the edge when focus cues are shown.
void DrawImageButton(const DRAWITEMSTRUCT& item, HICON image);

}  // namespace kz
