#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include <winternl.h>

#include "common/windows_path_rules.h"
#include "platform/win32/file_ids.h"
#include "platform/win32/file_names.h"
#include "platform/win32/final_path.h"
#include "platform/win32/folder_path.h"
#include "platform/win32/shell_recycle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_handles.h"
#include "platform/win32/win_read_only_file.h"
#include "platform/win32/wine_trash.h"

// Exported by ntdll; not declared by every SDK's winternl.h.
extern "C" NTSTATUS NTAPI NtQueryAttributesFile(POBJECT_ATTRIBUTES attributes, void* basic);

namespace kz {
namespace {

// Where an id is known, the object must have it; where it is not (a file system without ids,
// a share that hands them out afresh), the path and the last write have to tell.
bool IdMatches(const std::optional<ObjectId>& actual, const ObjectId& expected) {
  if (!expected.known()) return true;
  return actual && *actual == expected;
}

// Moves the checked file out of its name within the checked folder, so that the name is free at
// once, as a delete with POSIX semantics would leave it. A move that the file system refuses
// (an immutable file, a folder without write permission) means the delete would fail too.
bool MoveOutOfName(HANDLE folder, HANDLE file) {
  static LONG moves = 0;
  // A short name of its own, so that a name near the length limit can move too.
  return GiveName(folder, file,
                  L".klangzwilling-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                      std::to_wstring(InterlockedIncrement(&moves)) + L".deleted",
                  NameAct::kMove);
}

// After the delete: the name no longer leads to the recorded file. Wine reports success for a
// delete that the file system refused (a folder without write permission, an immutable file);
// such a file still opens afterwards.
bool IsGone(const std::wstring& path, const FileIdentity& expected, bool wideIds) {
  UniqueFile again(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!again) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  // Whatever opens now under the name is another file, or the same one still there. With no
  // id to tell, it counts as still there.
  if (!expected.file.known()) return false;
  std::optional<ObjectId> now = IdOfHandle(again.get(), expected.file.volume, wideIds);
  return now && *now != expected.file;
}

// Whether nothing is found at the NT path `path` any more: a look that opens nothing.
bool NothingAt(const std::wstring& path) {
  UNICODE_STRING name{};
  name.Buffer = const_cast<PWSTR>(path.c_str());
  name.Length = static_cast<USHORT>(path.size() * sizeof(WCHAR));
  name.MaximumLength = name.Length;
  OBJECT_ATTRIBUTES attributes{};
  attributes.Length = sizeof attributes;
  attributes.ObjectName = &name;
  FILE_BASIC_INFO basic{};
  NTSTATUS status = NtQueryAttributesFile(&attributes, &basic);
  constexpr NTSTATUS kNameNotFound = static_cast<NTSTATUS>(0xC0000034);
  constexpr NTSTATUS kPathNotFound = static_cast<NTSTATUS>(0xC000003A);
  return status == kNameNotFound || status == kPathNotFound;
}

// Whether the folder at the NT path `path` is the open folder `folder`: the Unix path that Wine
// gave for a drive path is used only once it is seen to lead to the checked folder.
bool SameFolder(const std::wstring& path, HANDLE folder) {
  std::wstring win32Form = L"\\\\?\\" + path.substr(4);
  UniqueFile other(CreateFileW(win32Form.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!other) return false;
  std::optional<ObjectId> mine = IdOfHandle(folder, 0, false);
  std::optional<ObjectId> its = IdOfHandle(other.get(), 0, false);
  return mine && its && mine->known() && *mine == *its;
}

class WinListedFolder final : public ListedFolder {
 public:
  // `unixNtPath` is the folder's Unix path under Wine, empty elsewhere.
  WinListedFolder(UniqueFile folder, std::wstring path, std::wstring finalPath,
                  std::wstring unixNtPath, bool wideIds, bool underWine)
      : folder_(std::move(folder)),
        path_(std::move(path)),
        extendedPath_(ExtendedPath(path_)),
        finalPath_(std::move(finalPath)),
        unixNtPath_(std::move(unixNtPath)),
        wideIds_(wideIds),
        underWine_(underWine) {}

  bool RemoveFile(std::string_view name, const FileIdentity& expected) override {
    std::wstring entry = Widen(name);
    if (!Reachable(entry)) return false;
    std::wstring path = extendedPath_ + entry;
    std::wstring openedAs = OpenPath(entry);
    // Alone with the file, a delete takes its name at once; while another program holds it
    // (a search indexer, a virus scanner), only one that shares deleting may be done.
    bool alone = true;
    UniqueFile file = OpenEntry(openedAs, kDeleteAccess, 0);
    if (!file && GetLastError() == ERROR_SHARING_VIOLATION) {
      alone = false;
      file = OpenEntry(openedAs, kDeleteAccess, FILE_SHARE_READ | FILE_SHARE_DELETE);
    }
    if (!file || !IsRecorded(file.get(), entry, expected, FILE_ATTRIBUTE_READONLY) ||
        !DeleteChecked(file.get(), entry, alone)) {
      return false;
    }
    file.reset();
    // Under Wine the name is looked for by its Unix path first: where it is not, that costs one
    // stat, where the drive path costs a search of the folder for the name in other letter case.
    if (!unixNtPath_.empty() && NothingAt(unixNtPath_ + entry)) return true;
    return IsGone(path, expected, wideIds_);
  }

  bool RecycleFile(std::string_view name, const FileIdentity& expected) override {
    std::wstring entry = Widen(name);
    // The shell takes a path as the listing had it, and would read con.mp3 or a name ending in
    // a dot or a blank as another file: such a file stays.
    std::wstring shellPath = path_ + entry;
    if (!Reachable(entry) || PathRulesRewrite(shellPath)) return false;
    std::optional<WineTrash> trash;
    std::string unixPath;
    {
      UniqueFile file =
          OpenEntry(OpenPath(entry), kDeleteAccess, FILE_SHARE_READ | FILE_SHARE_DELETE);
      if (!file || !IsRecorded(file.get(), entry, expected, FILE_ATTRIBUTE_READONLY)) return false;
      if (underWine_) {
        trash = WineTrash::OfThisProcess();
        unixPath = WineMounts::UnixPath(shellPath);
        if (!trash || unixPath.empty() || unixNtPath_.empty() || !trash->CanTake(file.get())) {
          return false;
        }
      }
    }  // closed, for the shell opens the file by its path
    ShellRecycle shell = RecycleByFileOperation(shellPath);
    if (!underWine_) {
      return shell == ShellRecycle::kRecycled && IsGone(extendedPath_ + entry, expected, wideIds_);
    }
    if (shell == ShellRecycle::kNoFileOperation) DeleteWithUndo(shellPath);
    return NothingAt(unixNtPath_ + entry) && trash->Holds(entry, expected.file, wideIds_, unixPath);
  }

  std::unique_ptr<ReadOnlyFile> OpenFile(std::string_view name,
                                         const FileIdentity& expected) override {
    std::wstring entry = Widen(name);
    if (!Reachable(entry)) return nullptr;
    // Others may read the file meanwhile, not write it: the open fails while a writer holds it.
    UniqueFile file = OpenEntry(OpenPath(entry), GENERIC_READ, FILE_SHARE_READ);
    if (!file || !IsRecorded(file.get(), entry, expected, 0)) return nullptr;
    return ReadOnlyFileOf(std::move(file));
  }

 private:
  static constexpr DWORD kDeleteAccess = DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

  // The path a file of this folder is opened by: under Wine its Unix path, which spares Wine the
  // drive's translation; the final path of what opened is checked all the same.
  std::wstring OpenPath(std::wstring_view entry) const {
    if (unixNtPath_.empty()) return extendedPath_ + std::wstring(entry);
    // The W calls take the form "\\?\unix\...".
    std::wstring path = L"\\\\?\\" + unixNtPath_.substr(4);
    return path.append(entry);
  }

  // A name that is one entry of this folder, within the path limit that the listing had.
  bool Reachable(std::wstring_view entry) const {
    return !entry.empty() && entry.find_first_of(L"\\/:*?\"<>|") == std::wstring_view::npos &&
           path_.size() + entry.size() < WinFileSystem::kPathLimit;
  }

  // Opens the entry itself. Wine follows a Unix symlink all the same, and deleting through such
  // a handle removes the link's target, so IsRecorded also compares final paths.
  static UniqueFile OpenEntry(const std::wstring& path, DWORD access, DWORD share) {
    return UniqueFile(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN,
                                  nullptr));
  }

  // Whether the open file is the recorded one, a plain file without any of `refused`
  // attributes, and the entry itself in this folder: not a link's target, not a name that
  // Windows path rules or letter case turned into another one. Every answer comes from the one
  // open handle, in the cheapest calls that give it (the basic information and the internal
  // index cost Wine a few microseconds; GetFileInformationByHandle asks its mount manager for
  // the volume serial, about 0.6 ms).
  bool IsRecorded(HANDLE file, std::wstring_view entry, const FileIdentity& expected,
                  DWORD refused) const {
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) return false;
    if (basic.FileAttributes &
        (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | refused)) {
      return false;
    }
    if (basic.LastWriteTime.QuadPart != expected.lastWrite ||
        !IdMatches(IdOfHandle(file, expected.file.volume, wideIds_), expected.file)) {
      return false;
    }
    std::optional<std::wstring> filePath = FinalPath(file);
    return filePath && filePath->size() == finalPath_.size() + entry.size() &&
           filePath->starts_with(finalPath_) && filePath->ends_with(entry);
  }

