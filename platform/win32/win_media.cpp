#include "platform/win32/win_media.h"

#include <windows.h>
// After windows.h: the lean headers leave the multimedia part out.
#include <mmsystem.h>

#include <cstring>
#include <string>

#include "platform/win32/wide_text.h"

namespace kz {
namespace {

// Copies the UTF-8 reply into the caller's buffer with its terminator, cut at a character
// boundary when it does not fit.
void CopyReply(const std::string& text, char* reply, std::uint32_t capacity) {
  std::size_t length = text.size();
  if (length + 1 > capacity) {
    length = capacity - 1;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  }
  std::memcpy(reply, text.data(), length);
  reply[length] = '\0';
}

}  // namespace

std::uint32_t WinMedia::SendCommand(std::string_view command, char* reply, std::uint32_t capacity) {
  std::wstring wideCommand = Widen(command);
  if (reply == nullptr || capacity == 0) {
    return mciSendStringW(wideCommand.c_str(), nullptr, 0, nullptr);
  }
  // The service fills a UTF-16 buffer of the same capacity in characters. Blanks in it, as in
  // the caller's buffer, so that a reply it leaves unwritten reads as nothing.
  std::wstring wideReply(capacity, L' ');
  MCIERROR result = mciSendStringW(wideCommand.c_str(), wideReply.data(), capacity, nullptr);
  std::size_t end = wideReply.find(L'\0');
  // Without a terminator the service wrote nothing; the caller's buffer stays as it was.
  if (end != std::wstring::npos)
    CopyReply(Narrow(std::wstring_view(wideReply).substr(0, end)), reply, capacity);
  return result;
}

}  // namespace kz
