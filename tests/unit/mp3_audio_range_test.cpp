// The audio of a file is its frames without the tags around them: files whose tags alone differ
// digest alike, and any fault in the frames makes the audio unreadable.

#include "mp3/audio_range.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "tests/fakes/piece_bytes.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Mp3Bytes;
using testing::PieceBytes;
using Add = std::function<void(Mp3Bytes&)>;

constexpr std::size_t k128Length = 417;  // FF FB 90: MPEG-1, 128 kbit/s, 44100 Hz
constexpr std::uint32_t kFrames = 50;

// `count` frames of 128 kbit/s whose bodies differ, so that the hash sees every byte.
Mp3Bytes& Audio(Mp3Bytes& file, std::uint32_t count = kFrames) {
  std::size_t start = file.bytes().size();
  file.Frames(0xFB, 0x90, k128Length, static_cast<int>(count));
  for (std::size_t i = 4; i < file.bytes().size() - start; ++i) {
    if (i % k128Length >= 4) file.bytes()[start + i] = static_cast<std::uint8_t>(i * 7 % 127);
  }
  return file;
}

struct Read {
  AudioBounds bounds;
  AudioDigest digest;
};

// The bounds and digest of a file, which must be the same when it is read in pieces.
Read ReadAudio(const Mp3Bytes& file) {
  SpanBytes whole(file.bytes());
  Read read{FindAudioBounds(whole), {}};
  read.digest = DigestAudio(whole, read.bounds);
  PieceBytes pieces(file.bytes());
  AudioDigest inPieces = DigestAudio(pieces, FindAudioBounds(pieces));
  EXPECT_EQ(inPieces.readable, read.digest.readable);
  if (read.digest.readable) {
    EXPECT_EQ(inPieces.hash, read.digest.hash);
    EXPECT_EQ(inPieces.frames, read.digest.frames);
    EXPECT_EQ(HashAudioBlock(whole, read.bounds.begin, read.digest.bytes), read.digest.hash);
  }
  return read;
}

// Every row's audio is the same frames: a file whose tags alone differ digests alike.
TEST(AudioRange, TagsAndTheInformationFrameAreLeftOut) {
  const auto xing = [](Mp3Bytes& f) {
    f.Frames(0xFB, 0x50, 208);  // 64 kbit/s, 208 bytes; "Xing" after the side information
    std::memcpy(f.bytes().data() + f.bytes().size() - 208 + 36, "Xing", 4);
  };
  const struct {
    const char* what;
    Add front, back;
  } layouts[] = {
      {"no tags", {}, {}},
      {"ID3v2", [](Mp3Bytes& f) { f.Id3v2(3000); }, {}},
      {"ID3v2 tags in a row, v2.4 footer", [](Mp3Bytes& f) { f.Id3v2(9).Id3v2(500, 0x10); }, {}},
      {"information frame", xing, {}},
      {"ID3v2, information frame", [&](Mp3Bytes& f) { xing(f.Id3v2(70)); }, {}},
      {"ID3v1", {}, [](Mp3Bytes& f) { f.Id3v1(); }},
      {"ID3v1 with TAG+", {}, [](Mp3Bytes& f) { f.Id3v1(true); }},
      {"APEv1", {}, [](Mp3Bytes& f) { f.ApeV1(300); }},
      {"APEv1, ID3v1", {}, [](Mp3Bytes& f) { f.ApeV1(300).Id3v1(); }},
      {"APEv2 without header", {}, [](Mp3Bytes& f) { f.Ape(3000, false); }},
      {"APEv2 with header", {}, [](Mp3Bytes& f) { f.Ape(3000, true); }},
      {"Lyrics3 v1, ID3v1", {}, [](Mp3Bytes& f) { f.Lyrics3v1(2000).Id3v1(); }},
      {"Lyrics3 v2", {}, [](Mp3Bytes& f) { f.Lyrics3(2000); }},
      {"ID3v2 with footer at the end", {}, [](Mp3Bytes& f) { f.Id3v2WithFooter(5000); }},
      {"all in a row", [](Mp3Bytes& f) { f.Id3v2(100).Id3v2(50, 0x10); },
       [](Mp3Bytes& f) {
         f.Id3v2WithFooter(50).Ape(100, true).ApeV1(20).Lyrics3(30).Lyrics3v1(40).Id3v1(true);
       }},
  };
  Mp3Bytes bare;
  const AudioDigest expected = ReadAudio(Audio(bare)).digest;
  EXPECT_TRUE(expected.readable);
  EXPECT_EQ(expected.frames, kFrames);
  EXPECT_EQ(expected.bytes, kFrames * k128Length);
  for (const auto& layout : layouts) {
    SCOPED_TRACE(layout.what);
    Mp3Bytes file;
    if (layout.front) layout.front(file);
    std::size_t begin = file.bytes().size();
    Audio(file);
    if (layout.back) layout.back(file);
    Read read = ReadAudio(file);
    EXPECT_TRUE(read.bounds.found);
    EXPECT_EQ(read.bounds.begin, begin);
    EXPECT_EQ(read.bounds.length(), expected.bytes);
    EXPECT_TRUE(read.digest.readable);
    EXPECT_EQ(read.digest.frames, expected.frames);
    EXPECT_EQ(read.digest.bytes, expected.bytes);
    EXPECT_EQ(read.digest.hash, expected.hash);
  }
}

