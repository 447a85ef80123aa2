#include "dnsconfig/netsh_command_lines.h"

namespace {

std::string Concatenate(std::string_view first, std::string_view name, std::string_view middle,
                        std::string_view address, std::string_view last) {
  std::string line;
  line.reserve(first.size() + name.size() + middle.size() + address.size() + last.size());
  line.append(first).append(name).append(middle).append(address).append(last);
  return line;
}

}  // namespace

std::string SetPrimaryDnsCommandLine(std::string_view connectionName, std::string_view address) {
  return Concatenate(R"(netsh interface ip set dns name=")", connectionName,
                     R"(" source=static addr=")", address, R"(" register=primary)");
}

std::string AddSecondaryDnsCommandLine(std::string_view connectionName, std::string_view address) {
  return Concatenate(R"(netsh interface ip add dnsservers name=")", connectionName,
                     R"(" address=")", address, R"(" index=2)");
}
