// Message boxes and pauses on the host: recorded, answered at once, never waited for.
#include <string>

#include "platform/dialogs.h"
#include "platform/host/in_memory_window.h"
#include "platform/host/journal.h"

namespace host {
namespace {
std::vector<ShownMessage>& Messages() {
  static std::vector<ShownMessage> messages;
  return messages;
}
}  // namespace

const std::vector<ShownMessage>& ShownMessages() {
  return Messages();
}
void ClearShownMessages() {
  Messages().clear();
}

}  // namespace host

namespace platform {

void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) {
  const unsigned iconValue = static_cast<unsigned>(icon);
  host::Messages().push_back({std::string(text), iconValue, std::string(title)});
  host::Record("ShowMessage " + std::to_string(iconValue) + " " + std::string(title) + " " +
               std::string(text));
}

void Pause(int milliseconds) {
  host::Record("Pause " + std::to_string(milliseconds < 0 ? 0 : milliseconds));
}

}  // namespace platform
