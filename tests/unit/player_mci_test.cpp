#include "player/mci.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kz {
namespace {

// A media service that answers from a script and notes what each call handed it.
class ScriptedMedia : public MediaService {
 public:
  struct Answer {
    std::uint32_t result = 0;
    std::optional<std::string> reply;  // written with its terminator; nothing: buffer untouched
  };
  struct Call {
    std::string command;
    bool hadBuffer;
    std::uint32_t capacity;
    bool bufferWasBlank;
  };

  std::uint32_t SendCommand(std::string_view command, char* reply,
                            std::uint32_t capacity) override {
    bool blank = reply != nullptr && std::string(reply, capacity) == std::string(capacity, ' ');
    calls.push_back({std::string(command), reply != nullptr, capacity, blank});
    Answer answer = answers.empty() ? Answer{} : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (reply != nullptr && answer.reply) {
      std::memcpy(reply, answer.reply->c_str(), answer.reply->size() + 1);
    }
    return answer.result;
  }

  std::deque<Answer> answers;
  std::vector<Call> calls;
};

TEST(MciCommands, TextsAreSentExactlyWithoutBuffer) {
  ScriptedMedia media;
  MciOpen(media, 0, "C:\\Meine Musik\\a b.mp3");
  MciPlay(media, 0);
  MciPlayFrom(media, 0, 12345);
  MciPlayFrom(media, 0, -1000);
  MciPlayFrom(media, 0, 0);
  MciPause(media, 7);
  MciStop(media, -3);
  MciClose(media, 0);
  std::vector<std::string> sent;
  for (const auto& call : media.calls) {
    sent.push_back(call.command);
    EXPECT_FALSE(call.hadBuffer) << call.command;
    EXPECT_EQ(call.capacity, 0u) << call.command;
  }
  EXPECT_EQ(sent, (std::vector<std::string>{
                      "OPEN \"C:\\Meine Musik\\a b.mp3\" Type MPEGVIDEO ALIAS MCI_0",
                      "play MCI_0",
                      "play MCI_0 from 12345",
                      "play MCI_0 from -1000",
                      "play MCI_0 from 0",
                      "pause MCI_7",
                      "stop MCI_-3",
                      "close MCI_0",
                  }));
}

TEST(MciCommands, QueriesGetAFreshBlankBufferOf260) {
  ScriptedMedia media;
  media.answers = {{0, "playing"}, {0, "185000"}, {263, std::nullopt}, {0, "5"}};
  MciStatusMode(media, 0);
  MciLength(media, 12);
  // A refused query after one that wrote digits: a reused buffer would still read 185000.
  EXPECT_EQ(MciPosition(media, 12), 0);
  MciPosition(media, 0);
  ASSERT_EQ(media.calls.size(), 4u);
  EXPECT_EQ(media.calls[0].command, "status MCI_0 mode");
  EXPECT_EQ(media.calls[1].command, "status MCI_12 length");
  EXPECT_EQ(media.calls[2].command, "status MCI_12 position");
  for (const auto& call : media.calls) {
    EXPECT_TRUE(call.hadBuffer);
    EXPECT_EQ(call.capacity, 260u);
    EXPECT_TRUE(call.bufferWasBlank) << call.command;
  }
}

TEST(MciCommands, ResultCodesAreHandedOnAndOpenGivesOneOrZero) {
  ScriptedMedia media;
  media.answers = {{0, std::nullopt},
                   {289, std::nullopt},
                   {0, std::nullopt},
                   {263, std::nullopt},
                   {282, std::nullopt}};
  EXPECT_EQ(MciOpen(media, 0, "x.mp3"), 1);
  EXPECT_EQ(MciOpen(media, 0, "x.mp3"), 0);
  EXPECT_EQ(MciPlay(media, 0), 0u);
  EXPECT_EQ(MciPause(media, 0), 263u);
  EXPECT_EQ(MciPlayFrom(media, 0, -5), 282u);
}

TEST(MciReplies, ModeIsTheWholeReplyComparedExactly) {
  struct Case {
    ScriptedMedia::Answer answer;
    std::int32_t mode;
  };
  const std::vector<Case> cases = {
      {{0, "stopped"}, 1},    {{0, "playing"}, 2},   {{0, "paused"}, 3},   {{0, "Playing"}, 0},
      {{0, "not ready"}, 0},  {{0, "seeking"}, 0},   {{0, "playing "}, 0}, {{0, " playing"}, 0},
      {{0, ""}, 0},           {{263, "playing"}, 0},  // refused: the reply is not looked at
      {{0, std::nullopt}, 0},                         // accepted but nothing written: 260 blanks
  };
  for (const Case& c : cases) {
    ScriptedMedia media;
    media.answers = {c.answer};
    EXPECT_EQ(MciStatusMode(media, 0), c.mode) << c.answer.reply.value_or("<none>");
  }
}

TEST(MciReplies, NumbersFollowTheDecimalRuleWhateverTheResult) {
  struct Case {
    ScriptedMedia::Answer answer;
    std::int32_t value;
  };
  const std::vector<Case> cases = {
      {{0, "185000"}, 185000},
      {{0, "   185000"}, 185000},
      {{0, "\t42"}, 42},
      {{0, "12 ms"}, 12},
      {{0, "123abc"}, 123},
      {{0, "abc123"}, 0},
      {{0, "-250"}, -250},
      {{0, "+7"}, 7},
      {{0, ""}, 0},
      {{263, "99"}, 99},  // the code is not examined
      {{263, std::nullopt}, 0},
  };
  for (const Case& c : cases) {
    ScriptedMedia media;
    media.answers = {c.answer, c.answer};
    EXPECT_EQ(MciLength(media, 0), c.value) << c.answer.reply.value_or("<none>");
    EXPECT_EQ(MciPosition(media, 0), c.value) << c.answer.reply.value_or("<none>");
  }
}

TEST(MciReplies, AReplyWithoutTerminatorIsReadToTheEndOfTheBuffer) {
  struct Unterminated : MediaService {
    std::uint32_t SendCommand(std::string_view, char* reply, std::uint32_t) override {
      std::memcpy(reply, "4711", 4);  // no terminator: the rest stays blank
      return 0;
    }
  } media;
  EXPECT_EQ(MciLength(media, 0), 4711);
  EXPECT_EQ(MciStatusMode(media, 0), 0);
}

TEST(FormatPlayTime, FieldsAreFittedToTwoCharacters) {
  EXPECT_EQ(FormatPlayTime(0), "00:00:00");
  EXPECT_EQ(FormatPlayTime(999), "00:00:00");
  EXPECT_EQ(FormatPlayTime(59999), "00:00:59");
  EXPECT_EQ(FormatPlayTime(60000), "00:01:00");
  EXPECT_EQ(FormatPlayTime(185000), "00:03:05");
  EXPECT_EQ(FormatPlayTime(3723000), "01:02:03");
  EXPECT_EQ(FormatPlayTime(35999999), "09:59:59");
  EXPECT_EQ(FormatPlayTime(36000000), "10:00:00");
  // Hours 100 to 109 keep their first two digits.
  EXPECT_EQ(FormatPlayTime(360000000), "10:00:00");
  EXPECT_EQ(FormatPlayTime(395999000), "10:59:59");
  EXPECT_EQ(FormatPlayTime(396000000), "11:00:00");
  EXPECT_EQ(FormatPlayTime(2147483647), "59:31:23");  // 596 h 31 min 23 s
}

TEST(FormatPlayTime, NegativeCountsTruncateTowardZero) {
  EXPECT_EQ(FormatPlayTime(-999), "00:00:00");
  EXPECT_EQ(FormatPlayTime(-1000), "00:00:-1");
  EXPECT_EQ(FormatPlayTime(-59000), "00:00:-5");  // "-59" keeps "-5"
  EXPECT_EQ(FormatPlayTime(-61000), "00:-1:-1");
  EXPECT_EQ(FormatPlayTime(-3723000), "-1:-2:-3");
  EXPECT_EQ(FormatPlayTime(-2147483647 - 1), "-5:-3:-2");
}

}  // namespace
}  // namespace kz
