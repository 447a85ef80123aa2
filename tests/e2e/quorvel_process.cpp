#include "e2e/quorvel_process.h"

#include <cstdlib>

namespace e2e {

std::string QuorvelExePath() {
  const char* unixPath = std::getenv("QUORVEL_EXE");
  if (!unixPath || !*unixPath) {
    return {};
  }
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path) {
    if (c == '/') {
      c = '\\';
    }
  }
  return path;
}

std::string QuorvelExeFolder() {
  const std::string path = QuorvelExePath();
  return path.substr(0, path.find_last_of('\\') + 1);
}

HWND StartQuorvel(driver::Program& program, DWORD milliseconds) {
  const std::string exe = QuorvelExePath();
  if (exe.empty() || !program.Start("\"" + exe + "\"", QuorvelExeFolder())) {
    return nullptr;
  }
  return driver::WaitForWindow(program.ProcessId(), kMainWindowTitle, L"", milliseconds);
}

std::vector<HWND> MainWindowControls(HWND mainWindow) {
  return driver::Children(mainWindow);
}

}  // namespace e2e
