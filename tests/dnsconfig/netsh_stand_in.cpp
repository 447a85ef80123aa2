// netsh.exe stand-in: records how it was started and exits with the code a test chose. Tests put
// it into the Wine prefix's System32 folder as netsh.exe (with WINEDLLOVERRIDES=netsh.exe=n, or
// Wine runs its builtin netsh there), which is the only netsh the program starts, so it sees
// exactly what the program sent.
//
// Protocol, all files in the stand-in's own folder:
//   netsh_log.txt        Each start appends its exact command line (GetCommandLineW) as
//                        UTF-16LE, without BOM, followed by one U+000A. The file is created on the
//                        first start. (The program never sends a line feed inside a command line,
//                        so the records cannot run together.)
//   netsh_startup.txt    Each start appends one ASCII line "<dwFlags> <wShowWindow> <console>\n":
//                        the first two from its STARTUPINFO, in decimal, so a test can check the
//                        window was hidden; <console> is 1 when it was given a console window
//                        (GetConsoleWindow), 0 when not.
//   netsh_exit_code.txt  Optional, ASCII. Line N (from 0) answers the N-th start, N being the
//                        number of records already in netsh_log.txt; the last line answers every
//                        later start. A line is one of:
//                          <code>             exit at once with <code> (decimal, may be negative)
//                          <code> <ms>        wait <ms> milliseconds, then exit with <code>
//                          hang               never exit (the test ends the process)
//                        A missing or empty file, or an unreadable line, means exit code 0.
// The record is written before the stand-in waits or hangs.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring OwnFolder() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return L".\\";
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L".\\" : path.substr(0, slash + 1);
}

std::string ReadWholeFile(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return {};
  }
  std::string content;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
    content.append(chunk, got);
  }
  CloseHandle(file);
  return content;
}

void AppendToFile(const std::wstring& path, const void* data, DWORD size) {
  const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return;
  }
  DWORD written = 0;
  WriteFile(file, data, size, &written, nullptr);
  CloseHandle(file);
}

// How many starts were recorded before this one.
std::size_t EarlierStarts(const std::wstring& logPath) {
  const std::string log = ReadWholeFile(logPath);
  std::size_t count = 0;
  for (std::size_t i = 0; i + 1 < log.size(); i += 2) {
    if (log[i] == '\n' && log[i + 1] == '\0') {
      ++count;
    }
  }
  return count;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.empty()) {
      lines.push_back(line);
    }
    start = end + 1;
  }
  return lines;
}

struct Answer {
  bool hang = false;
  UINT exitCode = 0;
  DWORD delayMs = 0;
};

Answer ParseAnswer(const std::string& line) {
  Answer answer;
  if (line.rfind("hang", 0) == 0) {
    answer.hang = true;
    return answer;
  }
  char* end = nullptr;
  const long code = std::strtol(line.c_str(), &end, 10);
  if (end == line.c_str()) {
    return answer;
  }
  answer.exitCode = static_cast<UINT>(code);
  const unsigned long delay = std::strtoul(end, nullptr, 10);
  answer.delayMs = static_cast<DWORD>(delay);
  return answer;
}

}  // namespace

// A console program, as netsh is: started by a program without a console it gets a console
// window of its own unless the creation flags say otherwise.
int wmain() {
  const std::wstring folder = OwnFolder();
  const std::wstring logPath = folder + L"netsh_log.txt";
  const std::size_t index = EarlierStarts(logPath);

  std::wstring record = GetCommandLineW();
  record += L'\n';
  AppendToFile(logPath, record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)));

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  const std::string startupLine = std::to_string(startup.dwFlags) + " " +
                                  std::to_string(startup.wShowWindow) + " " +
                                  (GetConsoleWindow() != nullptr ? "1" : "0") + "\n";
  AppendToFile(folder + L"netsh_startup.txt", startupLine.data(),
               static_cast<DWORD>(startupLine.size()));

  const std::vector<std::string> answers = Lines(ReadWholeFile(folder + L"netsh_exit_code.txt"));
  Answer answer;
  if (!answers.empty()) {
    answer = ParseAnswer(answers[index < answers.size() ? index : answers.size() - 1]);
  }
  if (answer.hang) {
    while (true) {
      Sleep(INFINITE);
    }
  }
  Sleep(answer.delayMs);
  ExitProcess(answer.exitCode);
}
