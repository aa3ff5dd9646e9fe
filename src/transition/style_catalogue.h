#pragma once
// The 128 transition styles in one table: for each style its family, the
// function that builds its frame, its entry text in the settings list and
// what a frame at progress 0 does to the screen. Everything that asks what
// style N is reads it here.
//
// The settings list: entry 0 picks a random style, entry k selects style
// k - 1. Styles 123..127 have no entry.
#include <string>

namespace vorn {

struct FrameContext;

constexpr int kStyleCount = 128;        // styles the renderer knows, 0..127
constexpr int kListedStyles = 123;      // styles 0..122 have a list entry
constexpr int kStyleListEntries = 124;  // the random entry and one per listed style

enum class StyleFamily { Appear, Rectangle, Masked, Pixel };

struct StyleInfo {
  StyleFamily family;
  // Leaves what the frame needs in the context (D and R, M, or the screen
  // itself); null for style 0, which the player draws itself.
  void (*build)(int style, FrameContext& f);
  // The list entry's text as UTF-8; null for a style without an entry.
  const char* listText;
  // A frame at progress 0 leaves the old picture on the screen untouched
  // (for a rectangle style: unless it drew extra copies, which it reports).
  bool oldImageUntouchedAtZero;
};

// The row of a style; a number outside 0..127 gets a row with nothing to
// build and no list entry.
const StyleInfo& styleInfo(int style);
StyleFamily familyOf(int style);
const char* familyName(StyleFamily family);

// Windows-1250 text of a list entry; empty outside 0..123.
std::string styleListText(int entry);
// The style an entry selects; -1 for the random entry or an entry out of range.
int styleOfListEntry(int entry);
// The entry that selects a style; -1 for styles without one.
int listEntryOfStyle(int style);

}  // namespace vorn
