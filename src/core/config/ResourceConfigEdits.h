#pragma once

struct ResourceConfigData;

// Carries the edits one process made to its copy of the main configuration
// (from `before`, what it last read or wrote, to `after`) over to `current`,
// what the file holds now, which another process may have changed meanwhile.
// Records removed or changed are removed or changed there; records added are
// appended unless already there. An added base or type whose ID another
// process took meanwhile gets a fresh ID, and the records that name it
// follow. Settings changed here win.
//
// When `current` is still `before`, the result is `after` exactly.
void ApplyConfigEdits(const ResourceConfigData& before, const ResourceConfigData& after,
                      ResourceConfigData& current);