TEST(AudioRange, FramesOfOneStreamAreWalkedByTheirOwnLengths) {
  const struct {
    const char* what;
    Add audio;
    std::uint32_t frames;
  } streams[] = {
      {"MPEG-2", [](Mp3Bytes& f) { f.Frames(0xF3, 0x80, 208, 30); }, 30},
      {"MPEG-2.5", [](Mp3Bytes& f) { f.Frames(0xE3, 0x48, 288, 30); }, 30},
      {"padded and not",
       [](Mp3Bytes& f) { Audio(f, 2).Frames(0xFB, 0x92, 418).Frames(0xFB, 0x90, 417); }, 4},
      {"varying rates, a header at 4094 across pieces",
       [](Mp3Bytes& f) { Audio(Audio(f, 8).Frames(0xFB, 0xB2, 627).Frames(0xFB, 0x22, 131), 5); },
       15},
  };
  for (const auto& stream : streams) {
    SCOPED_TRACE(stream.what);
    Mp3Bytes file;
    stream.audio(file);
    Read read = ReadAudio(file);
    EXPECT_TRUE(read.digest.readable);
    EXPECT_EQ(read.digest.frames, stream.frames);
    EXPECT_EQ(read.digest.bytes, file.bytes().size());
  }
}

TEST(AudioRange, FaultyFramesMakeTheAudioUnreadable) {
  const struct {
    const char* what;
    Add file;
  } cases[] = {
      {"no frames", [](Mp3Bytes& f) { f.Filler(5000); }},
      {"tags alone", [](Mp3Bytes& f) { f.Id3v2(100).Id3v1(); }},
      {"free format", [](Mp3Bytes& f) { f.Frames(0xFB, 0x00, 417, 10); }},
      {"a free-format frame", [](Mp3Bytes& f) { Audio(Audio(f, 5).Frames(0xFB, 0x00, 417), 5); }},
      {"a frame cut off", [](Mp3Bytes& f) { Audio(f).bytes().resize(kFrames * k128Length - 9); }},
      {"a header cut off", [](Mp3Bytes& f) { Audio(f).Text("\xFF\xFB"); }},
      {"a frame cut off by a tag",
       [](Mp3Bytes& f) { Audio(f, kFrames - 1).Frames(0xFB, 0x90, 416).Id3v1(); }},
      {"junk between frames", [](Mp3Bytes& f) { Audio(Audio(f, 5).Filler(1), 5); }},
      {"another frequency", [](Mp3Bytes& f) { Audio(Audio(f, 5).Frames(0xFB, 0x94, 384), 5); }},
      {"another version", [](Mp3Bytes& f) { Audio(Audio(f, 5).Frames(0xF3, 0x80, 208), 5); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Mp3Bytes file;
    c.file(file);
    EXPECT_FALSE(ReadAudio(file).digest.readable);
  }
  // A read that fails at any of the six pieces of the audio.
  Mp3Bytes file;
  SpanBytes whole(Audio(file).bytes());
  const AudioBounds bounds = FindAudioBounds(whole);
  for (std::size_t failAt = 1; failAt <= 6; ++failAt) {
    PieceBytes failing(file.bytes(), failAt);
    EXPECT_FALSE(DigestAudio(failing, bounds).readable) << failAt;
    PieceBytes failingSearch(file.bytes(), failAt);
    EXPECT_FALSE(FindAudioBounds(failingSearch).found && failingSearch.failed()) << failAt;
  }
}

TEST(AudioRange, OneByteOfAudioChangesTheHashAlone) {
  Mp3Bytes one, other;
  Audio(one);
  Audio(other).bytes()[kFrames / 2 * k128Length + 100] ^= 1;
  AudioDigest a = ReadAudio(one).digest, b = ReadAudio(other).digest;
  EXPECT_TRUE(a.readable && b.readable);
  EXPECT_EQ(a.bytes, b.bytes);
  EXPECT_NE(a.hash, b.hash);
  // The blocks at the start and at the end miss it; the whole hash does not.
  SpanBytes x(one.bytes()), y(other.bytes());
  EXPECT_EQ(HashAudioBlock(x, 0, 8192), HashAudioBlock(y, 0, 8192));
  EXPECT_EQ(HashAudioBlock(x, a.bytes - 8192, 8192), HashAudioBlock(y, b.bytes - 8192, 8192));
}

TEST(AudioRange, BlocksAreClampedToTheBytes) {
  Mp3Bytes file;
  SpanBytes whole(Audio(file).bytes());
  const std::uint64_t size = file.bytes().size();
  EXPECT_EQ(HashAudioBlock(whole, size - 100, 1000), HashAudioBlock(whole, size - 100, 100));
  EXPECT_EQ(HashAudioBlock(whole, 10, UINT64_MAX), HashAudioBlock(whole, 10, size - 10));
  EXPECT_EQ(HashAudioBlock(whole, UINT64_MAX, 10), HashAudioBlock(whole, 0, 0));
  EXPECT_NE(HashAudioBlock(whole, 0, 1), HashAudioBlock(whole, 0, 0));
}

TEST(AudioRange, FirstFrameIsLookedForIn64KiBAfterTheLeadingTags) {
  const struct {
    const char* what;
    Add before;
    bool found;
  } cases[] = {
      {"65535 bytes of padding", [](Mp3Bytes& f) { f.Filler(65535, 0); }, true},
      {"65536 bytes of padding", [](Mp3Bytes& f) { f.Filler(65536, 0); }, false},
      {"ID3v2, 65535 bytes", [](Mp3Bytes& f) { f.Id3v2(70000).Filler(65535); }, true},
      {"ID3v2, 65536 bytes", [](Mp3Bytes& f) { f.Id3v2(70000).Filler(65536); }, false},
      {"a lone header before", [](Mp3Bytes& f) { f.Frames(0xFB, 0x90, 417).Filler(9); }, true},
      {"a frame of 48000 Hz before", [](Mp3Bytes& f) { f.Frames(0xFB, 0x94, 384); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Mp3Bytes file;
    c.before(file);
    std::size_t begin = file.bytes().size();
    Read read = ReadAudio(Audio(file));
    EXPECT_EQ(read.bounds.found, c.found);
    EXPECT_EQ(read.digest.readable, c.found);
    if (c.found) {
      EXPECT_EQ(read.bounds.begin, begin);
    }
  }
}

}  // namespace
}  // namespace kz
