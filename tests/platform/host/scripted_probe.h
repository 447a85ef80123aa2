// Host builds only: the system behind platform::ProbeLatency, as a script. A probe goes through
// the same steps as on Windows (socket start-up, ICMP functions, resolution, one echo) against
// the scripted answers, and each call is recorded in the journal as
// "ProbeLatency <address> <timeout> -> <result>" (an empty address written as "").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// Back to a fresh process: sockets not started and starting fine, ICMP functions present, no
// address answers, no host name resolves.
void ResetProbeScript();

// The echo to this dotted address gets a first reply with the status (0 is IP_SUCCESS) and the
// round-trip time. Without a script an address gives no reply within the time-out.
void ScriptEchoReply(std::string_view address, std::uint32_t roundTripTime,
                     std::uint32_t status = 0);
// The host name resolves to the dotted address.
void ScriptHostName(std::string_view name, std::string_view address);
// The next `count` socket start-ups fail.
void ScriptSocketStartFailures(int count);
void ScriptIcmpUnavailable(bool unavailable);

// What reached the system: start-up attempts, and each echo as "<dotted address> <timeout>".
int SocketStartAttempts();
const std::vector<std::string>& SentEchoRequests();

}  // namespace host
