// The decisions of one latency probe, over the scripted system of the host build: which replies
// count as a latency, which addresses are not probed, and how socket start-up is retried.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "platform/host/journal.h"
#include "platform/host/scripted_probe.h"
#include "platform/probe.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::uint32_t kDestinationHostUnreachable = 11003;  // IP_DEST_HOST_UNREACHABLE
constexpr std::uint32_t kTtlExpiredTransit = 11013;           // IP_TTL_EXPIRED_TRANSIT

class ProbeLatencyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::ResetProbeScript();
    host::ClearJournal();
  }
};

struct ProbeCase {
  const char* what;
  std::function<void()> script;
  const char* address;
  std::int32_t timeoutMs;
  std::int32_t expected;
  std::vector<std::string> echoes;  // what reached the system
};

TEST_F(ProbeLatencyTest, GivesTheRoundTripOfASuccessfulReplyOnly) {
  const std::vector<ProbeCase> cases = {
      {"reply", [] { host::ScriptEchoReply("1.2.4.8", 23); }, "1.2.4.8", 200, 23, {"1.2.4.8 200"}},
      {"reply in under a millisecond",
       [] { host::ScriptEchoReply("223.5.5.5", 0); },
       "223.5.5.5",
       200,
       0,
       {"223.5.5.5 200"}},
      {"no reply in time", [] {}, "202.98.0.68", 200, -1, {"202.98.0.68 200"}},
      {"destination unreachable from a router",
       [] { host::ScriptEchoReply("101.226.4.6", 1, kDestinationHostUnreachable); },
       "101.226.4.6",
       200,
       -1,
       {"101.226.4.6 200"}},
      {"TTL expired on the way",
       [] { host::ScriptEchoReply("218.30.118.6", 4, kTtlExpiredTransit); },
       "218.30.118.6",
       200,
       -1,
       {"218.30.118.6 200"}},
      {"host name",
       [] {
         host::ScriptHostName("resolver.example", "10.0.0.53");
         host::ScriptEchoReply("10.0.0.53", 7);
       },
       "resolver.example",
       200,
       7,
       {"10.0.0.53 200"}},
      {"name that does not resolve", [] {}, "nowhere.example", 200, -1, {}},
      // The system resolves the empty name to the local computer, which answers at once.
      {"empty address",
       [] {
         host::ScriptHostName("", "127.0.0.1");
         host::ScriptEchoReply("127.0.0.1", 0);
       },
       "",
       200,
       -1,
       {}},
      {"ICMP functions missing",
       [] {
         host::ScriptIcmpUnavailable(true);
         host::ScriptEchoReply("1.2.4.8", 23);
       },
       "1.2.4.8",
       200,
       -1,
       {}},
      {"time-out passed through",
       [] { host::ScriptEchoReply("1.2.4.8", 3); },
       "1.2.4.8",
       1000,
       3,
       {"1.2.4.8 1000"}},
      {"negative time-out waits not at all", [] {}, "1.2.4.8", -5, -1, {"1.2.4.8 0"}},
  };
  for (const ProbeCase& c : cases) {
    SCOPED_TRACE(c.what);
    host::ResetProbeScript();
    c.script();
    EXPECT_EQ(platform::ProbeLatency(c.address, c.timeoutMs), c.expected);
    EXPECT_EQ(host::SentEchoRequests(), c.echoes);
  }
}

TEST_F(ProbeLatencyTest, EmptyAddressNeedsNoSockets) {
  EXPECT_EQ(platform::ProbeLatency("", 200), -1);
  EXPECT_EQ(host::SocketStartAttempts(), 0);
  EXPECT_THAT(host::SentEchoRequests(), IsEmpty());
}

TEST_F(ProbeLatencyTest, FailedSocketStartIsRetriedAtTheNextProbeThenKept) {
  host::ScriptSocketStartFailures(2);
  host::ScriptEchoReply("223.5.5.5", 9);
  EXPECT_EQ(platform::ProbeLatency("223.5.5.5", 200), -1);
  EXPECT_EQ(platform::ProbeLatency("223.5.5.5", 200), -1);
  EXPECT_THAT(host::SentEchoRequests(), IsEmpty());
  EXPECT_EQ(platform::ProbeLatency("223.5.5.5", 200), 9);
  EXPECT_EQ(platform::ProbeLatency("223.5.5.5", 200), 9);
  EXPECT_EQ(host::SocketStartAttempts(), 3);
}

TEST_F(ProbeLatencyTest, EachProbeIsJournalledWithItsResult) {
  host::ScriptEchoReply("1.2.4.8", 23);
  platform::ProbeLatency("1.2.4.8", 200);
  platform::ProbeLatency("", 200);
  EXPECT_THAT(host::Journal(),
              ElementsAre("ProbeLatency 1.2.4.8 200 -> 23", "ProbeLatency \"\" 200 -> -1"));
}

}  // namespace
