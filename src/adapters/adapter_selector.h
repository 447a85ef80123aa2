// The adapter selector: 组合框1 lists the connections of AdapterList, the four boxes below it
// show the chosen one's MAC, IPv4 address and DNS servers.
#pragma once

// Rebuilds AdapterList, appends one item per record to 组合框1 and selects the first item.
// The detail boxes and savedAdapterIndex are left alone.
void RefreshAdapterList();

// Shows the record at the current selection; with no selection the boxes keep what they show.
void ShowAdapterDetails();

// The user confirmed a choice in 组合框1: shows it and remembers its position.
void OnAdapterSelected();

// Refills 组合框1 from AdapterList, selects the remembered position (clamped to the list) and
// shows it. The remembered position itself is not changed.
void RestoreAdapterSelection();
