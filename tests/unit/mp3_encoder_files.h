#pragma once

// Input for the encoders and the tags that taggers append to their output, for the tests of
// the reader on real encoded files.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace kz::testing {

inline void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 16-bit PCM WAV file of a tone under noise, so that a varying bit rate does vary.
inline std::vector<std::uint8_t> Wave(std::uint32_t rate, std::uint16_t channels,
                                      std::uint32_t samples) {
  std::uint32_t dataBytes = samples * channels * 2;
  std::vector<std::uint8_t> wav{'R', 'I', 'F', 'F'};
  PutLittleEndian(wav, 36 + dataBytes, 4);
  for (char c : std::string("WAVEfmt ")) wav.push_back(static_cast<std::uint8_t>(c));
  PutLittleEndian(wav, 16, 4);
  PutLittleEndian(wav, 1, 2);  // PCM
  PutLittleEndian(wav, channels, 2);
  PutLittleEndian(wav, rate, 4);
  PutLittleEndian(wav, rate * channels * 2, 4);
  PutLittleEndian(wav, channels * 2u, 2);
  PutLittleEndian(wav, 16, 2);
  for (char c : std::string("data")) wav.push_back(static_cast<std::uint8_t>(c));
  PutLittleEndian(wav, dataBytes, 4);
  std::uint32_t noise = 12345;
  for (std::uint32_t i = 0; i < samples; ++i) {
    noise = noise * 1103515245u + 12345u;
    int swell = static_cast<int>(i / (rate / 4) % 4);  // loud and quiet quarters of a second
    int value = static_cast<int>((noise >> 16) % 4001) * swell * 2 - 4000 * swell +
                ((i / 50) % 2 ? 3000 : -3000);
    for (int c = 0; c < channels; ++c) PutLittleEndian(wav, static_cast<std::uint16_t>(value), 2);
  }
  return wav;
}

// A PNG signature and half a megabyte of picture data full of bytes that look like headers.
inline std::vector<std::uint8_t> Cover() {
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const std::uint8_t pattern[] = {0xFF, 0xFB, 0xB0, 0x64, 0xFF, 0xF3, 0x40, 0x17, 0x00};
  std::uint32_t noise = 99;
  while (png.size() < 480 * 1024) {
    noise = noise * 1103515245u + 12345u;
    png.push_back((noise >> 20) % 3 ? pattern[png.size() % sizeof pattern]
                                    : static_cast<std::uint8_t>(noise >> 24));
  }
  return png;
}

enum class Appended { kNone, kApePicture, kId3v2AtEnd, kLyricsAndId3v1 };

inline void PutText(std::vector<std::uint8_t>& out, const std::string& text, bool withZero) {
  out.insert(out.end(), text.begin(), text.end());
  if (withZero) out.push_back(0);
}

inline void PutSynchsafe(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 21; shift >= 0; shift -= 7) out.push_back((value >> shift) & 0x7F);
}

// An APEv2 tag with header and footer holding the picture as "Cover Art (Front)".
inline std::vector<std::uint8_t> ApeTag(const std::vector<std::uint8_t>& png) {
  std::vector<std::uint8_t> items;
  PutLittleEndian(items, static_cast<std::uint32_t>(10 + png.size()), 4);
  PutLittleEndian(items, 2u << 1, 4);  // binary item
  PutText(items, "Cover Art (Front)", true);
  PutText(items, "cover.png", true);
  items.insert(items.end(), png.begin(), png.end());
  std::vector<std::uint8_t> tag;
  auto block = [&](std::uint32_t flags) {
    PutText(tag, "APETAGEX", false);
    PutLittleEndian(tag, 2000, 4);
    PutLittleEndian(tag, static_cast<std::uint32_t>(items.size() + 32), 4);
    PutLittleEndian(tag, 1, 4);
    PutLittleEndian(tag, flags, 4);
    PutLittleEndian(tag, 0, 4);
    PutLittleEndian(tag, 0, 4);
  };
  block(0xA0000000u);  // has a header, is the header
  tag.insert(tag.end(), items.begin(), items.end());
  block(0x80000000u);
  return tag;
}

// An ID3v2.4 tag with a footer, as placed at the end of a file, holding the picture.
inline std::vector<std::uint8_t> Id3v2AtEnd(const std::vector<std::uint8_t>& png) {
  std::vector<std::uint8_t> frame;
  frame.push_back(0);  // Latin-1
  PutText(frame, "image/png", true);
  frame.push_back(3);  // front cover
  frame.push_back(0);  // no description
  frame.insert(frame.end(), png.begin(), png.end());
  std::vector<std::uint8_t> body;
  PutText(body, "APIC", false);
  PutSynchsafe(body, static_cast<std::uint32_t>(frame.size()));
  body.push_back(0);
  body.push_back(0);
  body.insert(body.end(), frame.begin(), frame.end());
  std::vector<std::uint8_t> tag;
  for (const char* name : {"ID3", "3DI"}) {
    if (name[0] == '3') tag.insert(tag.end(), body.begin(), body.end());
    PutText(tag, name, false);
    tag.push_back(4);
    tag.push_back(0);
    tag.push_back(0x10);  // footer present
    PutSynchsafe(tag, static_cast<std::uint32_t>(body.size()));
  }
  return tag;
}

// A Lyrics3 v2 block, whose lyrics hold header-like bytes, followed by an ID3v1 tag.
inline std::vector<std::uint8_t> LyricsAndId3v1() {
  auto digits = [](std::size_t value, std::size_t width) {
    std::string text = std::to_string(value);
    return std::string(width - text.size(), '0') + text;
  };
  std::string words = "[00:01]\xFF\xFB\x90\x64 la la la";
  std::string lyrics = "LYRICSBEGININD0000211LYR" + digits(words.size(), 5) + words;
  std::vector<std::uint8_t> tag;
  PutText(tag, lyrics + digits(lyrics.size(), 6) + "LYRICS200", false);
  PutText(tag, "TAG", false);
  for (int i = 0; i < 125; ++i) tag.push_back(i % 2 ? 0xFB : 0xFF);
  return tag;
}

inline void Append(std::vector<std::uint8_t>& file, Appended appended) {
  std::vector<std::uint8_t> tag;
  switch (appended) {
    case Appended::kNone:
      return;
    case Appended::kApePicture:
      tag = ApeTag(Cover());
      break;
    case Appended::kId3v2AtEnd:
      tag = Id3v2AtEnd(Cover());
      break;
    case Appended::kLyricsAndId3v1:
      tag = LyricsAndId3v1();
      break;
  }
  file.insert(file.end(), tag.begin(), tag.end());
}

}  // namespace kz::testing
