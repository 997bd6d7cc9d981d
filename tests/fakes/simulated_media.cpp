#include "tests/fakes/simulated_media.h"

#include <cstring>
#include <utility>

#include "common/decimal.h"

namespace kz {
namespace {

constexpr std::string_view kOpenPrefix = "OPEN \"";
constexpr std::string_view kOpenMiddle = "\" Type MPEGVIDEO ALIAS ";
constexpr std::string_view kFrom = " from ";

// A number exactly as the player writes it: no sign but "-", no leading zeros, no blanks.
std::optional<std::int32_t> ExactNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::int32_t value = DecimalToInt(text);
  if (IntToDecimal(value) != text) return std::nullopt;
  return value;
}

// "MCI_" followed by an exact slot number and nothing else.
bool IsAlias(std::string_view text) {
  return text.starts_with("MCI_") && ExactNumber(text.substr(4)).has_value();
}

// Splits off the text before the first blank; `rest` keeps the blank.
std::string_view TakeWord(std::string_view& rest) {
  std::size_t blank = rest.find(' ');
  std::string_view word = rest.substr(0, blank);
  rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank);
  return word;
}

}  // namespace

SimulatedMedia::SimulatedMedia(Clock& clock, LengthOfFile lengthOfFile)
    : clock_(clock), lengthOfFile_(std::move(lengthOfFile)) {}

std::uint32_t SimulatedMedia::SendCommand(std::string_view command, char* reply,
                                          std::uint32_t capacity) {
  if (command.starts_with(kOpenPrefix)) return Open(command.substr(kOpenPrefix.size()));

  std::string_view rest = command;
  std::string_view verb = TakeWord(rest);
  if (!rest.starts_with(' ')) return kUnrecognizedCommand;
  rest.remove_prefix(1);
  std::string_view alias = TakeWord(rest);
  if (!IsAlias(alias)) return kUnrecognizedCommand;

  // Check the whole text before looking at the device, so a malformed command is refused as
  // such whether or not the alias is open.
  std::optional<std::int32_t> from;
  if (verb == "play") {
    if (!rest.empty()) {
      if (!rest.starts_with(kFrom)) return kUnrecognizedCommand;
      from = ExactNumber(rest.substr(kFrom.size()));
      if (!from) return kUnrecognizedCommand;
    }
  } else if (verb == "status") {
    if (rest != " mode" && rest != " length" && rest != " position") return kUnrecognizedCommand;
  } else if (verb == "pause" || verb == "stop" || verb == "close") {
    if (!rest.empty()) return kUnrecognizedCommand;
  } else {
    return kUnrecognizedCommand;
  }

  auto found = devices_.find(alias);
  if (found == devices_.end()) return kDeviceNotOpen;
  Device& device = found->second;
  Follow(device);

  if (verb == "play") return Play(device, from);
  if (verb == "status") return Status(device, rest.substr(1), reply, capacity);
  if (verb == "pause") {
    if (device.mode == Mode::kPlaying) device.mode = Mode::kPaused;
    return 0;
  }
  if (verb == "stop") {
    device.mode = Mode::kStopped;
    return 0;
  }
  devices_.erase(found);  // close
  return 0;
}

std::uint32_t SimulatedMedia::Open(std::string_view arguments) {
  // The path stands between quotes and may hold blanks, so the keywords are found from the end.
  std::size_t middle = arguments.rfind(kOpenMiddle);
  if (middle == std::string_view::npos) return kUnrecognizedCommand;
  std::string_view path = arguments.substr(0, middle);
  std::string_view alias = arguments.substr(middle + kOpenMiddle.size());
  if (path.empty() || path.find('"') != std::string_view::npos || !IsAlias(alias)) {
    return kUnrecognizedCommand;
  }
  if (devices_.find(alias) != devices_.end()) return kAliasTaken;
  std::optional<std::int32_t> length = lengthOfFile_(path);
  if (!length || *length < 0) return kCannotOpenFile;
  Device device;
  device.path = std::string(path);
  device.length = *length;
  devices_.emplace(std::string(alias), std::move(device));
  return 0;
}

std::uint32_t SimulatedMedia::Play(Device& device, std::optional<std::int32_t> from) {
  if (from && (*from < 0 || *from > device.length)) return kOutOfRange;
  if (from) device.position = *from;
  device.mode = Mode::kPlaying;
  device.startTick = clock_.TickCount();
  Follow(device);  // a play at the very end ends at once
  return 0;
}

std::uint32_t SimulatedMedia::Status(Device& device, std::string_view item, char* reply,
                                     std::uint32_t capacity) {
  std::string text;
  if (item == "mode") {
    text = device.mode == Mode::kPlaying  ? "playing"
           : device.mode == Mode::kPaused ? "paused"
                                          : "stopped";
  } else if (item == "length") {
    text = IntToDecimal(device.length);
  } else {
    text = IntToDecimal(device.position);
  }
  if (reply == nullptr) return 0;  // the caller did not want the answer
  if (text.size() + 1 > capacity) return kReplyTooLong;
  std::memcpy(reply, text.c_str(), text.size() + 1);
  return 0;
}

void SimulatedMedia::Follow(Device& device) {
  if (device.mode != Mode::kPlaying) return;
  std::uint32_t now = clock_.TickCount();
  // Ticks wrap; the elapsed time is their difference as an unsigned count.
  std::int64_t reached = std::int64_t{device.position} + (now - device.startTick);
  device.startTick = now;
  if (reached >= device.length) {
    device.position = device.length;
    device.mode = Mode::kStopped;
  } else {
    device.position = static_cast<std::int32_t>(reached);
  }
}

std::optional<std::string> SimulatedMedia::OpenPath(std::string_view alias) const {
  auto found = devices_.find(alias);
  if (found == devices_.end()) return std::nullopt;
  return found->second.path;
}

}  // namespace kz
