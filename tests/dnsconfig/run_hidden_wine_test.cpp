// RunHidden against the recording netsh.exe stand-in, which the test script makes the netsh.exe
// of the prefix's System32 folder: it must see the exact UTF-16 command line, a hidden window and
// no console, and its way of ending must come back as the outcome. The netsh.exe that the build
// plants next to this test must never run.
#include <windows.h>

#include <tlhelp32.h>  // needs <windows.h> first

#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "dnsconfig/netsh_command_lines.h"
#include "platform/process.h"

namespace {

using namespace std::chrono_literals;
using platform::ProcessOutcome;
using platform::RunHidden;

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring System32Folder() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  return std::wstring(path, length) + L"\\";
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return {};
  }
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
    bytes.append(chunk, got);
  }
  CloseHandle(file);
  return bytes;
}

void WriteText(const std::wstring& path, const std::string& text) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// The log as the stand-in writes it: UTF-16LE records, each ended by U+000A.
std::string LogOf(std::initializer_list<std::wstring> commandLines) {
  std::string bytes;
  for (const std::wstring& line : commandLines) {
    for (const wchar_t c : line + L"\n") {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
  }
  return bytes;
}

// Ends stand-ins this test started that are still running (the hang mode).
void EndOwnStandIns() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) {
    return;
  }
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ParentProcessID == GetCurrentProcessId() &&
        lstrcmpiW(entry.szExeFile, L"netsh.exe") == 0) {
      if (const HANDLE process =
              OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
        TerminateProcess(process, 9);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
      }
    }
  }
  CloseHandle(snapshot);
}

class RunHiddenWithStandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    // Like quorvel.exe, a GUI program, this test runs without a console of its own: a console
    // program it starts would get a new one unless told not to.
    FreeConsole();
    ASSERT_TRUE(Exists(folder_ + L"netsh.exe")) << "the stand-in must be System32's netsh.exe";
    ASSERT_TRUE(Exists(OwnFolder() + L"netsh.exe")) << "the planted netsh.exe must be beside me";
    RemoveFiles();
  }
  void TearDown() override {
    EndOwnStandIns();
    EXPECT_FALSE(Exists(OwnFolder() + L"planted_netsh_ran.txt")) << "the planted netsh ran";
    RemoveFiles();
  }
  void RemoveFiles() {
    for (const wchar_t* name : {L"netsh_log.txt", L"netsh_startup.txt", L"netsh_exit_code.txt"}) {
      DeleteFileW((folder_ + name).c_str());
    }
    DeleteFileW((OwnFolder() + L"planted_netsh_ran.txt").c_str());
  }
  void AnswerWith(const std::string& lines) { WriteText(folder_ + L"netsh_exit_code.txt", lines); }
  std::string Log() { return ReadBytes(folder_ + L"netsh_log.txt"); }
  std::string Startups() { return ReadBytes(folder_ + L"netsh_startup.txt"); }

  const std::wstring folder_ = System32Folder();  // where the stand-in records
};

TEST_F(RunHiddenWithStandIn, UnicodeNameArrivesExactlyAndTheWindowIsHidden) {
  const platform::ProcessResult result =
      RunHidden(SetPrimaryDnsCommandLine("以太网 2", "223.5.5.5"));

  EXPECT_EQ(result.outcome, ProcessOutcome::Exited);
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_TRUE(result.Succeeded());
  EXPECT_EQ(Log(), LogOf({LR"(netsh interface ip set dns name="以太网 2" source=static )"
                          LR"(addr="223.5.5.5" register=primary)"}));
  EXPECT_EQ(Startups(), "1 0 0\n");  // STARTF_USESHOWWINDOW, SW_HIDE, no console
}

// The control for the console check: the same stand-in started without CREATE_NO_WINDOW does
// get a console, so "no console" above is RunHidden's doing.
TEST_F(RunHiddenWithStandIn, WithoutTheNoWindowFlagAConsoleWouldShow) {
  std::wstring commandLine = L"netsh control";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW((folder_ + L"netsh.exe").c_str(), commandLine.data(), nullptr, nullptr,
                             FALSE, 0, nullptr, nullptr, &startup, &info));
  WaitForSingleObject(info.hProcess, 10000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  EXPECT_EQ(Startups(), "1 0 1\n");
}

