// "设置DNS" end to end: the released quorvel.exe, a recording netsh.exe stand-in in its folder
// (found first by the system's search), and this driver acting as the user. The namespace has the
// veth connections qvlan0 and qvwlan1 (tests/adapters/fixtures/veth_connections.txt).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "e2e/quorvel_process.h"

namespace {

constexpr size_t kList = 0, kSetDns = 2, kCombo = 4, kIp = 10, kDns1 = 11, kDns2 = 12,
                 kCustom1 = 14, kCustom2 = 16;
constexpr int kConnection = 1;  // the second connection, to see that the chosen one is used
const char kConnectionName[] = "qvwlan1";

std::string StandInFile(const char* name) {
  return e2e::QuorvelExeFolder() + name;
}

// The command lines the stand-in recorded: UTF-16LE, each followed by U+000A.
std::vector<std::wstring> RecordedCommandLines() {
  std::ifstream in(StandInFile("netsh_log.txt"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring all(bytes.size() / 2, L'\0');
  memcpy(all.data(), bytes.data(), all.size() * 2);
  std::vector<std::wstring> lines;
  for (size_t start = 0, end; (end = all.find(L'\n', start)) != std::wstring::npos;
       start = end + 1) {
    lines.push_back(all.substr(start, end - start));
  }
  return lines;
}

// Gives the connection a new first IPv4 address, made by the watcher of the test's script in the
// namespace (Wine reads the resolver configuration only once per process, addresses every time).
bool ChangeConnectionAddress(const std::string& address) {
  DeleteFileA(StandInFile("ip_change_done").c_str());
  // Written under another name and renamed, so the watcher never reads a request half written.
  const std::string request = StandInFile("ip_change_request");
  std::ofstream(request + ".part", std::ios::binary | std::ios::trunc)
      << kConnectionName << " " << address << "/24\n";
  if (!MoveFileExA((request + ".part").c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return false;
  }
  for (int i = 0; i < 100; ++i) {
    if (GetFileAttributesA(StandInFile("ip_change_done").c_str()) != INVALID_FILE_ATTRIBUTES) {
      return true;
    }
    Sleep(50);
  }
  return false;
}

std::wstring SetPrimary(const std::string& address) {
  return driver::Widen(std::string("netsh interface ip set dns name=\"") + kConnectionName +
                       "\" source=static addr=\"" + address + "\" register=primary");
}
std::wstring AddSecondary(const std::string& address) {
  return driver::Widen(std::string("netsh interface ip add dnsservers name=\"") + kConnectionName +
                       "\" address=\"" + address + "\" index=2");
}

struct Address {
  BYTE a, b, c, d;
};

struct Case {
  const char* name;
  int row;                         // provider row to select, -1 for none
  const Address* customPrimary;    // typed into 自定义主DNS, or left blank
  const Address* customSecondary;  // typed into 自定义辅DNS, or left blank
  const char* netshExitCodes;      // the stand-in's answers, one line per start
  const char* message;
  const char* title;
  std::vector<std::wstring> commandLines;
  bool succeeds;  // then the details are read afresh
};

const Address kTypedPrimary{10, 1, 2, 3};
const Address kTypedSecondary{10, 4, 5, 6};

const Case kCases[] = {
    {"provider row",
     0,
     nullptr,
     nullptr,
     "0",
     "DNS设置成功!",
     "信息：",
     {SetPrimary("119.29.29.29"), AddSecondary("182.254.116.116")},
     true},
    {"provider row wins over typed boxes",
     2,
     &kTypedPrimary,
     &kTypedSecondary,
     "0",
     "DNS设置成功!",
     "信息：",
     {SetPrimary("223.5.5.5"), AddSecondary("223.6.6.6")},
     true},
    {"provider without a secondary",
     1,
     nullptr,
     nullptr,
     "0",
     "DNS设置成功!",
     "信息：",
     {SetPrimary("180.76.76.76")},
     true},
    {"provider, netsh fails",
     0,
     nullptr,
     nullptr,
     "1",
     "DNS设置失败!",
     "信息：",
     {SetPrimary("119.29.29.29")},
     false},
    {"both typed",
     -1,
     &kTypedPrimary,
     &kTypedSecondary,
     "0",
     "自定义DNS设置成功!",
     "信息：",
     {SetPrimary("10.1.2.3"), AddSecondary("10.4.5.6")},
     true},
    {"both typed, second fails",
     -1,
     &kTypedPrimary,
     &kTypedSecondary,
     "0\n1",
     "DNS设置失败!",
     "信息：",
     {SetPrimary("10.1.2.3"), AddSecondary("10.4.5.6")},
     false},
    {"primary typed",
     -1,
     &kTypedPrimary,
     nullptr,
     "0",
     "自定义主DNS设置成功!",
     "信息：",
     {SetPrimary("10.1.2.3")},
     true},
    {"primary typed, netsh fails",
     -1,
     &kTypedPrimary,
     nullptr,
     "1",
     "DNS设置失败!",
     "信息：",
     {SetPrimary("10.1.2.3")},
     false},
    {"secondary typed",
     -1,
     nullptr,
     &kTypedSecondary,
     "0",
     "自定义辅DNS设置成功!",
     "信息：",
     {AddSecondary("10.4.5.6")},
     true},
    {"secondary typed, netsh fails",
     -1,
     nullptr,
     &kTypedSecondary,
     "1",
     "自定义DNS设置失败!",
     "信息：",
     {AddSecondary("10.4.5.6")},
     false},
    {"nothing chosen", -1, nullptr, nullptr, "0", "没有选中或没有自定义DNS", "错误", {}, false},
};

TEST(SetDns, EveryPathAsAUserSeesIt) {
  ASSERT_FALSE(e2e::QuorvelExePath().empty()) << "QUORVEL_EXE is not set";
  int round = 0;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ++round;
    DeleteFileA(StandInFile("netsh_log.txt").c_str());
    std::ofstream(StandInFile("netsh_exit_code.txt"), std::ios::trunc) << c.netshExitCodes << "\n";
    ASSERT_TRUE(ChangeConnectionAddress("10.88.14.7"));

    driver::Program program;
    HWND window = e2e::StartQuorvel(program);
    ASSERT_NE(window, nullptr);
    const std::vector<HWND> controls = e2e::MainWindowControls(window);
    ASSERT_EQ(controls.size(), 17u);
    ASSERT_GT(driver::ComboCount(controls[kCombo]), kConnection);
    ASSERT_EQ(driver::ComboItemText(controls[kCombo], kConnection), kConnectionName);

    driver::ComboPick(controls[kCombo], kConnection);
    if (c.row >= 0) {
      driver::ListSelectRow(controls[kList], c.row);
    }
    if (c.customPrimary) {
      const Address& a = *c.customPrimary;
      driver::SetAddress(controls[kCustom1], a.a, a.b, a.c, a.d);
    }
    if (c.customSecondary) {
      const Address& a = *c.customSecondary;
      driver::SetAddress(controls[kCustom2], a.a, a.b, a.c, a.d);
    }
    Sleep(200);
    driver::Click(controls[kSetDns]);

    const auto box = driver::WaitForMessageBox(program.ProcessId(), 15000);
    ASSERT_TRUE(box.has_value()) << "no message box";
    EXPECT_EQ(box->text, c.message);
    EXPECT_EQ(box->title, c.title);
    EXPECT_EQ(RecordedCommandLines(), c.commandLines);

    // While the box is open the connection changes; a success must show it read afresh.
    const std::string fresh = "10.88.14." + std::to_string(100 + round);
    ASSERT_TRUE(ChangeConnectionAddress(fresh));
    driver::DismissMessageBox(*box);
    Sleep(c.commandLines.size() == 1 && c.customPrimary && c.succeeds ? 1800 : 800);

    EXPECT_EQ(driver::ComboSelection(controls[kCombo]), kConnection);
    EXPECT_EQ(driver::AddressText(controls[kIp]), c.succeeds ? fresh : "10.88.14.7");
    EXPECT_EQ(driver::AddressText(controls[kDns1]), "10.53.0.11");
    EXPECT_EQ(driver::AddressText(controls[kDns2]), "10.53.0.12");
    const bool twoAddressSequence = c.row >= 0 || (c.customPrimary && c.customSecondary);
    if (c.succeeds && twoAddressSequence) {
      EXPECT_EQ(driver::ListSelectedRow(controls[kList]), -1) << "the row stays selected";
    } else {
      EXPECT_EQ(driver::ListSelectedRow(controls[kList]), c.row);
    }

    driver::PressKey(window, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit(10000), std::optional<DWORD>(0));
  }
}

}  // namespace
