#include "player/mci.h"

#include <array>
#include <cstring>

#include "common/decimal.h"

namespace kz {
namespace {

constexpr std::uint32_t kReplyCapacity = 260;

std::string Alias(MciSlot slot) {
  return "MCI_" + IntToDecimal(slot);
}

std::uint32_t Send(MediaService& media, const std::string& command) {
  return media.SendCommand(command, nullptr, 0);
}

struct Reply {
  std::uint32_t result;
  std::string text;  // up to the terminator, or the whole buffer when the service wrote none
};

// Every query gets a fresh buffer of blanks, so a refused query leaves no digits behind.
Reply Query(MediaService& media, MciSlot slot, std::string_view item) {
  std::array<char, kReplyCapacity> buffer;
  buffer.fill(' ');
  std::string command = "status " + Alias(slot) + " " + std::string(item);
  std::uint32_t result = media.SendCommand(command, buffer.data(), kReplyCapacity);
  std::size_t length = strnlen(buffer.data(), buffer.size());
  return Reply{result, std::string(buffer.data(), length)};
}

// A one-character field gets a leading "0"; a longer one keeps its first two characters.
std::string TwoCharacters(std::int32_t value) {
  std::string text = IntToDecimal(value);
  if (text.size() == 1) return "0" + text;
  return text.substr(0, 2);
}

}  // namespace

std::int32_t MciOpen(MediaService& media, MciSlot slot, std::string_view path) {
  std::string command = "OPEN \"" + std::string(path) + "\" Type MPEGVIDEO ALIAS " + Alias(slot);
  return Send(media, command) == 0 ? 1 : 0;
}

std::uint32_t MciPlay(MediaService& media, MciSlot slot) {
  return Send(media, "play " + Alias(slot));
}

std::uint32_t MciPlayFrom(MediaService& media, MciSlot slot, std::int32_t positionMs) {
  return Send(media, "play " + Alias(slot) + " from " + IntToDecimal(positionMs));
}

std::uint32_t MciPause(MediaService& media, MciSlot slot) {
  return Send(media, "pause " + Alias(slot));
}

std::uint32_t MciStop(MediaService& media, MciSlot slot) {
  return Send(media, "stop " + Alias(slot));
}

std::uint32_t MciClose(MediaService& media, MciSlot slot) {
  return Send(media, "close " + Alias(slot));
}

std::int32_t MciStatusMode(MediaService& media, MciSlot slot) {
  Reply reply = Query(media, slot, "mode");
  if (reply.result != 0) return mci_mode::kUnknown;
  if (reply.text == "stopped") return mci_mode::kStopped;
  if (reply.text == "playing") return mci_mode::kPlaying;
  if (reply.text == "paused") return mci_mode::kPaused;
  return mci_mode::kUnknown;
}

std::int32_t MciLength(MediaService& media, MciSlot slot) {
  return DecimalToInt(Query(media, slot, "length").text);
}

std::int32_t MciPosition(MediaService& media, MciSlot slot) {
  return DecimalToInt(Query(media, slot, "position").text);
}

std::string FormatPlayTime(std::int32_t ms) {
  // C++ division truncates toward zero and the remainder takes the dividend's sign.
  std::int32_t totalSeconds = ms / 1000;
  std::int32_t seconds = totalSeconds % 60;
  std::int32_t totalMinutes = totalSeconds / 60;
  std::int32_t minutes = totalMinutes % 60;
  std::int32_t hours = totalMinutes / 60;
  return TwoCharacters(hours) + ":" + TwoCharacters(minutes) + ":" + TwoCharacters(seconds);
}

}  // namespace kz
