// "设置DNS" end to end: the released quorvel.exe, a recording netsh.exe stand-in as System32's
// netsh, and this driver acting as the user. The namespace has the veth connections qvlan0 and
// qvwlan1 (tests/adapters/fixtures/veth_connections.txt). Beside the exe lie decoys of the DLLs
// it binds at run time and a planted netsh.exe (planted_files_test.cpp): through every path the
// program must load none of them, and run System32's netsh only, hidden and without a console.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "e2e/quorvel_process.h"
#include "e2e/test_folder.h"

namespace {

constexpr size_t kList = 0, kSetDns = 2, kCombo = 4, kIp = 10, kDns1 = 11, kDns2 = 12,
                 kCustom1 = 14, kCustom2 = 16;
constexpr int kConnection = 1;  // the second connection, to see that the chosen one is used
const char kConnectionName[] = "qvwlan1";

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
  const char* reported;            // the DNS servers the connection reports (resolv.conf)
  const char* message;
  const char* title;
  std::vector<std::wstring> commandLines;
  bool succeeds;
};

const Address kTypedPrimary{10, 1, 2, 3};
const Address kTypedSecondary{10, 4, 5, 6};
// What the connections report unless a case says otherwise: no command has taken effect.
const char kUnchanged[] = "10.53.0.11 10.53.0.12";

// Wine reads the servers once per process and the stand-in changes nothing, so each case starts
// the program with the servers already as the commands ask (a success) or as they were (netsh
// said 0, yet nothing changed: a failure).
// clang-format off
const Case kCases[] = {
    {"provider row", 0, nullptr, nullptr, "0", "119.29.29.29 182.254.116.116",
     "DNS设置成功!", "信息：", {SetPrimary("119.29.29.29"), AddSecondary("182.254.116.116")}, true},
    {"provider row wins over typed boxes", 2, &kTypedPrimary, &kTypedSecondary, "0",
     "223.5.5.5 223.6.6.6",
     "DNS设置成功!", "信息：", {SetPrimary("223.5.5.5"), AddSecondary("223.6.6.6")}, true},
    {"provider without a secondary", 1, nullptr, nullptr, "0", "180.76.76.76",
     "DNS设置成功!", "信息：", {SetPrimary("180.76.76.76")}, true},
    {"provider, netsh fails", 0, nullptr, nullptr, "1", kUnchanged,
     "DNS设置失败!", "信息：", {SetPrimary("119.29.29.29")}, false},
    {"provider, netsh says 0 but nothing changed", 0, nullptr, nullptr, "0", kUnchanged,
     "DNS设置失败!", "信息：", {SetPrimary("119.29.29.29")}, false},
    {"both typed", -1, &kTypedPrimary, &kTypedSecondary, "0", "10.1.2.3 10.4.5.6",
     "自定义DNS设置成功!", "信息：", {SetPrimary("10.1.2.3"), AddSecondary("10.4.5.6")}, true},
    {"both typed, second fails", -1, &kTypedPrimary, &kTypedSecondary, "0\n1", "10.1.2.3",
     "DNS设置失败!", "信息：", {SetPrimary("10.1.2.3"), AddSecondary("10.4.5.6")}, false},
    {"primary typed", -1, &kTypedPrimary, nullptr, "0", "10.1.2.3",
     "自定义主DNS设置成功!", "信息：", {SetPrimary("10.1.2.3")}, true},
    {"primary typed, netsh fails", -1, &kTypedPrimary, nullptr, "1", kUnchanged,
     "DNS设置失败!", "信息：", {SetPrimary("10.1.2.3")}, false},
    {"secondary typed", -1, nullptr, &kTypedSecondary, "0", "10.53.0.11 10.4.5.6",
     "自定义辅DNS设置成功!", "信息：", {AddSecondary("10.4.5.6")}, true},
    {"secondary typed, netsh fails", -1, nullptr, &kTypedSecondary, "1", kUnchanged,
     "自定义DNS设置失败!", "信息：", {AddSecondary("10.4.5.6")}, false},
    {"secondary typed, netsh says 0 but nothing changed", -1, nullptr, &kTypedSecondary, "0",
     kUnchanged, "自定义DNS设置失败!", "信息：", {AddSecondary("10.4.5.6")}, false},
    {"nothing chosen", -1, nullptr, nullptr, "0", kUnchanged,
     "没有选中或没有自定义DNS", "错误", {}, false},
};
// clang-format on

