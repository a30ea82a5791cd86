// This test program started again as a helper process of a test: it runs only the test that
// started it, with a role in its environment that tells that test to do its helper's part.
#pragma once

#include <windows.h>

#include <string>

namespace pagehold::testing {

class HelperProcess {
 public:
  explicit HelperProcess(const std::string& role);
  ~HelperProcess();  // a helper still running is ended
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  // Waits for the helper to end and gives its exit code; false when it still runs after the
  // timeout.
  bool WaitForExit(DWORD timeoutMilliseconds, DWORD& exitCode);
  // Ends the helper at once, wherever it is, as a crash or a power cut would.
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
};

// The role this process was started with, or empty when it is no helper.
std::string HelperRole();

// True under Wine, whose emulation of some facilities is known to differ in details.
inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace pagehold::testing
