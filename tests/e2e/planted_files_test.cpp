// Files planted beside quorvel.exe, as they could land in a downloads folder: decoys of
// iphlpapi.dll, icmp.dll and mprapi.dll, and a netsh.exe. The script runs the drivers with
// WINEDLLOVERRIDES="iphlpapi,icmp,mprapi=n,b", under which Wine loads a planted DLL wherever a
// search reaches it. The set-DNS test checks that quorvel.exe never does; this one that the
// decoys would catch a program that does.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "e2e/quorvel_process.h"
#include "e2e/test_folder.h"

namespace {

// The control: a program that loads the three DLLs with the default search, started in the same
// folder under the same overrides, does load every decoy.
TEST(PlantedFiles, TheDecoysCatchAProgramThatSearchesItsOwnFolder) {
  const std::string loads = e2e::ExeFolderFile("decoy_loads.txt");
  DeleteFileA(loads.c_str());
  driver::Program loader;
  // Built with append: GCC 12 at -O3 warns falsely (-Wrestrict) on "\"" + std::string here.
  const std::string quotedPath =
      std::string(1, '"').append(e2e::ExeFolderFile("naive_loader.exe")).append(1, '"');
  ASSERT_TRUE(loader.Start(quotedPath, e2e::QuorvelExeFolder()));
  EXPECT_EQ(loader.WaitForExit(20000), std::optional<DWORD>(0)) << "a system DLL was loaded";
  EXPECT_EQ(
      e2e::ReadFile(loads),
      "iphlpapi.dll naive_loader.exe\nicmp.dll naive_loader.exe\nmprapi.dll naive_loader.exe\n");
  DeleteFileA(loads.c_str());
}

}  // namespace
