// Binding functions of system DLLs at run time, from the System32 folder only. Users run the
// program as administrator, so a DLL of the same name beside the exe or in the current folder
// must never be the one that loads.
#pragma once

#include <windows.h>

namespace platform::win32 {

// The DLL of that name from System32, or null when it cannot be loaded there. It is never freed:
// callers bind it once and use its functions until the process ends.
HMODULE System32Module(const wchar_t* name);

// The named export of the module as the function type the caller names; null when the module or
// the function is missing.
template <typename Function>
Function FindFunction(HMODULE module, const char* name) {
  if (module == nullptr) {
    return nullptr;
  }
  // GetProcAddress gives a generic function pointer; the caller names the real type.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace platform::win32
