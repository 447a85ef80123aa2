// A netsh.exe planted beside a program, as one could land in a downloads folder next to
// quorvel.exe. It must never run: when it does, it leaves planted_netsh_ran.txt in its own folder
// (one line per start) and exits with 0, as a malicious copy would pretend success.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  const HANDLE file =
      CreateFileW((folder + L"planted_netsh_ran.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, "ran\n", 4, &written, nullptr);
    CloseHandle(file);
  }
  return 0;
}
