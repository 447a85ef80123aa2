#include "e2e/test_folder.h"

#include <windows.h>

#include <tlhelp32.h>  // needs <windows.h> first

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "e2e/quorvel_process.h"

namespace e2e {
namespace {

// Writes the request, then waits for the watcher's answer file (up to 5 s).
bool AskWatcher(const char* request, const char* done, const std::string& line) {
  DeleteFileA(ExeFolderFile(done).c_str());
  // Written under another name and renamed, so the watcher never reads a request half written.
  const std::string path = ExeFolderFile(request);
  std::ofstream(path + ".part", std::ios::binary | std::ios::trunc) << line << "\n";
  if (!MoveFileExA((path + ".part").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return false;
  }
  for (int i = 0; i < 100; ++i) {
    if (FileExists(ExeFolderFile(done))) {
      return true;
    }
    Sleep(50);
  }
  return false;
}

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), towlower);
  return text;
}

}  // namespace

std::vector<std::wstring> DllsFromElsewhere(unsigned long processId, bool& boundFromSystem32) {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  const std::wstring system32 = Lower(std::wstring(folder, length) + L"\\");
  const std::wstring sideBySide = system32.substr(0, system32.size() - 9) + L"winsxs\\";

  std::vector<std::wstring> elsewhere;
  int bound = 0;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  for (BOOL more = snapshot != INVALID_HANDLE_VALUE && Module32FirstW(snapshot, &module); more;
       more = Module32NextW(snapshot, &module)) {
    const std::wstring path = Lower(module.szExePath);
    if (path.ends_with(L".exe")) {
      continue;
    }
    for (const wchar_t* name : {L"iphlpapi.dll", L"icmp.dll", L"mprapi.dll"}) {
      bound += path == system32 + name ? 1 : 0;
    }
    const bool fromSystem = path.rfind(system32, 0) == 0 ||
                            (path.rfind(sideBySide, 0) == 0 && path.ends_with(L"\\comctl32.dll"));
    if (!fromSystem) {
      elsewhere.push_back(path);
    }
  }
  if (snapshot != INVALID_HANDLE_VALUE) {
    CloseHandle(snapshot);
  }
  boundFromSystem32 = bound == 3;
  return elsewhere;
}

std::string StandInFile(const char* name) {
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder, length) + "\\" + name;
}

std::string ExeFolderFile(const char* name) {
  return QuorvelExeFolder() + name;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void ResetStandIn(const std::string& exitCodes) {
  DeleteFileA(StandInFile("netsh_log.txt").c_str());
  DeleteFileA(StandInFile("netsh_startup.txt").c_str());
  std::ofstream(StandInFile("netsh_exit_code.txt"), std::ios::trunc) << exitCodes << "\n";
}

std::vector<std::wstring> RecordedCommandLines() {
  const std::string bytes = ReadFile(StandInFile("netsh_log.txt"));
  std::wstring all(bytes.size() / 2, L'\0');
  std::memcpy(all.data(), bytes.data(), all.size() * 2);
  std::vector<std::wstring> lines;
  for (size_t start = 0, end; (end = all.find(L'\n', start)) != std::wstring::npos;
       start = end + 1) {
    lines.push_back(all.substr(start, end - start));
  }
  return lines;
}

bool ChangeConnectionAddress(const std::string& device, const std::string& address) {
  return AskWatcher("ip_change_request", "ip_change_done", device + " " + address);
}

bool SetReportedDnsServers(const std::string& spaceSeparatedServers) {
  return AskWatcher("resolv_request", "resolv_done", spaceSeparatedServers);
}

bool RealInput(const std::string& xdotoolArguments) {
  return AskWatcher("input_request", "input_done", xdotoolArguments);
}

}  // namespace e2e
