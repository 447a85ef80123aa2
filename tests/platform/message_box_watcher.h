// Windows test builds only: a thread that waits for a message box of this process, notes what
// it shows, and dismisses it with its OK button, so that a test can call code that shows one.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace driver {

struct SeenMessageBox {
  std::string title;
  std::string text;
  HICON icon = nullptr;  // of the box's icon picture, null when it has none
  int buttons = 0;
  bool hasOwner = false;
  bool mainWindowEnabled = true;  // the main window while the box was up
};

class MessageBoxWatcher {
 public:
  // When `report` is set, what the box shows is also written to standard error (for tests
  // whose process ends while the box is up).
  explicit MessageBoxWatcher(bool report = false);
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // Waits for the thread; true when a box was seen and dismissed.
  bool Finish();
  const SeenMessageBox& seen() const { return seen_; }

 private:
  void Watch();

  bool report_;
  std::atomic<bool> stop_{false};
  bool found_ = false;
  SeenMessageBox seen_;
  std::thread thread_;
};

}  // namespace driver
