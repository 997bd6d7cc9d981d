#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kz {

// An immutable text that copies share instead of duplicating. A million collected files live in
// four record lists at once; sharing keeps one copy of each name and of each directory text.
// Single-threaded by design: the reference count is a plain integer.
class SharedText {
 public:
  SharedText() = default;
  SharedText(std::string_view text);  // NOLINT(google-explicit-constructor): texts read naturally
  SharedText(const char* text) : SharedText(std::string_view(text)) {}
  SharedText(const std::string& text) : SharedText(std::string_view(text)) {}
  SharedText(const SharedText& other) noexcept : block_(other.block_) { Retain(); }
  SharedText(SharedText&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  SharedText& operator=(const SharedText& other) noexcept;
  SharedText& operator=(SharedText&& other) noexcept;
  ~SharedText() { Release(); }

  std::string_view view() const {
    return block_ ? std::string_view(block_->data, block_->length) : std::string_view();
  }
  std::string str() const { return std::string(view()); }
  bool empty() const { return block_ == nullptr; }
  std::size_t size() const { return block_ ? block_->length : 0; }
  // True when both are copies of one text (or both empty): equal without reading the text.
  bool SharesTextWith(const SharedText& other) const { return block_ == other.block_; }
  operator std::string_view() const { return view(); }  // NOLINT(google-explicit-constructor)

  friend bool operator==(const SharedText& a, const SharedText& b) {
    return a.block_ == b.block_ || a.view() == b.view();
  }
  friend bool operator==(const SharedText& a, std::string_view b) { return a.view() == b; }
  friend bool operator==(const SharedText& a, const char* b) { return a.view() == b; }
  friend bool operator==(const SharedText& a, const std::string& b) { return a.view() == b; }

 private:
  struct Block {
    std::uint32_t references;
    std::uint32_t length;
    char data[1];
  };
  void Retain() const {
    if (block_) ++block_->references;
  }
  void Release() noexcept;

  Block* block_ = nullptr;
};

std::string operator+(const SharedText& a, std::string_view b);

}  // namespace kz
