#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kz::testing {

// Builds MP3-like byte sequences in memory: frames as a header and a body of zero bytes, tags
// and filler. Frame lengths are given by the test, so the builder knows no tables.
class Mp3Bytes {
 public:
  // `count` frames of `length` bytes with the header bytes FF, `second`, `third`, 0x44.
  Mp3Bytes& Frames(std::uint8_t second, std::uint8_t third, std::size_t length, int count = 1) {
    for (int i = 0; i < count; ++i) {
      std::size_t start = bytes_.size();
      bytes_.resize(start + length, 0);
      bytes_[start] = 0xFF;
      if (length > 1) bytes_[start + 1] = second;
      if (length > 2) bytes_[start + 2] = third;
      if (length > 3) bytes_[start + 3] = 0x44;
    }
    return *this;
  }
  Mp3Bytes& Bytes(std::initializer_list<std::uint8_t> values) {
    bytes_.insert(bytes_.end(), values);
    return *this;
  }
  // Bytes without any 0xFF, such as the space an end tag takes.
  Mp3Bytes& Filler(std::size_t count, std::uint8_t value = 0x20) {
    bytes_.insert(bytes_.end(), count, value);
    return *this;
  }
  // An ID3v2 header announcing `bodySize` bytes, and a body full of frame headers of another
  // bit rate (192 kbit/s), as picture data often looks. With flags 0x10 a footer follows whose
  // bytes also look like headers. `bodyWritten` cuts the body short, for a tag that announces
  // more than the file holds.
  Mp3Bytes& Id3v2(std::uint32_t bodySize, std::uint8_t flags = 0,
                  std::size_t bodyWritten = SIZE_MAX) {
    Bytes({'I', 'D', '3', 4, 0, flags});
    for (int shift = 21; shift >= 0; shift -= 7) {
      bytes_.push_back(static_cast<std::uint8_t>((bodySize >> shift) & 0x7F));
    }
    std::size_t body = bodyWritten == SIZE_MAX ? bodySize : bodyWritten;
    for (std::size_t i = 0; i < body; ++i) bytes_.push_back(LookAlike(i));
    if ((flags & 0x10) && bodyWritten == SIZE_MAX) {
      for (std::size_t i = 0; i < 10; ++i) bytes_.push_back(LookAlike(i));
    }
    return *this;
  }
  // Tags found at the end of files, each full of look-alike frame headers at 192 kbit/s.
  // ID3v1: "TAG" and 125 bytes; with `extended` a 227-byte "TAG+" block before it.
  Mp3Bytes& Id3v1(bool extended = false) {
    if (extended) Text("TAG+").LookAlikes(223);
    return Text("TAG").LookAlikes(125);
  }
  // APEv2: optional header, `itemBytes` of items, footer. The size field (items and footer)
  // is `announced` when given, for a tag whose size does not fit.
  Mp3Bytes& Ape(std::uint32_t itemBytes, bool withHeader, std::uint32_t announced = UINT32_MAX) {
    std::uint32_t size = announced == UINT32_MAX ? itemBytes + 32 : announced;
    std::uint32_t flags = withHeader ? 0x80000000u : 0;
    if (withHeader) ApeBlock(size, flags | 0x20000000u);
    LookAlikes(itemBytes);
    return ApeBlock(size, flags);
  }
  // APEv1: `itemBytes` of items and a footer of version 1000, which has no header.
  Mp3Bytes& ApeV1(std::uint32_t itemBytes) {
    LookAlikes(itemBytes);
    return ApeBlock(itemBytes + 32, 0, 1000);
  }
  // Lyrics3 v1: "LYRICSBEGIN", `textBytes` of text and "LYRICSEND", with no size.
  Mp3Bytes& Lyrics3v1(std::size_t textBytes) {
    return Text("LYRICSBEGIN").LookAlikes(textBytes).Text("LYRICSEND");
  }
  // Lyrics3 v2: "LYRICSBEGIN", fields, six size digits and "LYRICS200"; the digits say
  // `announced` when given.
  Mp3Bytes& Lyrics3(std::size_t fieldBytes, std::size_t announced = SIZE_MAX) {
    Text("LYRICSBEGIN").Text("LYR").LookAlikes(fieldBytes);
    std::size_t size = announced == SIZE_MAX ? 11 + 3 + fieldBytes : announced;
    std::string digits = std::to_string(size);
    return Text(std::string(6 - digits.size(), '0') + digits).Text("LYRICS200");
  }
  // An ID3v2 tag with a real footer ("3DI"), as placed at the end of a file; the footer
  // announces `footerBody` bytes when given.
  Mp3Bytes& Id3v2WithFooter(std::uint32_t bodySize, std::uint32_t footerBody = UINT32_MAX) {
    Id3v2Ten('I', 'D', '3', bodySize);
    LookAlikes(bodySize);
    return Id3v2Ten('3', 'D', 'I', footerBody == UINT32_MAX ? bodySize : footerBody);
  }
  Mp3Bytes& Text(const std::string& text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  Mp3Bytes& LookAlikes(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) bytes_.push_back(LookAlike(i));
    return *this;
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::vector<std::uint8_t>& bytes() { return bytes_; }

 private:
  Mp3Bytes& ApeBlock(std::uint32_t size, std::uint32_t flags, std::uint32_t version = 2000) {
    Text("APETAGEX");
    for (std::uint32_t value : {version, size, 1u, flags, 0u, 0u}) {
      for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    return *this;
  }
  Mp3Bytes& Id3v2Ten(char a, char b, char c, std::uint32_t bodySize) {
    Bytes({static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(c),
           4, 0, 0x10});
    for (int shift = 21; shift >= 0; shift -= 7) {
      bytes_.push_back(static_cast<std::uint8_t>((bodySize >> shift) & 0x7F));
    }
    return *this;
  }
  static std::uint8_t LookAlike(std::size_t i) {
    static constexpr std::uint8_t kHeader[4] = {0xFF, 0xFB, 0xB0, 0x00};
    return kHeader[i % 4];
  }
  std::vector<std::uint8_t> bytes_;
};

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kz_mp3_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  // The folder with a trailing '/', as directory texts end.
  std::string directory() const { return path_ + "/"; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::string path = File(name);
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
      if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
    return path;
  }

 private:
  std::string path_;
};

}  // namespace kz::testing
