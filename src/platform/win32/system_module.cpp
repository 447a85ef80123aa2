#include "platform/win32/system_module.h"

namespace platform::win32 {

HMODULE System32Module(const wchar_t* name) {
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace platform::win32
