#pragma once

#include <string_view>

namespace kz {

// The extension part of a name: the text after the last ".", when no "/" or "\" follows that
// dot, up to the first double quote. Empty for a name without such a dot.
std::string_view ExtensionPart(std::string_view name);

// The letter case the extension test compares in: a-z and the bytes 224 to 255 are lowered by 32,
// every other byte stays.
unsigned char UpperCased(unsigned char byte);

// True when the name's extension part equals `extension` in that upper case, byte for byte.
bool HasExtension(std::string_view name, std::string_view extension);

}  // namespace kz
