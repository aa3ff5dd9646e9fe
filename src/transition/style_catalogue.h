#pragma once
// The transition settings list of the configuration panel: entry 0 picks a
// random style, entry k selects style k - 1. Styles 123..127 have no entry.
#include <string>

namespace vorn {

constexpr int kStyleCount = 128;        // styles the renderer knows, 0..127
constexpr int kListedStyles = 123;      // styles 0..122 have a list entry
constexpr int kStyleListEntries = 124;  // the random entry and one per listed style

// Windows-1250 text of a list entry; empty outside 0..123.
std::string styleListText(int entry);
// The style an entry selects; -1 for the random entry or an entry out of range.
int styleOfListEntry(int entry);
// The entry that selects a style; -1 for styles without one.
int listEntryOfStyle(int style);

}  // namespace vorn
