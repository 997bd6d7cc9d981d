#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/media.h"

namespace kz::testing {

// Passes every command on to another media service and keeps the texts and results, so a test
// can check what was sent to a service that really keeps state.
class LoggingMedia : public MediaService {
 public:
  explicit LoggingMedia(MediaService& inner) : inner_(inner) {}
  std::uint32_t SendCommand(std::string_view command, char* reply,
                            std::uint32_t capacity) override {
    std::uint32_t result = inner_.SendCommand(command, reply, capacity);
    commands.emplace_back(command);
    results.push_back(result);
    return result;
  }
  void Clear() {
    commands.clear();
    results.clear();
  }
  // The commands that begin with `prefix`, in the order sent.
  std::vector<std::string> Sent(std::string_view prefix) const {
    std::vector<std::string> found;
    for (const std::string& command : commands) {
      if (command.starts_with(prefix)) found.push_back(command);
    }
    return found;
  }
  // The commands other than the status queries, in the order sent.
  std::vector<std::string> Actions() const {
    std::vector<std::string> found;
    for (const std::string& command : commands) {
      if (!command.starts_with("status ")) found.push_back(command);
    }
    return found;
  }

  std::vector<std::string> commands;
  std::vector<std::uint32_t> results;

 private:
  MediaService& inner_;
};

}  // namespace kz::testing
