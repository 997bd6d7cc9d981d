#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/media.h"

namespace kz {

// A device slot of the media-control service; its file is opened under the alias "MCI_" + slot.
using MciSlot = std::int32_t;

// The one slot the player plays its file in.
inline constexpr MciSlot kPlayerSlot = 0;

// Results of MciStatusMode.
namespace mci_mode {
constexpr std::int32_t kUnknown = 0;  // the query failed, or the service reported another mode
constexpr std::int32_t kStopped = 1;
constexpr std::int32_t kPlaying = 2;
constexpr std::int32_t kPaused = 3;
}  // namespace mci_mode

// 1 when the service opened the file under the slot's alias, 0 when it refused (file missing or
// not playable, alias already taken).
std::int32_t MciOpen(MediaService& media, MciSlot slot, std::string_view path);

// These hand the service's result code on unchanged (0 = accepted).
std::uint32_t MciPlay(MediaService& media, MciSlot slot);
std::uint32_t MciPlayFrom(MediaService& media, MciSlot slot, std::int32_t positionMs);
std::uint32_t MciPause(MediaService& media, MciSlot slot);
std::uint32_t MciStop(MediaService& media, MciSlot slot);
std::uint32_t MciClose(MediaService& media, MciSlot slot);

// One of mci_mode.
std::int32_t MciStatusMode(MediaService& media, MciSlot slot);

// The reply read as a decimal number; a refused query leaves no digits and gives 0.
std::int32_t MciLength(MediaService& media, MciSlot slot);
std::int32_t MciPosition(MediaService& media, MciSlot slot);

// Milliseconds as "hh:mm:ss"; each field is fitted to exactly two characters.
std::string FormatPlayTime(std::int32_t ms);

}  // namespace kz
