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

// The digest of a file, the same when read in pieces and when hashed as one block.
AudioDigest Digest(const Mp3Bytes& file, AudioBounds& bounds) {
  SpanBytes whole(file.bytes());
  PieceBytes pieces(file.bytes());
  bounds = FindAudioBounds(whole);
  AudioDigest digest = DigestAudio(whole, bounds);
  AudioDigest inPieces = DigestAudio(pieces, FindAudioBounds(pieces));
  EXPECT_EQ(inPieces.readable, digest.readable);
  if (digest.readable) {
    EXPECT_EQ(inPieces.hash, digest.hash);
    EXPECT_EQ(HashAudioBlock(whole, bounds.begin, digest.bytes), digest.hash);
  }
  return digest;
}

// Every row holds the same frames: a file whose tags alone differ digests alike.
TEST(AudioRange, TagsPaddingAndTheInformationFrameAreLeftOut) {
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
      {"65535 bytes of padding", [](Mp3Bytes& f) { f.Filler(65535, 0); }, {}},
      {"ID3v2, 65535 bytes of padding", [](Mp3Bytes& f) { f.Id3v2(99).Filler(65535); }, {}},
      {"a lone header", [](Mp3Bytes& f) { f.Frames(0xFB, 0x90, 417).Filler(9); }, {}},
      {"a frame of 48000 Hz", [](Mp3Bytes& f) { f.Frames(0xFB, 0x94, 384); }, {}},
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
  AudioBounds bounds;
  const AudioDigest expected = Digest(Audio(bare), bounds);
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
    AudioDigest digest = Digest(file, bounds);
    EXPECT_TRUE(bounds.found);
    EXPECT_EQ(bounds.begin, begin);
    EXPECT_EQ(bounds.length(), expected.bytes);
    EXPECT_TRUE(digest.readable);
    EXPECT_EQ(digest.frames, expected.frames);
    EXPECT_EQ(digest.bytes, expected.bytes);
    EXPECT_EQ(digest.hash, expected.hash);
  }
}

// The frames of one stream are walked by their own lengths; `frames` 0: unreadable.
TEST(AudioRange, EveryFrameIsWalkedToTheEndOfTheAudio) {
  const struct {
    const char* what;
    Add file;
    std::uint32_t frames;
  } cases[] = {
      {"MPEG-2", [](Mp3Bytes& f) { f.Frames(0xF3, 0x80, 208, 30); }, 30},
      {"MPEG-2.5", [](Mp3Bytes& f) { f.Frames(0xE3, 0x48, 288, 30); }, 30},
      {"padded and not", [](Mp3Bytes& f) { Audio(f, 2).Frames(0xFB, 0x92, 418); }, 3},
      {"varying rates, a header at 4094 across pieces",
       [](Mp3Bytes& f) { Audio(Audio(f, 8).Frames(0xFB, 0xB2, 627).Frames(0xFB, 0x22, 131), 5); },
       15},
      {"no frames", [](Mp3Bytes& f) { f.Filler(5000); }, 0},
      {"tags alone", [](Mp3Bytes& f) { f.Id3v2(100).Id3v1(); }, 0},
      {"65536 bytes of padding", [](Mp3Bytes& f) { Audio(f.Filler(65536, 0)); }, 0},
      {"ID3v2, 65536 bytes of padding", [](Mp3Bytes& f) { Audio(f.Id3v2(9).Filler(65536)); }, 0},
      {"free format", [](Mp3Bytes& f) { f.Frames(0xFB, 0x00, 417, 10); }, 0},
      {"a free-format frame", [](Mp3Bytes& f) { Audio(Audio(f, 5).Frames(0xFB, 0x00, 417), 5); },
       0},
      {"a frame cut off", [](Mp3Bytes& f) { Audio(f).bytes().resize(kFrames * k128Length - 9); },
       0},
      {"a header cut off", [](Mp3Bytes& f) { Audio(f).Text("\xFF\xFB"); }, 0},
      {"a frame cut off by a tag",
       [](Mp3Bytes& f) { Audio(f, kFrames - 1).Frames(0xFB, 0x90, 416).Id3v1(); }, 0},
      {"junk between frames", [](Mp3Bytes& f) { Audio(Audio(f, 5).Filler(1), 5); }, 0},
      {"another frequency", [](Mp3Bytes& f) { Audio(Audio(f, 5).Frames(0xFB, 0x94, 384), 5); }, 0},
      {"another version", [](Mp3Bytes& f) { Audio(Audio(f, 5).Frames(0xF3, 0x80, 208), 5); }, 0},
  };
  AudioBounds bounds;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Mp3Bytes file;
    c.file(file);
    AudioDigest digest = Digest(file, bounds);
    EXPECT_EQ(digest.readable, c.frames > 0);
    if (c.frames > 0) {
      EXPECT_EQ(digest.frames, c.frames);
      EXPECT_EQ(digest.bytes, file.bytes().size());
    }
  }
  // A read that fails at any of the six pieces of the audio.
  Mp3Bytes file;
  Digest(Audio(file), bounds);
  for (std::size_t failAt = 1; failAt <= 6; ++failAt) {
    PieceBytes failing(file.bytes(), failAt);
    EXPECT_FALSE(DigestAudio(failing, bounds).readable) << failAt;
  }
}

TEST(AudioRange, OneByteOfAudioChangesTheWholeHashAlone) {
  Mp3Bytes one, other;
  AudioBounds bounds;
  Audio(other).bytes()[kFrames / 2 * k128Length + 100] ^= 1;
  AudioDigest a = Digest(Audio(one), bounds), b = Digest(other, bounds);
  EXPECT_TRUE(a.readable && b.readable);
  EXPECT_EQ(a.bytes, b.bytes);
  EXPECT_NE(a.hash, b.hash);
  // The blocks at the start and at the end miss it. Blocks are clamped to the bytes.
  SpanBytes x(one.bytes()), y(other.bytes());
  EXPECT_EQ(HashAudioBlock(x, 0, 8192), HashAudioBlock(y, 0, 8192));
  EXPECT_EQ(HashAudioBlock(x, a.bytes - 8192, 8192), HashAudioBlock(y, b.bytes - 8192, 8192));
  EXPECT_EQ(HashAudioBlock(x, a.bytes - 100, UINT64_MAX), HashAudioBlock(x, a.bytes - 100, 100));
  EXPECT_EQ(HashAudioBlock(x, a.bytes + 5, 10), HashAudioBlock(x, 0, 0));
}

}  // namespace
}  // namespace kz
