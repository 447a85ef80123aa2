#include "tools/window_driver.h"

#include <commctrl.h>

#include <memory>

namespace driver {
namespace {

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h) {
      CloseHandle(h);
    }
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// A block of memory inside the process that owns `window`, freed with the object.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, SIZE_T size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_.reset(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (process_) {
      address_ =
          VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
  }
  ~RemoteBuffer() {
    if (address_) {
      VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
    }
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool ok() const { return address_ != nullptr; }
  void* at(SIZE_T offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(SIZE_T offset, const void* data, SIZE_T size) {
    return offset + size <= size_ &&
           WriteProcessMemory(process_.get(), at(offset), data, size, nullptr);
  }
  bool Read(SIZE_T offset, void* data, SIZE_T size) {
    return offset + size <= size_ &&
           ReadProcessMemory(process_.get(), at(offset), data, size, nullptr);
  }

 private:
  UniqueHandle process_;
  void* address_ = nullptr;
  SIZE_T size_;
};

constexpr int kTextCapacity = 4096;  // characters; the cells of this program are short

}  // namespace

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) {
    return {};
  }
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& utf16) {
  if (utf16.empty()) {
    return {};
  }
  const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

bool Program::Start(const std::string& commandLine, const std::string& directory) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring line = Widen(commandLine);
  const std::wstring dir = Widen(directory);
  return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &startup, &info_) != 0;
}

Program::~Program() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 99);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

std::optional<DWORD> Program::WaitForExit(DWORD milliseconds) {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

namespace {
struct WindowSearch {
  DWORD processId;
  const std::wstring* title;
  const std::wstring* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->processId || !IsWindowVisible(window)) {
    return TRUE;
  }
  if (!search->className->empty() && ClassOf(window) != *search->className) {
    return TRUE;
  }
  if (search->title && TextOf(window) != *search->title) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND FindWindowOf(DWORD processId, const std::wstring* title, const std::wstring& className,
                  DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    WindowSearch search{processId, title, &className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found || GetTickCount64() >= deadline) {
      return search.found;
    }
    Sleep(50);
  }
}
}  // namespace

HWND WaitForWindow(DWORD processId, const std::wstring& title, const std::wstring& className,
                   DWORD milliseconds) {
  return FindWindowOf(processId, &title, className, milliseconds);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring TextOf(HWND window) {
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

RECT RectInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

HWND FocusedWindow(HWND top) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) {
    return nullptr;
  }
  return info.hwndFocus;
}

HWND FocusedChild(HWND top) {
  HWND focus = FocusedWindow(top);
  while (focus && GetParent(focus) != top) {
    focus = GetParent(focus);
  }
  return focus;
}

int ListRowCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListCellText(HWND list, int row, int column) {
  RemoteBuffer remote(list, sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
  if (!remote.ok()) {
    return {};
  }
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kTextCapacity;
  item.pszText = static_cast<wchar_t*>(remote.at(sizeof(LVITEMW)));
  remote.Write(0, &item, sizeof item);
  const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                   reinterpret_cast<LPARAM>(remote.at()));
  std::wstring text(static_cast<size_t>(length), L'\0');
  remote.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
  return Narrow(text);
}

int ListColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

std::string ListColumnTitle(HWND list, int column) {
  RemoteBuffer remote(list, sizeof(LVCOLUMNW) + kTextCapacity * sizeof(wchar_t));
  if (!remote.ok()) {
    return {};
  }
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT;
  col.cchTextMax = kTextCapacity;
  col.pszText = static_cast<wchar_t*>(remote.at(sizeof(LVCOLUMNW)));
  remote.Write(0, &col, sizeof col);
  if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                    reinterpret_cast<LPARAM>(remote.at()))) {
    return {};
  }
  std::wstring text(kTextCapacity, L'\0');
  remote.Read(sizeof(LVCOLUMNW), text.data(), text.size() * sizeof(wchar_t));
  text.resize(wcsnlen(text.c_str(), text.size()));
  return Narrow(text);
}

int ListColumnWidth(HWND list, int column) {
  return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void ListSelectRow(HWND list, int row) {
  RemoteBuffer remote(list, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  remote.Write(0, &item, sizeof item);
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(remote.at()));
}

int ListSelectedRow(HWND list) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int ComboCount(HWND combo) {
  return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
}

std::string ComboItemText(HWND combo, int index) {
  const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) {
    return {};
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return Narrow(text);
}

int ComboSelection(HWND combo) {
  return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

void ComboPick(HWND combo, int index) {
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  const auto id = static_cast<WORD>(GetDlgCtrlID(combo));
  PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK),
               reinterpret_cast<LPARAM>(combo));
}

std::string AddressText(HWND box) {
  if (SendMessageW(box, IPM_ISBLANK, 0, 0)) {
    return {};
  }
  RemoteBuffer remote(box, sizeof(DWORD));
  if (!remote.ok()) {
    return {};
  }
  SendMessageW(box, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(remote.at()));
  DWORD address = 0;
  remote.Read(0, &address, sizeof address);
  char text[16];
  wsprintfA(text, "%d.%d.%d.%d", FIRST_IPADDRESS(address), SECOND_IPADDRESS(address),
            THIRD_IPADDRESS(address), FOURTH_IPADDRESS(address));
  return text;
}

void SetAddress(HWND box, BYTE a, BYTE b, BYTE c, BYTE d) {
  SendMessageW(box, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
}

void Click(HWND button) {
  const auto id = static_cast<WORD>(GetDlgCtrlID(button));
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void PressKey(HWND top, UINT virtualKey) {
  HWND target = FocusedWindow(top);
  if (!target) {
    target = top;
  }
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageW(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

void TypeText(HWND top, const std::wstring& text) {
  for (const wchar_t c : text) {
    HWND target = FocusedWindow(top);
    PostMessageW(target ? target : top, WM_CHAR, c, 1);
    // A sent message is handled only when the thread looks for its next message, before or after
    // taking the posted character; a second one sent after that is handled after the character.
    SendMessageW(top, WM_NULL, 0, 0);
    SendMessageW(top, WM_NULL, 0, 0);
  }
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD milliseconds) {
  HWND box = FindWindowOf(processId, nullptr, L"#32770", milliseconds);
  if (!box) {
    return std::nullopt;
  }
  MessageBoxSeen seen;
  seen.window = box;
  seen.title = Narrow(TextOf(box));
  for (HWND child : Children(box)) {
    if (ClassOf(child) == L"Static" &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
      seen.text = Narrow(TextOf(child));
    }
  }
  return seen;
}

void DismissMessageBox(const MessageBoxSeen& box) {
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace driver
