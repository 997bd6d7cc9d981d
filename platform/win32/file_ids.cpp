#include "platform/win32/file_ids.h"

#include <cwchar>

namespace kz {

std::optional<ObjectId> IdOfHandle(HANDLE handle, std::uint64_t volume, bool wide) {
  if (wide) {
    FileIdInfo info{};
    if (GetFileInformationByHandleEx(handle, info_class::kFileId, &info, sizeof info)) {
      ObjectId id{volume, 0, 0};
      SplitFileId(info.fileId, id.file, id.fileHigh);
      return id;
    }
  }
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(handle, &information)) return std::nullopt;
  return ObjectId{
      volume,
      (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow,
      0};
}

bool VolumeHasTrustedIds(HANDLE onVolume) {
  DWORD serial = 0;
  wchar_t fileSystem[MAX_PATH + 1] = {};
  if (!GetVolumeInformationByHandleW(onVolume, nullptr, 0, &serial, nullptr, nullptr, fileSystem,
                                     MAX_PATH + 1)) {
    return false;
  }
  if (serial == 0) return false;
  // The file systems whose ids stay with their files for the time of a search. Shares of
  // Windows and Samba servers answer as NTFS.
  for (const wchar_t* known : {L"NTFS", L"ReFS", L"FAT", L"FAT32", L"exFAT", L"UDF", L"CDFS"}) {
    if (_wcsicmp(fileSystem, known) == 0) return true;
  }
  return false;
}

}  // namespace kz
