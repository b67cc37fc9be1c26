#pragma once

struct AppContext;

// The user chose a row of the line list: its host and static address become the line the connect
// button dials. A dynamic line is taken at once; a static line is first reserved for the account,
// and only a granted reservation shows the line in the labels and writes it to the settings file.
// A refused one says so in the status label, while the host and address stay those of the row.
// Nothing happens without a current row, or for a row without a host.
void OnLinePicked(AppContext& context);
