// Host builds only: one ordered record of everything the logic asked of the stand-ins (control
// operations, probes, processes, message boxes, pauses), so tests can check the order of effects
// across subsystems.
#pragma once

#include <string>
#include <vector>

namespace host {

void Record(std::string entry);
const std::vector<std::string>& Journal();
void ClearJournal();

}  // namespace host
