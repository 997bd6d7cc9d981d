#include "common/windows_path_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace kz {
namespace {

// What a path becomes in the extended form, and whether Win32 path rules would open it as
// something else than what its names name.
struct PathCase {
  const wchar_t* path;
  const wchar_t* extended;
  bool rewritten;
};

const PathCase kPathCases[] = {
    // Drive paths take the prefix; a drive letter in either case.
    {L"C:\\Musik\\a.mp3", L"\\\\?\\C:\\Musik\\a.mp3", false},
    {L"d:\\x.mp3", L"\\\\?\\d:\\x.mp3", false},
    {L"C:\\Musik\\", L"\\\\?\\C:\\Musik\\", false},
    // UNC paths take the UNC form.
    {L"\\\\server\\share\\a.mp3", L"\\\\?\\UNC\\server\\share\\a.mp3", false},
    {L"\\\\server\\share\\nul.mp3", L"\\\\?\\UNC\\server\\share\\nul.mp3", true},
    // Already extended: left as it stands, and no rule applies to it any more.
    {L"\\\\?\\C:\\con.mp3", L"\\\\?\\C:\\con.mp3", false},
    {L"\\\\?\\UNC\\server\\share\\d.\\y.mp3", L"\\\\?\\UNC\\server\\share\\d.\\y.mp3", false},
    // Device paths, relative and drive-relative paths are not entries of a listing: unchanged.
    {L"\\\\.\\pipe\\x", L"\\\\.\\pipe\\x", false},
    {L"Musik\\a.mp3", L"Musik\\a.mp3", false},
    {L"C:a.mp3", L"C:a.mp3", false},
    {L"\\Musik\\a.mp3", L"\\Musik\\a.mp3", false},
    {L"1:\\a.mp3", L"1:\\a.mp3", false},
    {L"", L"", false},
    // A folder or file ending in a dot or a blank would lose it.
    {L"C:\\h-dots\\d.\\y.mp3", L"\\\\?\\C:\\h-dots\\d.\\y.mp3", true},
    {L"C:\\x \\a.mp3", L"\\\\?\\C:\\x \\a.mp3", true},
    {L"C:\\Musik\\a.mp3 ", L"\\\\?\\C:\\Musik\\a.mp3 ", true},
    {L"C:\\Musik\\a.", L"\\\\?\\C:\\Musik\\a.", true},
    // "." and ".." are no such names, nor is the empty name after a trailing backslash.
    {L"C:\\.\\a.mp3", L"\\\\?\\C:\\.\\a.mp3", false},
    {L"C:\\Musik\\..\\a.mp3", L"\\\\?\\C:\\Musik\\..\\a.mp3", false},
    // Device names, in any letter case, with or without extensions and blanks before them.
    {L"C:\\con.mp3", L"\\\\?\\C:\\con.mp3", true},
    {L"C:\\Musik\\NUL", L"\\\\?\\C:\\Musik\\NUL", true},
    {L"C:\\aux.txt.mp3", L"\\\\?\\C:\\aux.txt.mp3", true},
    {L"C:\\Prn.mp3", L"\\\\?\\C:\\Prn.mp3", true},
    {L"C:\\com1.mp3", L"\\\\?\\C:\\com1.mp3", true},
    {L"C:\\LPT9\\a.mp3", L"\\\\?\\C:\\LPT9\\a.mp3", true},
    {L"C:\\con .mp3", L"\\\\?\\C:\\con .mp3", true},
    // Names that only begin like a device are plain names.
    {L"C:\\com0.mp3", L"\\\\?\\C:\\com0.mp3", false},
    {L"C:\\com10.mp3", L"\\\\?\\C:\\com10.mp3", false},
    {L"C:\\lpt.mp3", L"\\\\?\\C:\\lpt.mp3", false},
    {L"C:\\console.mp3", L"\\\\?\\C:\\console.mp3", false},
    {L"C:\\nul-live.mp3", L"\\\\?\\C:\\nul-live.mp3", false},
};

TEST(WindowsPathRules, ListedPathsTakeTheExtendedFormAndRewritesAreFound) {
  for (const PathCase& c : kPathCases) {
    std::wstring path = c.path;
    EXPECT_EQ(ExtendedPath(path), std::wstring(c.extended)) << testing::PrintToString(path);
    EXPECT_EQ(PathRulesRewrite(path), c.rewritten) << testing::PrintToString(path);
  }
}

}  // namespace
}  // namespace kz
