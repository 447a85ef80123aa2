// The fixed table of public DNS providers: the rows of the latency list.
#pragma once

// Writes the five providers into slots 0 to 4 of providerNames, primaryAddresses and
// secondaryAddresses, slot by slot, name before primary before secondary. Slot 5 is not touched.
void FillProviderTable();