// Whatever the command line's first word says, the program that runs is System32's netsh.exe,
// never the one beside the exe (checked after every test) nor one found by a search.
TEST_F(RunHiddenWithStandIn, RunsSystem32NetshWhateverTheFirstWord) {
  EXPECT_TRUE(RunHidden("netsh first", 10s).Succeeded());
  EXPECT_TRUE(RunHidden("quorvel-no-such-program-7f3a interface ip", 10s).Succeeded());
  EXPECT_EQ(Log(), LogOf({L"netsh first", L"quorvel-no-such-program-7f3a interface ip"}));
}

// Without a netsh.exe in System32 nothing runs, also when one lies beside the exe.
TEST_F(RunHiddenWithStandIn, NoSystem32NetshIsNotStarted) {
  const std::wstring netsh = folder_ + L"netsh.exe", aside = folder_ + L"netsh.exe.aside";
  ASSERT_TRUE(MoveFileW(netsh.c_str(), aside.c_str()));
  const platform::ProcessResult result = RunHidden("netsh interface ip", 10s);
  ASSERT_TRUE(MoveFileW(aside.c_str(), netsh.c_str()));
  EXPECT_EQ(result.outcome, ProcessOutcome::NotStarted);
}

TEST_F(RunHiddenWithStandIn, ExitCodeDecidesSuccess) {
  struct Case {
    std::string answer;
    unsigned long exitCode;
    bool succeeded;
  };
  for (const Case& c : {Case{"0", 0, true}, Case{"1", 1, false}, Case{"-1", 0xFFFFFFFFul, false},
                        Case{"0 300", 0, true}}) {
    SCOPED_TRACE(c.answer);
    RemoveFiles();
    AnswerWith(c.answer);
    const platform::ProcessResult result =
        RunHidden(AddSecondaryDnsCommandLine("以太网 2", "8.8.4.4"), 10s);
    EXPECT_EQ(result.outcome, ProcessOutcome::Exited);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.Succeeded(), c.succeeded);
    EXPECT_EQ(Log(), LogOf({LR"(netsh interface ip add dnsservers name="以太网 2" )"
                            LR"(address="8.8.4.4" index=2)"}));
  }
}

TEST_F(RunHiddenWithStandIn, WaitsForTheEndBeforeAnswering) {
  AnswerWith("0 700");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(RunHidden("netsh slow", 10s).Succeeded());
  EXPECT_GE(std::chrono::steady_clock::now() - start, 700ms);
}

TEST_F(RunHiddenWithStandIn, OneAnswerPerStartInOrder) {
  AnswerWith("0\n1\n");
  EXPECT_EQ(RunHidden("netsh first", 10s).exitCode, 0u);
  EXPECT_EQ(RunHidden("netsh second", 10s).exitCode, 1u);
  EXPECT_EQ(RunHidden("netsh third", 10s).exitCode, 1u);  // the last answer repeats
  EXPECT_EQ(Log(), LogOf({L"netsh first", L"netsh second", L"netsh third"}));
}

TEST_F(RunHiddenWithStandIn, AProcessThatNeverEndsIsATimeOut) {
  AnswerWith("hang");
  const auto start = std::chrono::steady_clock::now();
  const platform::ProcessResult result = RunHidden("netsh hang", 500ms);
  const auto waited = std::chrono::steady_clock::now() - start;

  EXPECT_EQ(result.outcome, ProcessOutcome::TimedOut);
  EXPECT_FALSE(result.Succeeded());
  EXPECT_GE(waited, 500ms);
  EXPECT_LT(waited, 5s);
  EXPECT_EQ(Log(), LogOf({L"netsh hang"}));  // it did start
}

TEST_F(RunHiddenWithStandIn, WhatCannotStartIsNotStarted) {
  for (const std::string& commandLine :
       {std::string("netsh \xFF\xFE bad utf-8"), std::string("netsh a\0b", 9)}) {
    SCOPED_TRACE(commandLine);
    const platform::ProcessResult result = RunHidden(commandLine, 10s);
    EXPECT_EQ(result.outcome, ProcessOutcome::NotStarted);
    EXPECT_FALSE(result.Succeeded());
  }
  EXPECT_EQ(Log(), "");
}

}  // namespace
