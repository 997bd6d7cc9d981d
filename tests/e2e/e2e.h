#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The end-to-end driver: starts the real klangzwilling.exe and looks at it from outside, as a
// user's tools would (window texts, control geometry, list-view rows read across processes,
// mouse clicks through the input queue).
namespace kz::e2e {

struct Options {
  std::wstring exe;        // klangzwilling.exe
  std::wstring shots;      // folder for screenshots
  std::wstring work;       // a scratch folder of the scenario (Windows path)
  std::wstring workDrive;  // a drive letter mapped to `work` by the runner, e.g. L"M:"
};

// How many times longer than natively every wait of the driver lasts (--patience N): the
// program runs many times slower under emulation, and a native run must not wait longer.
void SetPatience(int factor);
DWORD Patient(DWORD ms);

// Collects failed checks of one scenario.
class Checker {
 public:
  explicit Checker(std::string scenario) : scenario_(std::move(scenario)) {}
  bool Check(bool condition, const std::string& what);
  bool Equal(const std::string& actual, const std::string& expected, const std::string& what);
  bool Equal(long long actual, long long expected, const std::string& what);
  int failures() const { return failures_; }

 private:
  std::string scenario_;
  int failures_ = 0;
};

using ScenarioMain = void (*)(const Options& options, Checker& check);

struct Scenario {
  Scenario(const char* name, ScenarioMain run);
};
struct RegisteredScenario {
  const char* name;
  ScenarioMain run;
};
std::vector<RegisteredScenario>& Scenarios();

// Waits until `ready` holds or the time (times the patience) is up; true when it held.
bool WaitFor(const std::function<bool()>& ready, DWORD timeoutMs = 10000);
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text);

}  // namespace kz::e2e
