#pragma once

#include <windows.h>

#include <commctrl.h>

namespace kz {

// Custom draw of an ordinary push button with an image: asks for the post-paint stage, then
// draws the image centred on the face the button painted, clipped to the face less 2 px (4 px
// when themed), 1 px right and down while pressed, embossed while disabled. The button itself
// draws its hot, default and pressed look and its focus rectangle.
LRESULT DrawImageOnButton(const NMCUSTOMDRAW& draw, HICON image);

}  // namespace kz
