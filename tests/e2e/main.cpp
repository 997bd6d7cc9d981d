// kz_e2e_driver: runs end-to-end scenarios against the real program.
//   kz_e2e_driver --exe PATH --shots DIR [--work DIR] [--drive M:] [--patience N] SCENARIO...

#include <cstdio>
#include <string>

#include "tests/e2e/e2e.h"

namespace kz::e2e {

Scenario::Scenario(const char* name, ScenarioMain run) {
  Scenarios().push_back({name, run});
}

std::vector<RegisteredScenario>& Scenarios() {
  static std::vector<RegisteredScenario> scenarios;
  return scenarios;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                      nullptr, nullptr);
  return narrow;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

namespace {
int patience = 1;
}  // namespace

void SetPatience(int factor) {
  patience = factor < 1 ? 1 : factor;
}
DWORD Patient(DWORD ms) {
  return ms * static_cast<DWORD>(patience);
}

bool WaitFor(const std::function<bool()>& ready, DWORD timeoutMs) {
  timeoutMs = Patient(timeoutMs);
  DWORD start = GetTickCount();
  for (;;) {
    if (ready()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(50);
  }
}

bool Checker::Check(bool condition, const std::string& what) {
  if (!condition) {
    ++failures_;
    std::printf("  FAIL %s: %s\n", scenario_.c_str(), what.c_str());
  }
  return condition;
}

bool Checker::Equal(const std::string& actual, const std::string& expected,
                    const std::string& what) {
  return Check(actual == expected, what + ": got \"" + actual + "\", want \"" + expected + "\"");
}

bool Checker::Equal(long long actual, long long expected, const std::string& what) {
  return Check(actual == expected,
               what + ": got " + std::to_string(actual) + ", want " + std::to_string(expected));
}

// The driver reads list views and the status bar in the program's memory, where LVITEMW and its
// kind hold pointers of the program's word size: the two must have the same. True also when the
// type cannot be read, so that the start fails with its own reason.
bool SameWordSize(const std::wstring& exe, int& programBits) {
  DWORD type = 0;
  if (!GetBinaryTypeW(exe.c_str(), &type)) return true;
  programBits = type == SCS_64BIT_BINARY ? 64 : 32;
  return programBits == static_cast<int>(sizeof(void*) * 8);
}

}  // namespace kz::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace kz::e2e;
  Options options;
  std::vector<std::string> wanted;
  for (int i = 1; i < argc; ++i) {
    std::wstring argument = argv[i];
    auto value = [&]() -> std::wstring { return i + 1 < argc ? argv[++i] : L""; };
    if (argument == L"--exe") {
      options.exe = value();
    } else if (argument == L"--shots") {
      options.shots = value();
    } else if (argument == L"--work") {
      options.work = value();
    } else if (argument == L"--drive") {
      options.workDrive = value();
    } else if (argument == L"--patience") {
      SetPatience(_wtoi(value().c_str()));
    } else {
      wanted.push_back(Utf8(argument));
    }
  }
  int programBits = 0;
  if (!options.exe.empty() && !SameWordSize(options.exe, programBits)) {
    std::printf(
        "  FAIL driver: the program is a %d-bit one, this driver a %d-bit one; use the "
        "driver built beside the program\n",
        programBits, static_cast<int>(sizeof(void*) * 8));
    return 1;
  }
  int passed = 0;
  int failed = 0;
  for (const std::string& name : wanted) {
    const RegisteredScenario* found = nullptr;
    for (const RegisteredScenario& scenario : Scenarios()) {
      if (name == scenario.name) found = &scenario;
    }
    if (!found) {
      std::printf("  FAIL %s: no such scenario\n", name.c_str());
      ++failed;
      continue;
    }
    Checker check(name);
    found->run(options, check);
    if (check.failures() == 0) {
      std::printf("  ok   %s\n", name.c_str());
      ++passed;
    } else {
      ++failed;
    }
    std::fflush(stdout);
  }
  std::printf("e2e: %d passed, %d failed\n", passed, failed);
  return failed == 0 && passed > 0 ? 0 : 1;
}
