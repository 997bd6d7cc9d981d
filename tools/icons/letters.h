#pragma once

#include <vector>

#include "tools/icons/stroke_path.h"

namespace kz::icons {

// The centre lines of the capital letters the search button needs (G, O, S, T, P), built from
// straight strokes and round corners inside the box of the centre line: `topLeft`, `width`,
// `height`. Other letters give an empty path.
std::vector<StrokePart> LetterPath(char letter, Point topLeft, double width, double height);

}  // namespace kz::icons
