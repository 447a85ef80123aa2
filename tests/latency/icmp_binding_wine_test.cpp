// Binding the ICMP echo functions at run time: a probe on a system without them must give -1
// instead of failing to start.
#include <gtest/gtest.h>

#include "platform/win32/icmp_echo.h"

namespace {

TEST(IcmpBindingWineTest, FindsTheThreeFunctionsOnlyWhereAllExist) {
  const std::optional<platform::win32::IcmpFunctions> icmp =
      platform::win32::BindIcmpFunctions(L"icmp.dll");
  ASSERT_TRUE(icmp.has_value());
  EXPECT_NE(icmp->createFile, nullptr);
  EXPECT_NE(icmp->sendEcho, nullptr);
  EXPECT_NE(icmp->closeHandle, nullptr);
  EXPECT_TRUE(platform::win32::IcmpFunctionsAvailable());

  EXPECT_FALSE(platform::win32::BindIcmpFunctions(L"quorvel-no-such-module.dll").has_value());
  // A module that exists but has none of them.
  EXPECT_FALSE(platform::win32::BindIcmpFunctions(L"kernel32.dll").has_value());
}

TEST(IcmpBindingWineTest, AHandleOpensAndCloses) {
  const std::optional<platform::win32::IcmpFunctions> icmp =
      platform::win32::BindIcmpFunctions(L"icmp.dll");
  ASSERT_TRUE(icmp.has_value());
  const HANDLE handle = icmp->createFile();
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(icmp->closeHandle(handle));
}

}  // namespace
