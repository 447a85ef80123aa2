// Running one command line as a hidden process and learning how it ended.
#pragma once

#include <chrono>
#include <string_view>

namespace platform {

enum class ProcessOutcome {
  NotStarted,  // the process could not be created (or the command line is not valid UTF-8)
  TimedOut,    // still running when the wait limit passed; it is left running
  WaitFailed,  // started, but its end or exit code could not be observed
  Exited,      // ended on its own; exitCode holds its exit code
};

struct ProcessResult {
  ProcessOutcome outcome = ProcessOutcome::NotStarted;
  unsigned long exitCode = 0;  // meaningful for Exited only

  // A command succeeded only when it ran to its end and said so with exit code 0.
  bool Succeeded() const { return outcome == ProcessOutcome::Exited && exitCode == 0; }
};

inline constexpr std::chrono::milliseconds kProcessWaitLimit{30000};

// Starts System32's netsh.exe, by its full path, with the UTF-8 command line (which names netsh as
// its first word), hidden and without a console, and waits for it to end for at most
// `waitLimit`. The window keeps painting and answering meanwhile but takes no input.
ProcessResult RunHidden(std::string_view commandLine,
                        std::chrono::milliseconds waitLimit = kProcessWaitLimit);

}  // namespace platform
