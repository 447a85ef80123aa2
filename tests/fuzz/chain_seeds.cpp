// Writes the seeds of adapters_info_fuzzer and adapter_dns_fuzzer (not a test):
//   build/fuzz/tests/fuzz/chain_seeds tests/fuzz/seeds
// Each seed is a first byte 0 and an answer in wire form (chain_images.h): well-formed chains
// and chains whose pointers go wrong in each of the ways a walk must survive; or a first byte 1
// and bytes the fuzzer encodes a well-formed answer from.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "chain_images.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int32_t kAdapter = static_cast<std::int32_t>(chain::kAdapterBytes);
constexpr std::int32_t kEntry = static_cast<std::int32_t>(chain::kEntryBytes);
constexpr std::uint64_t kArbitrary = 0x4141414141414141;  // an address nowhere near the buffer
constexpr std::uint64_t kUnmapped = 0x00007F0000001000;

void Write(const fs::path& dir, const std::string& name, std::uint8_t mode,
           const std::vector<std::uint8_t>& body) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out.put(static_cast<char>(mode));
  out.write(reinterpret_cast<const char*>(body.data()), static_cast<std::streamsize>(body.size()));
  std::printf("%s (%zu bytes)\n", (dir / name).c_str(), body.size() + 1);
}

void WriteWire(const fs::path& dir, const std::string& name, const chain::Draft& draft) {
  Write(dir, name, 0, chain::Wire(draft));
}

// Bytes to encode from: a pattern that gives texts of many lengths and small counts.
std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t state = seed;
  for (std::uint8_t& byte : bytes) {
    state = state * 1103515245 + 12345;
    byte = static_cast<std::uint8_t>(state >> 16);
  }
  return bytes;
}

chain::AdapterSpec Adapter(int n, std::uint32_t index) {
  chain::AdapterSpec planned;
  planned.adapterName = "{0000000" + std::to_string(n) + "-AAAA-4000-8000-000000000000}";
  planned.description = "Fuzz Ethernet Adapter #" + std::to_string(n);
  planned.address = {0x02, 0x1A, 0x0B, 0xC4, 0x5D, static_cast<std::uint8_t>(n), 0, 0};
  planned.index = index;
  planned.ip = "10.0." + std::to_string(n) + ".2";
  planned.mask = "255.255.255.0";
  planned.gateway = "10.0." + std::to_string(n) + ".1";
  return planned;
}

void AdapterSeeds(const fs::path& dir) {
  const chain::AdapterSpec a = Adapter(1, 7);  // index 7 has DNS servers in the fuzzer
  const chain::AdapterSpec b = Adapter(2, 2);
  chain::AdapterSpec c = Adapter(3, 3);
  c.moreIps = {"10.0.3.3", "10.0.3.4"};
  chain::AdapterSpec full = Adapter(4, 4);
  full.adapterName.resize(platform::kAdapterNameChars, 'N');  // no terminator
  full.description.resize(platform::kAdapterDescriptionChars, 'D');
  full.ip = "255.255.255.255X";  // 16 bytes: no terminator
  full.addressLength = 8;

  WriteWire(dir, "empty", {});
  WriteWire(dir, "one", chain::DraftAdapters({a}, {0}));
  WriteWire(dir, "three_in_order", chain::DraftAdapters({a, b, c}, {0, 1, 2}));
  WriteWire(dir, "three_placed_backwards", chain::DraftAdapters({a, b, c}, {0, 2, 1}));
  WriteWire(dir, "texts_fill_arrays",
            chain::DraftAdapters({full, a}, {0, 1}, std::vector<std::uint8_t>(40, 0xFF)));

  chain::Draft draft = chain::DraftAdapters({a}, {0});
  draft.LinkTo(0, 0);
  WriteWire(dir, "self_reference", draft);

  draft = chain::DraftAdapters({a, b}, {0, 1});
  draft.LinkTo(kAdapter, 0);
  WriteWire(dir, "loop_of_two", draft);

  draft = chain::DraftAdapters({a, b, c}, {0, 1, 2});
  draft.LinkTo(2 * kAdapter, kAdapter);
  WriteWire(dir, "loop_back_to_second", draft);

  draft = chain::DraftAdapters({a}, {0});
  draft.LinkTo(0, kAdapter);
  WriteWire(dir, "next_just_past", draft);

  draft = chain::DraftAdapters({a, b}, {0, 1});
  draft.LinkTo(0, kAdapter + 8);  // aligned, but the record would end 8 bytes past the buffer
  WriteWire(dir, "next_partly_past", draft);

  draft = chain::DraftAdapters({a, b}, {0, 1});
  draft.LinkTo(0, kAdapter + 4);
  WriteWire(dir, "next_unaligned", draft);

  draft = chain::DraftAdapters({a, b}, {0, 1});
  draft.LinkTo(0, 1);
  WriteWire(dir, "next_one_byte_in", draft);

  draft = chain::DraftAdapters({a, b}, {0, 1});
  draft.LinkTo(0, static_cast<std::int32_t>(chain::kIpListAt));  // inside the first record
  WriteWire(dir, "next_inside_a_record", draft);

  draft = chain::DraftAdapters({a}, {0});
  draft.LinkTo(0, -kAdapter);
  WriteWire(dir, "next_before", draft);

  draft = chain::DraftAdapters({a}, {0});
  draft.PutRaw(0, kArbitrary);
  WriteWire(dir, "next_arbitrary", draft);

  draft = chain::DraftAdapters({a, b}, {0, 1});
  draft.PutRaw(kAdapter, kUnmapped);
  WriteWire(dir, "second_next_arbitrary", draft);

  // The pointers the walk does not follow, pointing wrong too.
  draft = chain::DraftAdapters({a, c}, {0, 1});
  const std::size_t second = chain::kAdapterBytes;
  draft.LinkTo(second + chain::kCurrentIpAt, kAdapter + 3);
  draft.LinkTo(second + chain::kIpListAt, 2 * kAdapter + 2 * kEntry);
  draft.LinkTo(second + offsetof(platform::IP_ADAPTER_INFO, GatewayList), -kEntry);
  draft.PutRaw(second + offsetof(platform::IP_ADAPTER_INFO, DhcpServer), kArbitrary);
  draft.LinkTo(second + offsetof(platform::IP_ADAPTER_INFO, PrimaryWinsServer), kAdapter);
  WriteWire(dir, "other_pointers_astray", draft);

  std::vector<std::uint8_t> truncated = chain::Wire(chain::DraftAdapters({a}, {0}));
  truncated.resize(chain::kAdapterBytes - 1);
  Write(dir, "one_byte_short", 0, truncated);
  truncated = chain::Wire(chain::DraftAdapters({a, b}, {0, 1}));
  truncated.resize(2 * chain::kAdapterBytes - 1);
  Write(dir, "second_one_byte_short", 0, truncated);

  Write(dir, "encoded_short", 1, Pattern(40, 1));
  Write(dir, "encoded_long", 1, Pattern(1500, 2));
  Write(dir, "encoded_longer", 1, Pattern(3000, 3));
}

