#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/media.h"

namespace kz {

// A stand-in for the platform's media-control service where there is none (the native build).
// It understands exactly the command texts the player sends, keeps one device per alias, and
// "plays" by the clock: the position moves with the tick count and stops at the file's length,
// where the device reports "stopped" and stays open. No sound is made.
class SimulatedMedia final : public MediaService {
 public:
  // The playing time of the file at a path in ms; nothing when the file is missing or not
  // playable.
  using LengthOfFile = std::function<std::optional<std::int32_t>(std::string_view path)>;

  // Refusals, with the media-control interface's numbers where one fits.
  static constexpr std::uint32_t kUnrecognizedCommand = 261;
  static constexpr std::uint32_t kDeviceNotOpen = 263;
  static constexpr std::uint32_t kReplyTooLong = 268;
  static constexpr std::uint32_t kCannotOpenFile = 275;
  static constexpr std::uint32_t kOutOfRange = 282;
  static constexpr std::uint32_t kAliasTaken = 289;

  SimulatedMedia(Clock& clock, LengthOfFile lengthOfFile);
  SimulatedMedia(const SimulatedMedia&) = delete;
  SimulatedMedia& operator=(const SimulatedMedia&) = delete;

  std::uint32_t SendCommand(std::string_view command, char* reply, std::uint32_t capacity) override;

  // The path open under an alias ("MCI_0"), for checks; nothing when the alias is free.
  std::optional<std::string> OpenPath(std::string_view alias) const;

 private:
  enum class Mode { kStopped, kPlaying, kPaused };
  struct Device {
    std::string path;
    std::int32_t length = 0;
    Mode mode = Mode::kStopped;
    std::int32_t position = 0;  // while playing: the position at startTick
    std::uint32_t startTick = 0;
  };

  std::uint32_t Open(std::string_view arguments);
  std::uint32_t Play(Device& device, std::optional<std::int32_t> from);
  std::uint32_t Status(Device& device, std::string_view item, char* reply, std::uint32_t capacity);
  // Brings a playing device up to the clock, ending it at its length.
  void Follow(Device& device);

  Clock& clock_;
  LengthOfFile lengthOfFile_;
  std::map<std::string, Device, std::less<>> devices_;
};

}  // namespace kz
