// A decoy of a system DLL (built as iphlpapi.dll, icmp.dll and mprapi.dll), planted beside the
// exe under test. Loading it is the fault: it appends its own file name and the loading process's
// exe name to decoy_loads.txt in its folder, then refuses to load.
#include <windows.h>

#include <string>

namespace {

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  return std::wstring(path, length);
}

std::wstring FileName(const std::wstring& path) {
  return path.substr(path.find_last_of(L"\\/") + 1);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) {
    return TRUE;
  }
  const std::wstring own = ModulePath(instance);
  const std::wstring folder = own.substr(0, own.find_last_of(L"\\/") + 1);
  const std::wstring record = FileName(own) + L" " + FileName(ModulePath(nullptr)) + L"\n";
  const std::string bytes(record.begin(), record.end());  // the names are ASCII
  const HANDLE file =
      CreateFileW((folder + L"decoy_loads.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  return FALSE;
}
