// Drives the window of another process (the released quorvel.exe) as a user would, from a test
// program running in the same Wine session. Messages whose data is a pointer get their buffer
// inside the target process (VirtualAllocEx); plain messages are sent or posted as they are.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace driver {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

// A started program; the process is ended with the object unless it has exited.
class Program {
 public:
  // Starts `commandLine` (UTF-8) in `directory` (may be empty). False when it cannot start.
  bool Start(const std::string& commandLine, const std::string& directory = {});
  ~Program();
  DWORD ProcessId() const { return info_.dwProcessId; }
  HANDLE Process() const { return info_.hProcess; }
  // The exit code once the process has ended within the limit.
  std::optional<DWORD> WaitForExit(DWORD milliseconds);

 private:
  PROCESS_INFORMATION info_{};
};

// The visible top-level window of the process with that exact title and class (class may be
// empty for any), waiting up to `milliseconds`. Null when none appeared.
HWND WaitForWindow(DWORD processId, const std::wstring& title, const std::wstring& className,
                   DWORD milliseconds);

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);  // WM_GETTEXT
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
// Direct children in creation order (the order the system keeps them in).
std::vector<HWND> Children(HWND parent);
// The direct child of `top` that holds the keyboard focus of top's thread (null if none).
HWND FocusedChild(HWND top);
HWND FocusedWindow(HWND top);  // the focused window itself (maybe a grandchild)

// List view (SysListView32) reads and writes through memory in the target process.
int ListRowCount(HWND list);
std::string ListCellText(HWND list, int row, int column);
int ListColumnCount(HWND list);
std::string ListColumnTitle(HWND list, int column);
int ListColumnWidth(HWND list, int column);
void ListSelectRow(HWND list, int row);  // selects and focuses, as a click on the row does
int ListSelectedRow(HWND list);

// Drop-down list.
int ComboCount(HWND combo);
std::string ComboItemText(HWND combo, int index);
int ComboSelection(HWND combo);
// Selects the item and sends the notification of a confirmed choice to the combo's parent, as a
// user's pick does.
void ComboPick(HWND combo, int index);

// IPv4 address box: "" when blank, otherwise a.b.c.d.
std::string AddressText(HWND box);
void SetAddress(HWND box, BYTE a, BYTE b, BYTE c, BYTE d);

// A button click, posted so that a modal box opened by the handler does not block the driver.
void Click(HWND button);
// A key press posted to the window that holds the focus in `top`'s thread (or `top`).
void PressKey(HWND top, UINT virtualKey);
// Characters typed one by one: each is posted to the window then holding the focus in `top`'s
// thread, after the one before has been handled (the focus may have moved on).
void TypeText(HWND top, const std::wstring& text);

// A message box of the process: title, text (the Static child without an icon), dismissed by OK.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::string title;
  std::string text;
};
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD milliseconds);
void DismissMessageBox(const MessageBoxSeen& box);

}  // namespace driver
