#include "common/shared_text.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

namespace kz {

SharedText::SharedText(std::string_view text) {
  if (text.empty()) return;  // an empty text and an absent text are the same
  void* memory = std::malloc(offsetof(Block, data) + text.size() + 1);
  if (!memory) throw std::bad_alloc();
  block_ = static_cast<Block*>(memory);
  block_->references = 1;
  block_->length = static_cast<std::uint32_t>(text.size());
  std::memcpy(block_->data, text.data(), text.size());
  block_->data[text.size()] = '\0';
}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
  other.Retain();
  Release();
  block_ = other.block_;
  return *this;
}

SharedText& SharedText::operator=(SharedText&& other) noexcept {
  if (this != &other) {
    Release();
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

void SharedText::Release() noexcept {
  if (block_ && --block_->references == 0) std::free(block_);
  block_ = nullptr;
}

std::string operator+(const SharedText& a, std::string_view b) {
  std::string joined;
  joined.reserve(a.size() + b.size());
  joined.append(a.view());
  joined.append(b);
  return joined;
}

}  // namespace kz