// The first and second word of the servers, "" where there is none.
std::string Server(const char* servers, int position) {
  std::istringstream words(servers);
  std::string word;
  for (int i = 0; i <= position; ++i) {
    if (!(words >> word)) {
      return "";
    }
  }
  return word;
}

TEST(SetDns, EveryPathAsAUserSeesIt) {
  ASSERT_FALSE(e2e::QuorvelExePath().empty()) << "QUORVEL_EXE is not set";
  DeleteFileA(e2e::ExeFolderFile("decoy_loads.txt").c_str());
  DeleteFileA(e2e::ExeFolderFile("planted_netsh_ran.txt").c_str());
  std::string startups;
  int round = 0;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ++round;
    e2e::ResetStandIn(c.netshExitCodes);
    ASSERT_TRUE(e2e::SetReportedDnsServers(c.reported));
    ASSERT_TRUE(e2e::ChangeConnectionAddress(kConnectionName, "10.88.14.7/24"));

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

    // An unconfirmed command is judged within a few seconds: about 2 s of reading back.
    const auto box = driver::WaitForMessageBox(program.ProcessId(), 8000);
    ASSERT_TRUE(box.has_value()) << "no message box";
    EXPECT_EQ(box->text, c.message);
    EXPECT_EQ(box->title, c.title);
    EXPECT_EQ(e2e::RecordedCommandLines(), c.commandLines);
    startups += e2e::ReadFile(e2e::StandInFile("netsh_startup.txt"));
    if (round == 1) {  // start-up, probes and the action have bound every DLL they use
      bool boundFromSystem32 = false;
      EXPECT_EQ(e2e::DllsFromElsewhere(program.ProcessId(), boundFromSystem32),
                std::vector<std::wstring>{});
      EXPECT_TRUE(boundFromSystem32) << "iphlpapi, icmp and mprapi not loaded from System32";
    }

    // While the box is open the connection changes. Once a command has run, successful or not
    // (a partial change too), the details must show it read afresh.
    const std::string fresh = "10.88.14." + std::to_string(100 + round);
    ASSERT_TRUE(e2e::ChangeConnectionAddress(kConnectionName, fresh + "/24"));
    const bool commandRan = !c.commandLines.empty();
    driver::DismissMessageBox(*box);
    Sleep(c.commandLines.size() == 1 && c.customPrimary && c.succeeds ? 1800 : 800);

    EXPECT_EQ(driver::ComboSelection(controls[kCombo]), kConnection);
    EXPECT_EQ(driver::AddressText(controls[kIp]), commandRan ? fresh : "10.88.14.7");
    EXPECT_EQ(driver::AddressText(controls[kDns1]), Server(c.reported, 0));
    EXPECT_EQ(driver::AddressText(controls[kDns2]), Server(c.reported, 1));
    const bool twoAddressSequence = c.row >= 0 || (c.customPrimary && c.customSecondary);
    if (c.succeeds && twoAddressSequence) {
      EXPECT_EQ(driver::ListSelectedRow(controls[kList]), -1) << "the row stays selected";
    } else {
      EXPECT_EQ(driver::ListSelectedRow(controls[kList]), c.row);
    }

    driver::PressKey(window, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit(10000), std::optional<DWORD>(0));
  }
  EXPECT_EQ(e2e::ReadFile(e2e::ExeFolderFile("decoy_loads.txt")), "");
  EXPECT_FALSE(e2e::FileExists(e2e::ExeFolderFile("planted_netsh_ran.txt")));
  std::string hidden;  // one line per command of the cases
  for (const Case& c : kCases) {
    for (size_t i = 0; i < c.commandLines.size(); ++i) {
      hidden += "1 0 0\n";  // STARTF_USESHOWWINDOW, SW_HIDE, no console
    }
  }
  EXPECT_EQ(startups, hidden);
}

}  // namespace
