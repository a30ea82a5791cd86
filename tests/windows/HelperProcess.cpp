#include "windows/HelperProcess.h"

#include <gtest/gtest.h>

namespace pagehold::testing {

namespace {

constexpr char kRoleVariable[] = "PAGEHOLD_HELPER_ROLE";

}  // namespace

HelperProcess::HelperProcess(const std::string& role) {
  char program[MAX_PATH];
  if (GetModuleFileNameA(nullptr, program, MAX_PATH) == 0)
    return;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  // Brief: a helper's output shows only what failed in it.
  std::string commandLine = std::string("\"") + program +
                            "\" --gtest_brief=1 --gtest_filter=" + test->test_suite_name() + "." +
                            test->name();
  // The helper inherits the environment as it is at its start.
  SetEnvironmentVariableA(kRoleVariable, role.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info_))
    info_ = {};
  SetEnvironmentVariableA(kRoleVariable, nullptr);
}

HelperProcess::~HelperProcess() {
  if (!Started())
    return;
  Kill();
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool HelperProcess::WaitForExit(DWORD timeoutMilliseconds, DWORD& exitCode) {
  if (!Started() || WaitForSingleObject(info_.hProcess, timeoutMilliseconds) != WAIT_OBJECT_0)
    return false;
  return GetExitCodeProcess(info_.hProcess, &exitCode) != 0;
}

void HelperProcess::Kill() {
  if (Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 9);
    WaitForSingleObject(info_.hProcess, INFINITE);
  }
}

std::string HelperRole() {
  char role[256];
  const DWORD length = GetEnvironmentVariableA(kRoleVariable, role, sizeof role);
  return length > 0 && length < sizeof role ? std::string(role, length) : std::string();
}

}  // namespace pagehold::testing