  // Deletes the checked file through its own handle. Where the system can (Windows 10 1607 and
  // later, NTFS), the name goes at once even while another program holds the file open with
  // delete sharing; elsewhere (Wine, which has neither POSIX semantics nor a pending state it
  // reports, among them) a file that another program holds is first moved out of its name in
  // the same folder, and goes when the last handle to it closes. A file the program holds alone
  // loses its name when its handle closes, without the move, which costs Wine half a
  // millisecond.
  bool DeleteChecked(HANDLE file, std::wstring_view entry, bool alone) {
    if (posixDeletes_) {
      struct {
        DWORD flags;
      } posix{0x1 | 0x2};  // FILE_DISPOSITION_FLAG_DELETE | FILE_DISPOSITION_FLAG_POSIX_SEMANTICS
      if (SetFileInformationByHandle(file, info_class::kDispositionEx, &posix, sizeof posix)) {
        return true;
      }
      DWORD error = GetLastError();
      if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED &&
          error != ERROR_INVALID_FUNCTION) {
        return false;
      }
      posixDeletes_ = false;  // the folder's file system has none: not asked again
    }
    if (!alone && !MoveOutOfName(folder_.get(), file)) return false;
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition))) {
      return true;
    }
    if (!alone) GiveName(folder_.get(), file, entry, NameAct::kMove);  // back, as it was
    return false;
  }

  UniqueFile folder_;
  std::wstring path_;          // as the listing had it, ending in '\\'
  std::wstring extendedPath_;  // the same in the extended form
  std::wstring finalPath_;     // the open folder's final path, ending in '\\'
  std::wstring unixNtPath_;
  bool wideIds_;
  bool underWine_;
  bool posixDeletes_ = true;
};

}  // namespace

std::unique_ptr<ListedFolder> WinFileSystem::OpenListedFolder(std::string_view directory,
                                                              const ObjectId& expected) {
  std::wstring path = WideFolderPath(directory);
  if (path.size() >= kPathLimit) return nullptr;
  UniqueFile folder(CreateFileW(ExtendedPath(path).c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder) return nullptr;
  // The folder's volume and ids are judged as the listing judged them.
  VolumeFacts facts = lastSearch_->FactsOf(folder.get(), path);
  if (facts.volume != expected.volume ||
      !IdMatches(IdOfHandle(folder.get(), facts.volume, facts.wideIds), expected)) {
    return nullptr;
  }
  std::optional<std::wstring> finalPath = FinalPath(folder.get());
  if (!finalPath) return nullptr;
  std::wstring unixNtPath = underWine_ ? WineMounts::UnixNtPath(path) : std::wstring();
  if (!unixNtPath.empty() && !SameFolder(unixNtPath, folder.get())) unixNtPath.clear();
  return std::make_unique<WinListedFolder>(std::move(folder), std::move(path),
                                           WithBackslash(std::move(*finalPath)),
                                           std::move(unixNtPath), facts.wideIds, underWine_);
}

}  // namespace kz
