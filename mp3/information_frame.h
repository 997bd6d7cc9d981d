#pragma once

#include <cstdint>
#include <span>

namespace kz {

// True when the Layer III frame starting at `frame` (its header and what follows of it, as far
// as the file goes) carries an encoder's information tag instead of sound: "Xing" or "Info"
// right after the side information, or "VBRI" 32 bytes after the header, inside the frame's
// `frameLength` bytes. Such a frame is often written at a bit rate other than the stream's.
bool IsInformationFrame(std::span<const std::uint8_t> frame, bool mpeg1, std::uint32_t frameLength);

}  // namespace kz
