#include "tests/fakes/simulated_media.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "player/mci.h"
#include "tests/fakes/fake_clock.h"

namespace kz {
namespace {

using testing::FakeClock;

struct SimulatedMediaTest : ::testing::Test {
  FakeClock clock;
  std::map<std::string, std::int32_t> lengths = {
      {"/m/a.mp3", 10000}, {"/m/b.mp3", 20000}, {"/m/mit Leer zeichen.mp3", 3000}};
  SimulatedMedia media{clock, [this](std::string_view path) -> std::optional<std::int32_t> {
                         auto found = lengths.find(std::string(path));
                         if (found == lengths.end()) return std::nullopt;
                         return found->second;
                       }};

  std::string Reply(std::string_view command, std::uint32_t* result = nullptr) {
    char buffer[260];
    std::fill(std::begin(buffer), std::end(buffer), ' ');
    std::uint32_t code = media.SendCommand(command, buffer, 260);
    if (result) *result = code;
    return std::string(buffer, strnlen(buffer, 260));
  }
};

TEST_F(SimulatedMediaTest, PlaysByTheClockAndEndsStillOpen) {
  EXPECT_EQ(MciOpen(media, 0, "/m/a.mp3"), 1);
  EXPECT_EQ(Reply("status MCI_0 mode"), "stopped");
  EXPECT_EQ(Reply("status MCI_0 length"), "10000");
  EXPECT_EQ(Reply("status MCI_0 position"), "0");

  clock.ticks = 1000;
  EXPECT_EQ(MciPlay(media, 0), 0u);
  clock.ticks = 3500;
  EXPECT_EQ(Reply("status MCI_0 mode"), "playing");
  EXPECT_EQ(MciPosition(media, 0), 2500);

  EXPECT_EQ(MciPause(media, 0), 0u);
  clock.ticks = 9000;
  EXPECT_EQ(Reply("status MCI_0 mode"), "paused");
  EXPECT_EQ(MciPosition(media, 0), 2500);

  EXPECT_EQ(MciPlay(media, 0), 0u);  // resumes where it paused
  clock.ticks = 10000;
  EXPECT_EQ(MciPosition(media, 0), 3500);

  clock.ticks = 30000;  // well past the end
  EXPECT_EQ(MciStatusMode(media, 0), mci_mode::kStopped);
  EXPECT_EQ(MciPosition(media, 0), 10000);
  EXPECT_EQ(media.OpenPath("MCI_0"), "/m/a.mp3");
  EXPECT_EQ(MciOpen(media, 0, "/m/b.mp3"), 0);  // the alias is still taken

  EXPECT_EQ(MciPlayFrom(media, 0, 9000), 0u);  // an ended file plays again from a position
  clock.ticks = 30500;
  EXPECT_EQ(MciPosition(media, 0), 9500);
}

TEST_F(SimulatedMediaTest, PlayFromInsideTheFileOnlyAndAcrossTheTickWrap) {
  clock.ticks = 0xFFFFFC18u;  // 1000 ms before the counter wraps
  MciOpen(media, 0, "/m/a.mp3");
  EXPECT_EQ(MciPlayFrom(media, 0, 4000), 0u);
  clock.ticks = 500;
  EXPECT_EQ(MciPosition(media, 0), 5500);

  EXPECT_EQ(MciPlayFrom(media, 0, -1), SimulatedMedia::kOutOfRange);
  EXPECT_EQ(MciPlayFrom(media, 0, 10001), SimulatedMedia::kOutOfRange);
  EXPECT_EQ(MciStatusMode(media, 0), mci_mode::kPlaying);  // a refused target changes nothing
  EXPECT_EQ(MciPosition(media, 0), 5500);
  EXPECT_EQ(MciPlayFrom(media, 0, 10000), 0u);  // the very end: ends at once
  EXPECT_EQ(MciStatusMode(media, 0), mci_mode::kStopped);
}

TEST_F(SimulatedMediaTest, ASecondOpenUnderATakenAliasLeavesTheFirstAsItWas) {
  MciOpen(media, 0, "/m/a.mp3");
  MciPlay(media, 0);
  clock.ticks = 2000;
  EXPECT_EQ(MciOpen(media, 0, "/m/b.mp3"), 0);
  EXPECT_EQ(media.SendCommand("OPEN \"/m/b.mp3\" Type MPEGVIDEO ALIAS MCI_0", nullptr, 0),
            SimulatedMedia::kAliasTaken);
  EXPECT_EQ(MciStatusMode(media, 0), mci_mode::kPlaying);
  EXPECT_EQ(MciLength(media, 0), 10000);
  EXPECT_EQ(MciPosition(media, 0), 2000);
  // Another alias is another device.
  EXPECT_EQ(MciOpen(media, 1, "/m/b.mp3"), 1);
  EXPECT_EQ(MciLength(media, 1), 20000);
}

TEST_F(SimulatedMediaTest, ClosedAliasesAndUnplayableFilesAreRefused) {
  EXPECT_EQ(MciStatusMode(media, 0), 0);
  EXPECT_EQ(MciLength(media, 0), 0);
  EXPECT_EQ(MciPosition(media, 0), 0);
  for (auto command : {"play MCI_0", "play MCI_0 from 0", "pause MCI_0", "stop MCI_0",
                       "close MCI_0", "status MCI_0 mode"}) {
    EXPECT_EQ(media.SendCommand(command, nullptr, 0), SimulatedMedia::kDeviceNotOpen) << command;
  }
  EXPECT_EQ(MciOpen(media, 0, "/m/missing.mp3"), 0);
  EXPECT_EQ(media.OpenPath("MCI_0"), std::nullopt);

  EXPECT_EQ(MciOpen(media, 0, "/m/mit Leer zeichen.mp3"), 1);  // blanks inside the quotes
  EXPECT_EQ(MciStop(media, 0), 0u);
  EXPECT_EQ(MciClose(media, 0), 0u);
  EXPECT_EQ(MciPlay(media, 0), SimulatedMedia::kDeviceNotOpen);
  EXPECT_EQ(MciOpen(media, 0, "/m/a.mp3"), 1);  // the alias is free again
}

TEST_F(SimulatedMediaTest, AcceptsOnlyTheExactCommandTexts) {
  MciOpen(media, 0, "/m/a.mp3");
  for (auto command : {
           "Play MCI_0",
           "play mci_0",
           "play MCI_0 ",
           "play  MCI_0",
           "play MCI_00",
           "play MCI_+0",
           "play MCI_-0",
           "play MCI_",
           "play MCI_0 from",
           "play MCI_0 from +5",
           "play MCI_0 from 05",
           "play MCI_0 from 1 ",
           "play MCI_0 to 5",
           "seek MCI_0 to 5",
           "status MCI_0 Mode",
           "status MCI_0 mode ",
           "status MCI_0 volume",
           "stop MCI_0 wait",
           "close MCI_0 notify",
           "resume MCI_0",
           "",
           "play",
           "open \"/m/b.mp3\" Type MPEGVIDEO ALIAS MCI_1",
           "OPEN \"/m/b.mp3\" type MPEGVIDEO ALIAS MCI_1",
           "OPEN /m/b.mp3 Type MPEGVIDEO ALIAS MCI_1",
           "OPEN \"/m/b.mp3\" Type MPEGVIDEO ALIAS MCI_01",
           "OPEN \"\" Type MPEGVIDEO ALIAS MCI_1",
       }) {
    EXPECT_EQ(media.SendCommand(command, nullptr, 0), SimulatedMedia::kUnrecognizedCommand)
        << command;
  }
  EXPECT_EQ(media.OpenPath("MCI_1"), std::nullopt);
  EXPECT_EQ(MciStatusMode(media, 0), mci_mode::kStopped);  // none of them played
}

TEST_F(SimulatedMediaTest, RepliesAreTerminatedAndMustFit) {
  MciOpen(media, 0, "/m/b.mp3");
  char buffer[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  // "20000" needs six characters with its terminator.
  EXPECT_EQ(media.SendCommand("status MCI_0 length", buffer, 5), SimulatedMedia::kReplyTooLong);
  EXPECT_EQ(media.SendCommand("status MCI_0 length", buffer, 6), 0u);
  EXPECT_STREQ(buffer, "20000");
  EXPECT_EQ(media.SendCommand("status MCI_0 mode", nullptr, 0), 0u);  // no buffer, no answer
}

}  // namespace
}  // namespace kz
