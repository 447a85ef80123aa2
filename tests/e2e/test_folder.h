// What the set-DNS end-to-end tests share with their script (run_set_dns_test.sh): the files the
// netsh stand-in writes in System32, the files planted beside quorvel.exe, and the requests the
// script's watcher carries out in the namespace and on the display.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// A file of the netsh stand-in, in the prefix's System32 folder.
std::string StandInFile(const char* name);
// A file in the folder of quorvel.exe (planted files, requests to the watcher).
std::string ExeFolderFile(const char* name);
bool FileExists(const std::string& path);
std::string ReadFile(const std::string& path);

// Clears what the stand-in recorded and sets its answers, one line per start ("0", "1 0", "0
// 4000").
void ResetStandIn(const std::string& exitCodes);
// The command lines the stand-in recorded: UTF-16LE, each followed by U+000A.
std::vector<std::wstring> RecordedCommandLines();

// Gives the connection a new first IPv4 address (ADDRESS/PREFIX), made by the watcher in the
// namespace: Wine reads the resolver configuration only once per process, addresses every time.
bool ChangeConnectionAddress(const std::string& device, const std::string& address);

// The DLLs loaded in the process (lower case paths) that come neither from System32 nor, for
// comctl32 6, from the system's side-by-side store; and whether the three the program binds at
// run time came from System32.
std::vector<std::wstring> DllsFromElsewhere(unsigned long processId, bool& boundFromSystem32);

// The DNS servers every connection reports to a program started from now on.
bool SetReportedDnsServers(const std::string& spaceSeparatedServers);

// Real input on the test's display: the watcher runs `xdotool ARGS`. True once it has.
bool RealInput(const std::string& xdotoolArguments);

}  // namespace e2e
