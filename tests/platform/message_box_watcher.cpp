#include "platform/message_box_watcher.h"

#include <cstdio>
#include <vector>

#include "platform/win32/main_window.h"
#include "platform/win32/wide_text.h"

namespace driver {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::string TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return platform::win32::Utf8FromWide(text);
}

HWND FindOwnMessageBox() {
  struct Search {
    DWORD process;
    HWND found;
  } search{GetCurrentProcessId(), nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == s->process && IsWindowVisible(window) && ClassOf(window) == L"#32770") {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(bool report) : report_(report) {
  thread_ = std::thread([this] { Watch(); });
}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  if (thread_.joinable()) {
    thread_.join();
  }
}

bool MessageBoxWatcher::Finish() {
  if (thread_.joinable()) {
    thread_.join();
  }
  return found_;
}

void MessageBoxWatcher::Watch() {
  for (int attempt = 0; attempt < 500 && !stop_; ++attempt) {  // up to 10 s
    HWND box = FindOwnMessageBox();
    if (box == nullptr) {
      Sleep(20);
      continue;
    }
    Sleep(50);  // let the box finish its set-up
    seen_.title = TextOf(box);
    seen_.hasOwner = GetWindow(box, GW_OWNER) != nullptr;
    HWND main = platform::win32::MainWindow();
    seen_.mainWindowEnabled = main != nullptr && IsWindowEnabled(main);
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      const std::wstring name = ClassOf(child);
      if (name == L"Button") {
        ++seen_.buttons;
      } else if (name == L"Static") {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
          seen_.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        } else if (GetWindowTextLengthW(child) > 0) {
          seen_.text = TextOf(child);
        }
      }
    }
    if (report_) {
      std::fprintf(stderr, "message box: %s | %s\n", seen_.title.c_str(), seen_.text.c_str());
      std::fflush(stderr);
    }
    found_ = true;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return;
  }
}

}  // namespace driver
