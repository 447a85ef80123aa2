#include "platform/process.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "platform/win32/responsive_wait.h"

namespace platform {
namespace {

struct HandleCloser {
  void operator()(HANDLE handle) const {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
      CloseHandle(handle);
    }
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Strict conversion: a command line that is not valid UTF-8 is refused rather than altered.
std::optional<std::wstring> Utf8ToWide(std::string_view text) {
  if (text.empty()) {
    return std::wstring();
  }
  const int sourceLength = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), sourceLength, nullptr, 0);
  if (length <= 0) {
    return std::nullopt;
  }
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), sourceLength, wide.data(),
                          length) != length) {
    return std::nullopt;
  }
  return wide;
}

// netsh.exe of the System32 folder. The program runs elevated, and the system's search for a
// bare "netsh" would look in the program's own folder first.
std::optional<std::wstring> SystemNetshPath() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return std::nullopt;
  }
  return std::wstring(folder, length) + L"\\netsh.exe";
}

DWORD WaitMilliseconds(std::chrono::milliseconds limit) {
  // INFINITE is 0xFFFFFFFF; stay one below it so a huge limit is still a limit.
  const long long clamped = std::clamp<long long>(limit.count(), 0, INFINITE - 1);
  return static_cast<DWORD>(clamped);
}

}  // namespace

ProcessResult RunHidden(std::string_view commandLine, std::chrono::milliseconds waitLimit) {
  const std::optional<std::wstring> wide = Utf8ToWide(commandLine);
  const std::optional<std::wstring> netsh = SystemNetshPath();
  if (!wide || wide->find(L'\0') != std::wstring::npos || !netsh) {
    return {ProcessOutcome::NotStarted, 0};
  }
  // CreateProcessW may write into the command line, so it gets a private, writable copy.
  std::wstring buffer = *wide;

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};

  // netsh is a console program: without CREATE_NO_WINDOW it gets a console, which Windows 11
  // may hand to a terminal that does not honour the hidden show state.
  if (!CreateProcessW(netsh->c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &info)) {
    return {ProcessOutcome::NotStarted, 0};
  }
  const UniqueHandle thread(info.hThread);
  const UniqueHandle process(info.hProcess);

  switch (win32::WaitKeepingWindowsAlive(process.get(), WaitMilliseconds(waitLimit))) {
    case win32::WaitEnd::Signalled:
      break;
    case win32::WaitEnd::TimedOut:
      return {ProcessOutcome::TimedOut, 0};  // left running: we only stop waiting for it
    case win32::WaitEnd::Failed:
      return {ProcessOutcome::WaitFailed, 0};
  }
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process.get(), &exitCode)) {
    return {ProcessOutcome::WaitFailed, 0};
  }
  return {ProcessOutcome::Exited, exitCode};
}

}  // namespace platform
