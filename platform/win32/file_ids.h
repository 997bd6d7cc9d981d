#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/file_identity.h"

namespace kz {

// Information classes of Windows 8 and 10 that the headers hide below those versions. The
// program runs on Windows 7 too, so each is asked for and its absence handled.
namespace info_class {
constexpr auto kFileId = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);               // FILE_ID_INFO
constexpr auto kFileIdExtdDirectory = static_cast<FILE_INFO_BY_HANDLE_CLASS>(19);  // 128-bit ids
constexpr auto kDispositionEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
}  // namespace info_class

struct FileIdInfo {
  ULONGLONG volumeSerial;
  BYTE fileId[16];
};

struct FileIdExtdDirInfo {
  ULONG NextEntryOffset;
  ULONG FileIndex;
  LARGE_INTEGER CreationTime;
  LARGE_INTEGER LastAccessTime;
  LARGE_INTEGER LastWriteTime;
  LARGE_INTEGER ChangeTime;
  LARGE_INTEGER EndOfFile;
  LARGE_INTEGER AllocationSize;
  ULONG FileAttributes;
  ULONG FileNameLength;
  ULONG EaSize;
  ULONG ReparsePointTag;
  BYTE FileId[16];
  WCHAR FileName[1];
};

// A 128-bit file id's two halves; on NTFS the upper one is 0 and the lower one the 64-bit id.
inline void SplitFileId(const BYTE (&id)[16], std::uint64_t& low, std::uint64_t& high) {
  low = 0;
  high = 0;
  for (int at = 7; at >= 0; --at) low = low << 8 | id[at];
  for (int at = 15; at >= 8; --at) high = high << 8 | id[at];
}

// The file's id on its volume as the handle tells it: 128 bits where the system gives them
// (Windows 8 and later; FAT and exFAT refuse), else the 64-bit index. `volume` goes with it.
std::optional<ObjectId> IdOfHandle(HANDLE handle, std::uint64_t volume, bool wide);

// The id as a listing reports it: where the volume's ids cannot be trusted, unknown on the same
// volume, so that the file is told apart from others by its path alone.
inline ObjectId TrustedOrUnknown(const ObjectId& id, bool trusted) {
  return trusted ? id : ObjectId{id.volume, 0, 0};
}

// Whether a volume's file ids can tell its files apart: a volume serial of 0 (WebDAV) and file
// systems that number files afresh per open (Remote Desktop's and VirtualBox's shares) cannot.
bool VolumeHasTrustedIds(HANDLE onVolume);

}  // namespace kz
