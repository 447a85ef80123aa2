#include "platform/win32/icmp_echo.h"

#include <memory>

namespace platform::win32 {
namespace {

struct ModuleFreer {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

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

template <typename Fn>
Fn FindFunction(HMODULE module, const char* name) {
  // GetProcAddress gives a generic function pointer; the caller names the real type.
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const std::optional<IcmpFunctions>& SystemIcmpFunctions() {
  static const std::optional<IcmpFunctions> functions = BindIcmpFunctions(L"icmp.dll");
  return functions;
}

}  // namespace

std::optional<IcmpFunctions> BindIcmpFunctions(const wchar_t* module) {
  UniqueModule loaded(LoadLibraryW(module));
  if (!loaded) {
    return std::nullopt;
  }
  IcmpFunctions functions;
  functions.createFile = FindFunction<IcmpCreateFileFn>(loaded.get(), "IcmpCreateFile");
  functions.sendEcho = FindFunction<IcmpSendEchoFn>(loaded.get(), "IcmpSendEcho");
  functions.closeHandle = FindFunction<IcmpCloseHandleFn>(loaded.get(), "IcmpCloseHandle");
  if (!functions.createFile || !functions.sendEcho || !functions.closeHandle) {
    return std::nullopt;
  }
  // The functions live in the module: it stays loaded for as long as the process may call them.
  static_cast<void>(loaded.release());
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
