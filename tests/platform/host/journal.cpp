#include "platform/host/journal.h"

namespace host {
namespace {
std::vector<std::string>& Entries() {
  static std::vector<std::string> entries;
  return entries;
}
}  // namespace

void Record(std::string entry) {
  Entries().push_back(std::move(entry));
}
const std::vector<std::string>& Journal() {
  return Entries();
}
void ClearJournal() {
  Entries().clear();
}

}  // namespace host
