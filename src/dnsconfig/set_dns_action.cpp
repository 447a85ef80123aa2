#include "dnsconfig/set_dns_action.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapters/adapter_dns.h"
#include "adapters/adapter_selector.h"
#include "app/app_state.h"
#include "dnsconfig/dns_input_checks.h"
#include "dnsconfig/dns_messages.h"
#include "dnsconfig/netsh_command_lines.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/process.h"

namespace {

using platform::MessageIcon;

constexpr int kPauseBetweenCommandsMs = 1000;
// Windows may take a moment to report a change: about 2 s of reads before a command is judged
// not to have taken effect.
constexpr int kReadBackAttempts = 20;
constexpr int kPauseBetweenReadBacksMs = 100;
constexpr int kPrimaryColumn = 1;
constexpr int kSecondaryColumn = 2;

// The text of the current item of 组合框1; "" when nothing is selected.
std::string ConnectionName() {
  return platform::ComboItemText(Control::组合框1, platform::ComboSelection(Control::组合框1));
}

// Where the connection must report the address once a command has taken effect.
enum class ReportedAs { FirstServer, FirstOrSecondServer };

// The system's index of the connection chosen in 组合框1; none when nothing is chosen.
std::optional<std::uint32_t> ChosenAdapterIndex() {
  const int item = platform::ComboSelection(Control::组合框1);
  const std::vector<AdapterRecord>& list = TheAppState().AdapterList;
  if (item < 0 || static_cast<std::size_t>(item) >= list.size()) {
    return std::nullopt;
  }
  return AdapterAt(list, item).index;
}

// Whether the chosen connection reports the address where the command put it, read again for a
// short while; the first read that shows it ends the reading.
bool ConnectionReports(const std::string& address, ReportedAs position) {
  const std::optional<std::uint32_t> index = ChosenAdapterIndex();
  if (!index) {
    return false;
  }
  for (int attempt = 0; attempt < kReadBackAttempts; ++attempt) {
    if (attempt > 0) {
      platform::Pause(kPauseBetweenReadBacksMs);
    }
    std::string dns1, dns2;
    if (QueryAdapterDns(*index, dns1, dns2) &&
        (dns1 == address || (position == ReportedAs::FirstOrSecondServer && dns2 == address))) {
      return true;
    }
  }
  return false;
}

// Runs one netsh command. It counts as done only when netsh ended with exit code 0 (all that
// netsh says) and the connection then reports the address (what is true). `anyRan` records
// whether a process was started at all, whatever it then did.
bool RunCommand(const std::string& commandLine, const std::string& address, ReportedAs position,
                bool& anyRan) {
  const platform::ProcessResult result = platform::RunHidden(commandLine);
  anyRan = anyRan || result.outcome != platform::ProcessOutcome::NotStarted;
  return result.Succeeded() && ConnectionReports(address, position);
}

// Set-primary makes the address the connection's only server; add-secondary puts it at
// position 2, or at 1 when the connection had none.
bool SetPrimary(const std::string& name, const std::string& address, bool& anyRan) {
  return RunCommand(SetPrimaryDnsCommandLine(name, address), address, ReportedAs::FirstServer,
                    anyRan);
}
bool AddSecondary(const std::string& name, const std::string& address, bool& anyRan) {
  return RunCommand(AddSecondaryDnsCommandLine(name, address), address,
                    ReportedAs::FirstOrSecondServer, anyRan);
}

// Tells the user how it went. Once a command has run, even one that failed, the connection may
// have changed: the details then show its servers as the system reports them now.
void Report(std::string_view text, MessageIcon icon, bool commandRan) {
  platform::ShowMessage(text, icon);
  if (commandRan) {
    RefreshAdapterList();
    RestoreAdapterSelection();
  }
}

// Set-primary, a pause, add-secondary. Each command must end with exit code 0
// before the next one starts. An empty secondary (a provider with a single
// server) is never sent: the sequence then stands on its set-primary command
// alone. Every input is checked before anything runs.
void RunTwoAddressSequence(const std::string& name, const std::string& primary,
                           const std::string& secondary, std::string_view successText) {
  const bool inputsSafe = IsSafeConnectionName(name) && IsDottedDecimalAddress(primary) &&
                          (secondary.empty() || IsDottedDecimalAddress(secondary));
  bool ran = false;
  if (!inputsSafe || !SetPrimary(name, primary, ran)) {
    Report(kDnsSetFailed, MessageIcon::Stop, ran);
    return;
  }
  if (!secondary.empty()) {
    platform::Pause(kPauseBetweenCommandsMs);
    if (!AddSecondary(name, secondary, ran)) {
      Report(kDnsSetFailed, MessageIcon::Stop, ran);  // the primary server stays set
      return;
    }
  }
  Report(successText, MessageIcon::Information, ran);
  platform::SetSelectedListRow(Control::超级列表框1, -1);
}

void RunProviderSequence() {
  const std::string name = ConnectionName();
  const int row = platform::SelectedListRow(Control::超级列表框1);
  RunTwoAddressSequence(name, platform::ListCellText(Control::超级列表框1, row, kPrimaryColumn),
                        platform::ListCellText(Control::超级列表框1, row, kSecondaryColumn),
                        kDnsSetSucceeded);
}

void RunCustomPrimaryOnly(const std::string& primary) {
  const std::string name = ConnectionName();
  bool ran = false;
  if (!IsSafeConnectionName(name) || !IsDottedDecimalAddress(primary) ||
      !SetPrimary(name, primary, ran)) {
    Report(kDnsSetFailed, MessageIcon::Stop, ran);
    return;
  }
  Report(kCustomPrimaryDnsSetSucceeded, MessageIcon::Information, ran);
  platform::Pause(kPauseBetweenCommandsMs);
}

void RunCustomSecondaryOnly(const std::string& secondary) {
  const std::string name = ConnectionName();
  bool ran = false;
  if (!IsSafeConnectionName(name) || !IsDottedDecimalAddress(secondary) ||
      !AddSecondary(name, secondary, ran)) {
    Report(kCustomDnsSetFailed, MessageIcon::Stop, ran);
    return;
  }
  Report(kCustomSecondaryDnsSetSucceeded, MessageIcon::Information, ran);
}

}  // namespace

// A selected provider row wins over the typed boxes, which are then not read.
// Without a row the boxes decide: both filled, only the primary, only the
// secondary, or neither.
void OnSetDnsClicked() {
  if (platform::SelectedListRow(Control::超级列表框1) != -1) {
    RunProviderSequence();
    return;
  }
  const std::string primary = platform::AddressText(Control::IP编辑框_自定义DNS1);
  const std::string secondary =
      primary.empty() ? std::string() : platform::AddressText(Control::IP编辑框_自定义DNS2);
  if (!primary.empty() && !secondary.empty()) {
    RunTwoAddressSequence(ConnectionName(), primary, secondary, kCustomDnsSetSucceeded);
    return;
  }
  if (!primary.empty()) {
    RunCustomPrimaryOnly(primary);
    return;
  }
  const std::string secondaryAlone = platform::AddressText(Control::IP编辑框_自定义DNS2);
  if (!secondaryAlone.empty()) {
    RunCustomSecondaryOnly(secondaryAlone);
    return;
  }
  platform::ShowMessage(kNothingChosen, MessageIcon::Stop, kNothingChosenTitle);
}
