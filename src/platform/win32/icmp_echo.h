// The ICMP echo functions of icmp.dll, bound when the first probe needs them.
#pragma once

#include <windows.h>
// After windows.h: the ICMP declarations use its types.
#include <ipexport.h>

#include <cstdint>
#include <optional>

#include "platform/probe_core.h"

namespace platform::win32 {

using IcmpCreateFileFn = HANDLE(WINAPI*)();
using IcmpCloseHandleFn = BOOL(WINAPI*)(HANDLE);
using IcmpSendEchoFn = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID,
                                      DWORD, DWORD);

struct IcmpFunctions {
  IcmpCreateFileFn createFile = nullptr;
  IcmpSendEchoFn sendEcho = nullptr;
  IcmpCloseHandleFn closeHandle = nullptr;
};

// Loads the module from System32 and finds the three functions in it; nothing when any of them
// is missing. The module stays loaded for the rest of the process.
std::optional<IcmpFunctions> BindIcmpFunctions(const wchar_t* module);

// The functions of icmp.dll, bound once per process.
bool IcmpFunctionsAvailable();

// One echo request without data to the address (network byte order). The first reply, or
// nothing when the functions are missing, no handle could be opened or no reply came in time.
std::optional<EchoReply> SendIcmpEcho(std::uint32_t address, std::uint32_t timeoutMs);

}  // namespace platform::win32
