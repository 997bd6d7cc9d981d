#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"

namespace kz {

void WinFileSystem::Listing::Close() {
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  find = INVALID_HANDLE_VALUE;
  firstPending = false;
}

WinFileSystem::~WinFileSystem() {
  for (Listing& listing : listings_) listing.Close();
}

WinFileSystem::Listing* WinFileSystem::At(std::int32_t depth) {
  if (depth < 0 || static_cast<std::size_t>(depth) >= listings_.size()) return nullptr;
  return &listings_[static_cast<std::size_t>(depth)];
}

bool WinFileSystem::OpenListing(std::int32_t depth, std::string_view directory,
                                std::string_view pattern) {
  if (depth < 0) return false;
  if (static_cast<std::size_t>(depth) >= listings_.size()) listings_.resize(depth + 1);
  Listing& listing = listings_[static_cast<std::size_t>(depth)];
  listing.Close();
  std::wstring search = Widen(directory);
  if (search.empty() || search.back() != L'\\') search += L'\\';
  search += Widen(pattern);
  // The classic path limit: a longer search path yields no entries, and nothing is copied into
  // a fixed buffer on the way.
  if (search.size() >= kPathLimit) return false;
  listing.find = FindFirstFileW(search.c_str(), &listing.data);
  if (listing.find == INVALID_HANDLE_VALUE) return false;
  listing.firstPending = true;
  return true;
}

bool WinFileSystem::NextEntry(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || listing->find == INVALID_HANDLE_VALUE) return false;
  if (listing->firstPending) {
    listing->firstPending = false;
  } else if (!FindNextFileW(listing->find, &listing->data)) {
    listing->Close();  // released as soon as it has delivered its last entry
    return false;
  }
  listing->name = Narrow(listing->data.cFileName);
  return true;
}

std::string_view WinFileSystem::EntryName(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing ? std::string_view(listing->name) : std::string_view();
}

std::int32_t WinFileSystem::EntryKind(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing && (listing->data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 2 : 1;
}

namespace {

// Symbolic links and junctions lead elsewhere; other reparse points (cloud placeholders,
// deduplicated files) hold their own contents and are plain files and folders to the scan.
bool LeadsElsewhere(const WIN32_FIND_DATAW& data) {
  return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         IsReparseTagNameSurrogate(data.dwReserved0);
}

}  // namespace

bool WinFileSystem::EntryIsLink(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing && LeadsElsewhere(listing->data);
}

std::int64_t WinFileSystem::EntrySize(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing) return -1;
  if (listing->data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  // The listing reports a link's own size, not its target's; FileSize has to answer that.
  if (LeadsElsewhere(listing->data)) return -1;
  return (static_cast<std::int64_t>(listing->data.nFileSizeHigh) << 32) |
         listing->data.nFileSizeLow;
}

void WinFileSystem::CloseListing(std::int32_t depth) {
  if (Listing* listing = At(depth)) listing->Close();
}

bool WinFileSystem::ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) {
  entries.clear();
  std::wstring search = Widen(directory);
  if (search.empty() || search.back() != L'\\') search += L'\\';
  search += L"*.*";
  if (search.size() >= kPathLimit) return false;
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW(search.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    std::wstring_view name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back(
        FolderEntry{Narrow(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return true;
}

}  // namespace kz
