#include "platform/win32/icmp_echo.h"

#include <memory>

#include "platform/win32/system_module.h"

namespace platform::win32 {
namespace {

struct IcmpHandleCloser {
  IcmpCloseHandleFn closeHandle;
  void operator()(HANDLE handle) const { closeHandle(handle); }
};
using UniqueIcmpHandle = std::unique_ptr<void, IcmpHandleCloser>;

// One reply plus the 8 bytes that an ICMP error message may carry.
struct EchoReplyBuffer {
  ICMP_ECHO_REPLY reply;
  unsigned char errorData[8];
};
static_assert(sizeof(EchoReplyBuffer) == sizeof(ICMP_ECHO_REPLY) + 8);

const std::optional<IcmpFunctions>& SystemIcmpFunctions() {
  static const std::optional<IcmpFunctions> functions = BindIcmpFunctions(L"icmp.dll");
  return functions;
}

}  // namespace

std::optional<IcmpFunctions> BindIcmpFunctions(const wchar_t* module) {
  // icmp.dll forwards its functions to iphlpapi.dll. The loader resolves a forward to a module
  // that is not loaded yet through its default search, which can start in the exe's folder (Wine
  // does so even after SetDefaultDllDirectories); one already loaded is taken by name.
  System32Module(L"iphlpapi.dll");
  const HMODULE loaded = System32Module(module);
  IcmpFunctions functions;
  functions.createFile = FindFunction<IcmpCreateFileFn>(loaded, "IcmpCreateFile");
  functions.sendEcho = FindFunction<IcmpSendEchoFn>(loaded, "IcmpSendEcho");
  functions.closeHandle = FindFunction<IcmpCloseHandleFn>(loaded, "IcmpCloseHandle");
  if (!functions.createFile || !functions.sendEcho || !functions.closeHandle) {
    return std::nullopt;
  }
  return functions;
}

bool IcmpFunctionsAvailable() {
  return SystemIcmpFunctions().has_value();
}

std::optional<EchoReply> SendIcmpEcho(std::uint32_t address, std::uint32_t timeoutMs) {
  const std::optional<IcmpFunctions>& icmp = SystemIcmpFunctions();
  if (!icmp) {
    return std::nullopt;
  }
  const HANDLE opened = icmp->createFile();
  if (opened == INVALID_HANDLE_VALUE || opened == nullptr) {
    return std::nullopt;
  }
  const UniqueIcmpHandle handle(opened, IcmpHandleCloser{icmp->closeHandle});

  EchoReplyBuffer buffer{};
  char noData = 0;
  const DWORD replies =
      icmp->sendEcho(handle.get(), address, &noData, 0, nullptr, &buffer, sizeof buffer, timeoutMs);
  if (replies == 0) {
    return std::nullopt;
  }
  return EchoReply{buffer.reply.Status, buffer.reply.RoundTripTime};
}

}  // namespace platform::win32
