// The set-DNS action over the in-memory window, scripted adapters and the recording process
// stand-in: for every path and every way a command can end, which command lines run in which
// order, the pauses, the message, the refresh of the adapter view and the row selection after.
#include "dnsconfig/set_dns_action.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "adapters/ip_helper_fixture.h"
#include "app/app_state.h"
#include "app/main_window_events.h"
#include "app/program_main.h"
#include "platform/controls.h"
#include "platform/host/in_memory_window.h"
#include "platform/host/journal.h"
#include "platform/host/process_stand_in.h"
#include "platform/host/scripted_probe.h"

namespace {

using host::ExitsWith;
using host::NotStarted;
using host::TimedOut;
using Effects = std::vector<std::string>;
using namespace std::chrono_literals;

constexpr Control kList = Control::超级列表框1;

// What a command line looks like in the journal, written out independently of the builder.
std::string SetPrimary(const std::string& name, const std::string& address) {
  return "RunHidden netsh interface ip set dns name=\"" + name + "\" source=static addr=\"" +
         address + "\" register=primary";
}
std::string AddSecondary(const std::string& name, const std::string& address) {
  return "RunHidden netsh interface ip add dnsservers name=\"" + name + "\" address=\"" + address +
         "\" index=2";
}
std::string Info(const std::string& text) {
  return "ShowMessage 64 信息： " + text;
}
std::string Stop(const std::string& text) {
  return "ShowMessage 16 信息： " + text;
}
const std::string kPause = "Pause 1000";
const std::string kRowCleared = "SetSelectedListRow -1";

// The journal entries that show what the action did, in order: commands, pauses, messages, the
// refill of 组合框1 with the DNS boxes of the shown adapter, and the list's row selection.
Effects ActionEffects() {
  static const std::vector<std::string> kPrefixes = {"RunHidden ",
                                                     "Pause ",
                                                     "ShowMessage ",
                                                     "EmptyComboList",
                                                     "AddComboItem ",
                                                     "SetComboSelection ",
                                                     "SetAddress IP编辑框_DNS",
                                                     "SetSelectedListRow "};
  Effects effects;
  for (const std::string& entry : host::Journal()) {
    if (std::any_of(kPrefixes.begin(), kPrefixes.end(),
                    [&](const std::string& p) { return entry.rfind(p, 0) == 0; })) {
      effects.push_back(entry);
    }
  }
  return effects;
}

bool JournalHasEntryStartingWith(const std::string& prefix) {
  const auto& journal = host::Journal();
  return std::any_of(journal.begin(), journal.end(),
                     [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
}

host::ScriptedAdapter Connection(int n, std::vector<std::string> dns) {
  return Ethernet("{0000000" + std::to_string(n) + "-AAAA-4000-8000-000000000000}",
                  static_cast<std::uint32_t>(n), "10.0." + std::to_string(n) + ".2",
                  std::move(dns));
}

// What a netsh that works does to the chosen connection (index 2) when it exits with 0: set dns
// makes the address its only server, add dnsservers puts it at position 2. The change shows
// after g_readsBeforeChange more reads; with g_netshChangesNothing, netsh exits 0 and changes
// nothing, as Wine's own netsh does.
int g_readsBeforeChange = 0;
bool g_netshChangesNothing = false;

std::string QuotedValue(const std::string& commandLine, const std::string& key) {
  const std::size_t start = commandLine.find(key + "=\"") + key.size() + 2;
  return commandLine.substr(start, commandLine.find('"', start) - start);
}

void ApplyNetsh(const std::string& commandLine, const platform::ProcessResult& result) {
  if (!result.Succeeded() || g_netshChangesNothing) {
    return;
  }
  std::vector<std::string> servers;
  if (commandLine.find(" set dns ") != std::string::npos) {
    servers = {QuotedValue(commandLine, "addr")};
  } else {
    servers = host::DnsServersOf(2);
    const auto at = servers.size() < 1 ? servers.end() : servers.begin() + 1;
    servers.insert(at, QuotedValue(commandLine, "address"));
  }
  host::ChangeDnsServersAfterReads(2, servers, g_readsBeforeChange);
}

// How the user sets up the window before clicking 设置DNS.
enum class Choice { ProviderRow0, ProviderRow1, BothBoxes, PrimaryBox, SecondaryBox, Nothing };

class SetDnsActionTest : public ScriptedMachineTest {
 protected:
  void SetUp() override {
    ScriptedMachineTest::SetUp();
    host::ResetProbeScript();
    host::ResetProcessStandIn();
    host::SetProcessEffect(ApplyNetsh);
    g_readsBeforeChange = 0;
    g_netshChangesNothing = false;
    host::ClearShownMessages();
    InitAppState();
    host::ResetMainWindow(MainWindowEventBindings());
  }
  void TearDown() override { ReleaseAppState(); }

  // Start-up with two connections; the user picks the second one, "以太网 2".
  static void StartWithTwoConnections() {
    ScriptConnections({Connection(1, {"10.0.1.53"}), Connection(2, {"8.8.8.8", "8.8.4.4"})},
                      {u"以太网", u"以太网 2"});
    OnMainWindowCreated();
    host::UserPicksComboItem(1);
    host::DispatchPostedEvents();
    // What the system reports from now on, as if the change had taken effect.
    ScriptConnections({Connection(1, {"10.0.1.53"}), Connection(2, {"223.5.5.5", "223.6.6.6"})},
                      {u"以太网", u"以太网 2"});
  }

  static void Choose(Choice choice) {
    // Typed boxes are filled also for the provider rows: a selected row must win over them.
    switch (choice) {
      case Choice::ProviderRow0:
      case Choice::ProviderRow1:
        host::UserTypesAddressFields(Control::IP编辑框_自定义DNS1, {1, 1, 1, 1});
        host::UserTypesAddressFields(Control::IP编辑框_自定义DNS2, {1, 0, 0, 1});
        platform::SetSelectedListRow(kList, choice == Choice::ProviderRow0 ? 0 : 1);
        break;
      case Choice::BothBoxes:
        host::UserTypesAddressFields(Control::IP编辑框_自定义DNS1, {9, 9, 9, 9});
        host::UserTypesAddressFields(Control::IP编辑框_自定义DNS2, {149, 112, 112, 112});
        break;
      case Choice::PrimaryBox:  // partly typed: the blank fields are sent as 0
        host::UserTypesAddressFields(Control::IP编辑框_自定义DNS1, {10, 1, -1, -1});
        break;
      case Choice::SecondaryBox:
        host::UserTypesAddressFields(Control::IP编辑框_自定义DNS2, {8, 8, 4, 4});
        break;
      case Choice::Nothing:
        break;
    }
  }

  static void ClickSetDns() {
    host::ClearJournal();
    host::UserClicks(Control::按钮_设置选中DNS);
  }
};

const std::string kName = "以太网 2";

// RefreshAdapterList appends behind the two items of start-up and selects the first; then
// RestoreAdapterSelection refills the list, selects the picked connection again and shows its
// servers as the system reports them now.
Effects RefreshShowing(const std::string& dns1, const std::string& dns2) {
  return {
      "AddComboItem 以太网 -> 2",
      "AddComboItem 以太网 2 -> 3",
      "SetComboSelection 0 -> 0",
      "EmptyComboList",
      "AddComboItem 以太网 -> 0",
      "AddComboItem 以太网 2 -> 1",
      "SetComboSelection 1 -> 1",
      "SetAddress IP编辑框_DNS1 " + dns1 + " -> " + (dns1.empty() ? "blank" : dns1),
      "SetAddress IP编辑框_DNS2 " + dns2 + " -> " + (dns2.empty() ? "blank" : dns2),
  };
}
// Nothing changed: the servers the connection had before the click.
const Effects kRefreshAndRestore = RefreshShowing("223.5.5.5", "223.6.6.6");

Effects Then(Effects first, const Effects& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

struct Case {
  const char* what;
  Choice choice;
  std::vector<platform::ProcessResult> answers;  // further commands would exit with 0
  Effects effects;
  int selectedRowAfter;
};
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.what;
}

// The expected effects of every path with every outcome of its commands. Answers not scripted
// would be "exited with 0", so a command that should not run shows up as an extra effect.
std::vector<Case> AllCases() {
  const std::string dnspod1 = "119.29.29.29", dnspod2 = "182.254.116.116";
  const Effects providerBoth = {SetPrimary(kName, dnspod1), kPause, AddSecondary(kName, dnspod2)};
  const Effects customBoth = {SetPrimary(kName, "9.9.9.9"), kPause,
                              AddSecondary(kName, "149.112.112.112")};
  const Effects dnspodShown = RefreshShowing(dnspod1, dnspod2);
  const Effects dnspodPrimaryShown = RefreshShowing(dnspod1, "");
  const Effects quad9PrimaryShown = RefreshShowing("9.9.9.9", "");
  const std::string failed = Stop("DNS设置失败!");

  // clang-format off
  return {
      // A selected provider row: its columns 1 and 2, whatever the boxes hold.
      {"row, first not started", Choice::ProviderRow0, {NotStarted()},
       {SetPrimary(kName, dnspod1), failed}, 0},
      // Once a command has run, whatever it did, the details are read again after the message.
      {"row, first exits 1", Choice::ProviderRow0, {ExitsWith(1)},
       Then({SetPrimary(kName, dnspod1), failed}, kRefreshAndRestore), 0},
      {"row, first times out", Choice::ProviderRow0, {TimedOut()},
       Then({SetPrimary(kName, dnspod1), failed}, kRefreshAndRestore), 0},
      {"row, second not started", Choice::ProviderRow0, {ExitsWith(0), NotStarted()},
       Then(Then(providerBoth, {failed}), dnspodPrimaryShown), 0},
      {"row, second exits 1", Choice::ProviderRow0, {ExitsWith(0), ExitsWith(1)},
       Then(Then(providerBoth, {failed}), dnspodPrimaryShown), 0},
      {"row, both exit 0", Choice::ProviderRow0, {ExitsWith(0), ExitsWith(0)},
       Then(Then(Then(providerBoth, {Info("DNS设置成功!")}), dnspodShown), {kRowCleared}), -1},
      // Row 1's provider has no second server: only the first command runs, without a pause.
      {"row 1, exits 0", Choice::ProviderRow1, {ExitsWith(0)},
       Then(Then({SetPrimary(kName, "180.76.76.76"), Info("DNS设置成功!")},
                 RefreshShowing("180.76.76.76", "")), {kRowCleared}), -1},
      {"row 1, exits 1", Choice::ProviderRow1, {ExitsWith(1)},
       Then({SetPrimary(kName, "180.76.76.76"), failed}, kRefreshAndRestore), 1},
      // Both boxes typed.
      {"boxes, first not started", Choice::BothBoxes, {NotStarted()},
       {SetPrimary(kName, "9.9.9.9"), failed}, -1},
      {"boxes, first exits 1", Choice::BothBoxes, {ExitsWith(1)},
       Then({SetPrimary(kName, "9.9.9.9"), failed}, kRefreshAndRestore), -1},
      {"boxes, second exits 1", Choice::BothBoxes, {ExitsWith(0), ExitsWith(1)},
       Then(Then(customBoth, {failed}), quad9PrimaryShown), -1},
      {"boxes, second times out", Choice::BothBoxes, {ExitsWith(0), TimedOut()},
       Then(Then(customBoth, {failed}), quad9PrimaryShown), -1},
      {"boxes, both exit 0", Choice::BothBoxes, {ExitsWith(0), ExitsWith(0)},
       Then(Then(Then(customBoth, {Info("自定义DNS设置成功!")}),
                 RefreshShowing("9.9.9.9", "149.112.112.112")), {kRowCleared}), -1},
      // Only the primary box, partly typed: the pause comes after the refresh.
      {"primary, not started", Choice::PrimaryBox, {NotStarted()},
       {SetPrimary(kName, "10.1.0.0"), failed}, -1},
      {"primary, exits 1", Choice::PrimaryBox, {ExitsWith(1)},
       Then({SetPrimary(kName, "10.1.0.0"), failed}, kRefreshAndRestore), -1},
      {"primary, exits 0", Choice::PrimaryBox, {ExitsWith(0)},
       Then(Then({SetPrimary(kName, "10.1.0.0"), Info("自定义主DNS设置成功!")},
                 RefreshShowing("10.1.0.0", "")), {kPause}), -1},
      // Only the secondary box: no pause, a failure text of its own.
      {"secondary, not started", Choice::SecondaryBox, {NotStarted()},
       {AddSecondary(kName, "8.8.4.4"), Stop("自定义DNS设置失败!")}, -1},
      {"secondary, exits 1", Choice::SecondaryBox, {ExitsWith(1)},
       Then({AddSecondary(kName, "8.8.4.4"), Stop("自定义DNS设置失败!")}, kRefreshAndRestore), -1},
      {"secondary, exits 0", Choice::SecondaryBox, {ExitsWith(0)},
       Then({AddSecondary(kName, "8.8.4.4"), Info("自定义辅DNS设置成功!")},
            RefreshShowing("223.5.5.5", "8.8.4.4")), -1},
      // Nothing chosen.
      {"nothing", Choice::Nothing, {},
       {"ShowMessage 16 错误 没有选中或没有自定义DNS"}, -1},
  };
  // clang-format on
}

class SetDnsOutcomeTest : public SetDnsActionTest, public testing::WithParamInterface<Case> {};

TEST_P(SetDnsOutcomeTest, CommandsMessagesRefreshAndSelection) {
  const Case& c = GetParam();
  StartWithTwoConnections();
  Choose(c.choice);
  host::ScriptProcessResults(c.answers);

  ClickSetDns();

  EXPECT_EQ(ActionEffects(), c.effects);
  EXPECT_EQ(platform::SelectedListRow(kList), c.selectedRowAfter);
  for (const host::ProcessCall& call : host::ProcessCalls()) {
    EXPECT_EQ(call.waitLimit, 30s);
  }
  if (c.choice == Choice::ProviderRow0 || c.choice == Choice::ProviderRow1) {
    EXPECT_FALSE(JournalHasEntryStartingWith("AddressText IP编辑框_自定义"));
  }
}

INSTANTIATE_TEST_SUITE_P(EveryPathAgainstEveryOutcome, SetDnsOutcomeTest,
                         testing::ValuesIn(AllCases()), [](const auto& info) {
                           std::string name = info.param.what;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) {
                               ch = '_';
                             }
                           }
                           return name;
                         });

// netsh's exit code 0 is not enough: a command counts only once the chosen connection reports
// the address where the command put it, read again every 100 ms for about 2 s.
TEST_F(SetDnsActionTest, ACommandCountsOnlyWhenTheConnectionReportsItsServer) {
  enum class System { Changes, ChangesAfter3Reads, ChangesNothing, CannotBeRead };
  struct ReadBackCase {
    const char* what;
    Choice choice;
    std::vector<platform::ProcessResult> answers;
    System system;
    std::string message;
    std::size_t commands;
    int pausesBetweenReads;  // a read that shows the change ends the reading at once
  };
  const std::string failed = "ShowMessage 16 信息： DNS设置失败!";
  const std::vector<ReadBackCase> cases = {
      {"primary, reported at once",
       Choice::PrimaryBox,
       {ExitsWith(0)},
       System::Changes,
       Info("自定义主DNS设置成功!"),
       1,
       0},
      {"primary, reported late",
       Choice::PrimaryBox,
       {ExitsWith(0)},
       System::ChangesAfter3Reads,
       Info("自定义主DNS设置成功!"),
       1,
       3},
      {"primary, never reported",
       Choice::PrimaryBox,
       {ExitsWith(0)},
       System::ChangesNothing,
       failed,
       1,
       19},
      {"primary, servers unreadable",
       Choice::PrimaryBox,
       {ExitsWith(0)},
       System::CannotBeRead,
       failed,
       1,
       19},
      {"primary, exit 1 is not read",
       Choice::PrimaryBox,
       {ExitsWith(1)},
       System::Changes,
       failed,
       1,
       0},
      {"secondary, reported at once",
       Choice::SecondaryBox,
       {ExitsWith(0)},
       System::Changes,
       Info("自定义辅DNS设置成功!"),
       1,
       0},
      {"secondary, never reported",
       Choice::SecondaryBox,
       {ExitsWith(0)},
       System::ChangesNothing,
       Stop("自定义DNS设置失败!"),
       1,
       19},
      {"both, reported at once",
       Choice::BothBoxes,
       {ExitsWith(0), ExitsWith(0)},
       System::Changes,
       Info("自定义DNS设置成功!"),
       2,
       0},
      {"both, each reported late",
       Choice::BothBoxes,
       {ExitsWith(0), ExitsWith(0)},
       System::ChangesAfter3Reads,
       Info("自定义DNS设置成功!"),
       2,
       6},
      {"both, primary never reported",
       Choice::BothBoxes,
       {ExitsWith(0), ExitsWith(0)},
       System::ChangesNothing,
       failed,
       1,
       19},
      {"both, servers unreadable",
       Choice::BothBoxes,
       {ExitsWith(0), ExitsWith(0)},
       System::CannotBeRead,
       failed,
       1,
       19},
  };
  for (const ReadBackCase& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    StartWithTwoConnections();
    g_readsBeforeChange = c.system == System::ChangesAfter3Reads ? 3 : 0;
    g_netshChangesNothing = c.system == System::ChangesNothing;
    if (c.system == System::CannotBeRead) {
      host::ScriptedAdapter unreadable = Connection(2, {"223.5.5.5", "223.6.6.6"});
      unreadable.dnsScript.secondCallAnswer = platform::kErrorNoData;
      ScriptConnections({Connection(1, {"10.0.1.53"}), unreadable}, {u"以太网", u"以太网 2"});
    }
    Choose(c.choice);
    host::ScriptProcessResults(c.answers);

    ClickSetDns();

    const Effects effects = ActionEffects();
    const auto message = std::find_if(effects.begin(), effects.end(), [](const std::string& e) {
      return e.rfind("ShowMessage ", 0) == 0;
    });
    ASSERT_NE(message, effects.end());
    EXPECT_EQ(*message, c.message);
    EXPECT_EQ(host::ProcessCalls().size(), c.commands);
    EXPECT_EQ(std::count(effects.begin(), message, "Pause 100"), c.pausesBetweenReads);
    EXPECT_NE(std::find(message, effects.end(), "EmptyComboList"), effects.end())
        << "the details were not read again after a command ran";
    TearDown();
  }
}

TEST_F(SetDnsActionTest, AfterASuccessTheNextClickWithoutARowTakesTheTypedBoxes) {
  StartWithTwoConnections();
  Choose(Choice::ProviderRow0);
  ClickSetDns();
  ASSERT_EQ(platform::SelectedListRow(kList), -1);

  ClickSetDns();
  EXPECT_EQ(ActionEffects().front(), SetPrimary(kName, "1.1.1.1"));
  EXPECT_EQ(ActionEffects()[2], AddSecondary(kName, "1.0.0.1"));
}

// A connection name that could break out of its quotes or split the line never reaches a
// command line: nothing runs and the path's failure message is shown.
TEST_F(SetDnsActionTest, UnsafeConnectionNameRunsNothing) {
  struct Path {
    Choice choice;
    const char* failure;
  };
  const std::vector<Path> paths = {{Choice::ProviderRow0, "DNS设置失败!"},
                                   {Choice::BothBoxes, "DNS设置失败!"},
                                   {Choice::PrimaryBox, "DNS设置失败!"},
                                   {Choice::SecondaryBox, "自定义DNS设置失败!"}};
  // nullopt: no adapters at all, so nothing is selected in 组合框1.
  const std::vector<std::optional<std::u16string>> names = {
      std::nullopt,  u"",        u"以太网\" source=dhcp \"", u"以太网\n2", u"eth\t0",
      u"eth\u00850", u"以太网\\"};
  for (const auto& name : names) {
    for (const Path& path : paths) {
      SCOPED_TRACE(testing::PrintToString(name.value_or(u"(no adapters)")));
      SCOPED_TRACE(path.failure);
      SetUp();
      if (name) {
        ScriptConnections({Connection(1, {"8.8.8.8"})}, {*name});
      }
      OnMainWindowCreated();
      Choose(path.choice);

      ClickSetDns();

      EXPECT_TRUE(host::ProcessCalls().empty());
      EXPECT_EQ(ActionEffects(), Effects{Stop(path.failure)});
      TearDown();
    }
  }
}

// Provider addresses come from the list's cells; anything but a plain dotted-decimal address in
// either of them stops the whole sequence before its first command.
TEST_F(SetDnsActionTest, UnsafeProviderAddressRunsNothing) {
  struct Cells {
    const char* primary;
    const char* secondary;
  };
  for (const Cells& cells :
       {Cells{"1.2.3.256", "8.8.4.4"}, Cells{"", "8.8.4.4"},
        Cells{"8.8.8.8\" register=none \"", "8.8.4.4"}, Cells{"8.8.8.8", "8.8.4.4 & del x"},
        Cells{"8.8.8.8", "1.2.3"}, Cells{"8.8.8.8", "08.8.4.4"}}) {
    SCOPED_TRACE(std::string(cells.primary) + " / " + cells.secondary);
    SetUp();
    StartWithTwoConnections();
    platform::SetListCellText(kList, 0, 1, cells.primary);
    platform::SetListCellText(kList, 0, 2, cells.secondary);
    Choose(Choice::ProviderRow0);

    ClickSetDns();

    EXPECT_TRUE(host::ProcessCalls().empty());
    EXPECT_EQ(ActionEffects(), Effects{Stop("DNS设置失败!")});
    EXPECT_EQ(platform::SelectedListRow(kList), 0);
    TearDown();
  }
}

}  // namespace