void DnsSeeds(const fs::path& dir) {
  const std::string s1 = "10.0.1.53";
  const std::string s2 = "10.0.2.53";
  const std::string s3 = "223.5.5.5";
  const std::string full = "255.255.255.2551";  // 16 bytes: no terminator

  WriteWire(dir, "empty", {});
  WriteWire(dir, "none", chain::DraftDnsServers({}, {}));
  WriteWire(dir, "one", chain::DraftDnsServers({s1}, {}));
  WriteWire(dir, "two", chain::DraftDnsServers({s1, s2}, {0}));
  WriteWire(dir, "three_in_order", chain::DraftDnsServers({s1, s2, s3}, {0, 1}));
  WriteWire(dir, "three_placed_backwards", chain::DraftDnsServers({s1, s2, s3}, {1, 0}));
  WriteWire(dir, "texts_fill_arrays",
            chain::DraftDnsServers({full, full}, {0}, std::vector<std::uint8_t>(20, 0xFF)));

  const auto listNext = static_cast<std::size_t>(chain::NextAt(chain::kDnsListAt));
  const auto listAt = static_cast<std::int32_t>(chain::kDnsListAt);
  const auto secondAt = static_cast<std::int32_t>(chain::kPerAdapterBytes);

  chain::Draft draft = chain::DraftDnsServers({s1}, {});
  draft.LinkTo(listNext, listAt);
  WriteWire(dir, "self_reference", draft);

  draft = chain::DraftDnsServers({s1, s2, s3}, {0, 1});
  draft.LinkTo(static_cast<std::size_t>(secondAt + kEntry), listAt);
  WriteWire(dir, "loop_of_three", draft);

  draft = chain::DraftDnsServers({s1, s2}, {0});
  draft.LinkTo(static_cast<std::size_t>(secondAt), secondAt);
  WriteWire(dir, "second_self_reference", draft);

  draft = chain::DraftDnsServers({s1, s2}, {0});
  draft.LinkTo(listNext, 0);  // an entry over the record's own first fields
  WriteWire(dir, "next_at_start", draft);

  draft = chain::DraftDnsServers({s1, s2}, {0});
  draft.LinkTo(listNext, secondAt + 4);
  WriteWire(dir, "next_unaligned", draft);

  draft = chain::DraftDnsServers({s1, s2}, {0});
  draft.LinkTo(listNext, secondAt + kEntry);
  WriteWire(dir, "next_just_past", draft);

  draft = chain::DraftDnsServers({s1, s2}, {0});
  draft.LinkTo(listNext, secondAt + 8);
  WriteWire(dir, "next_partly_past", draft);

  draft = chain::DraftDnsServers({s1}, {});
  draft.LinkTo(listNext, -kEntry);
  WriteWire(dir, "next_before", draft);

  draft = chain::DraftDnsServers({s1, s2}, {0});
  draft.PutRaw(listNext, kArbitrary);
  WriteWire(dir, "next_arbitrary", draft);

  draft = chain::DraftDnsServers({s1, s2}, {0});
  draft.LinkTo(chain::kCurrentDnsAt, secondAt + 1);
  draft.PutRaw(static_cast<std::size_t>(secondAt), kUnmapped);
  WriteWire(dir, "current_and_second_astray", draft);

  // Room for the record but not for a second entry: one pointing back inside is not taken.
  draft = chain::DraftDnsServers({s1}, {}, std::vector<std::uint8_t>(31, 0));
  draft.LinkTo(listNext, 0);
  WriteWire(dir, "room_for_one_entry", draft);

  std::vector<std::uint8_t> truncated = chain::Wire(chain::DraftDnsServers({s1}, {}));
  truncated.resize(chain::kPerAdapterBytes - 1);
  Write(dir, "one_byte_short", 0, truncated);
  truncated = chain::Wire(chain::DraftDnsServers({s1, s2}, {0}));
  truncated.resize(chain::kPerAdapterBytes + chain::kEntryBytes - 1);
  Write(dir, "second_one_byte_short", 0, truncated);

  Write(dir, "encoded_short", 1, Pattern(30, 4));
  Write(dir, "encoded_long", 1, Pattern(300, 5));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SEEDS_FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path seeds = argv[1];
  AdapterSeeds(seeds / "adapters_info_fuzzer");
  DnsSeeds(seeds / "adapter_dns_fuzzer");
  return 0;
}
