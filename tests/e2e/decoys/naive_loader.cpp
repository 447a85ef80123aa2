// The control of the decoy test: a program that loads the three DLLs by name with the default
// search, as an unprotected program would. Started in the decoys' folder under the same Wine DLL
// overrides, it must load every decoy, which shows the decoys and overrides can catch a fault.
#include <windows.h>

#include <initializer_list>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int loaded = 0;
  for (const wchar_t* name : {L"iphlpapi.dll", L"icmp.dll", L"mprapi.dll"}) {
    if (const HMODULE module = LoadLibraryW(name)) {
      FreeLibrary(module);
      ++loaded;
    }
  }
  return loaded;  // the decoys refuse to load: 0 when every load reached a decoy
}
