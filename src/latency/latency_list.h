// The latency list 超级列表框1: one row per provider with the round-trip times to its resolvers.
#pragma once

#include <cstdint>
#include <string>

// Time-out of every probe of the list, in milliseconds.
inline constexpr std::int32_t kLatencyProbeTimeoutMs = 200;

// Appends one row per provider (slots 0 to 4) and fills it: name, primary and secondary address,
// then the primary's latency, then the secondary's. Rows already in the list stay.
void RefreshLatencyList();

// The click of 按钮_刷新延时: deletes every row, then lists and measures all providers again.
void OnRefreshLatencyClicked();

// A probe result as the list shows it: "23ms", "0ms", "-1ms".
std::string LatencyText(std::int32_t milliseconds);
