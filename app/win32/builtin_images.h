#pragma once

#include <windows.h>

#include "app/win32/image_table.h"

namespace kz {

// Loads the seven built-in images (ids 17 to 23) from the program's resources.
void LoadBuiltInImages(HINSTANCE instance, ImageTable& images);

}  // namespace kz
