#pragma once

#include <string>

namespace kz::e2e {

// Writes the whole screen as a 24-bit BMP file; the runner turns it into PNG.
bool SaveScreenshot(const std::wstring& path);

}  // namespace kz::e2e
