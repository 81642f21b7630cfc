#pragma once

#include "quiz/NoteTable.h"

#include <QColor>
#include <QImage>

class Canvas;
class ImageList;

// The staff area's fixed geometry, in the staff box's own pixels.
namespace StaffGeometry {
inline constexpr int LineSpacing = 10;
inline constexpr int StaffWidth = 200;    // the lines cover x = 0 to 199
inline constexpr int RightBarX = 200;
inline constexpr int GuitarBarBottom = 62;
inline constexpr int BothStavesBarBottom = 137;
inline constexpr int ClefLeft = 6;
inline constexpr int UpperClefTop = 8;
inline constexpr int LowerClefTop = 83;
inline constexpr int EraseBandWidth = 24;
inline constexpr int LastNoteLeft = 172;  // the twentieth note's cell
inline constexpr int NoteSpacing = 6;
} // namespace StaffGeometry

// The x of the note cell while this many notes are still to come.
int NoteLeftFor(int notesLeft);

// Clef pictures by staff choice: 0 bass black, 1 treble black, 2 bass grey,
// 3 treble grey; a staff whose notes are not in play gets a grey clef.
int UpperClefFor(TStaffChoice choice);
int LowerClefFor(TStaffChoice choice);

// Clears the band x = left .. left + width - 1 to the background and draws
// the staff lines across it: the treble staff, and the bass staff unless the
// guitar shows its single staff.
void DrawStaffLinesOn(Canvas& canvas, bool guitar, int left, int width, const QColor& background);
// Clears the area and draws the staff lines and the bars at both ends.
void DrawStaffOn(Canvas& canvas, bool guitar, const QColor& background);

// A cell-sized picture of glyph `index` on the background colour, drawn
// through its mask into a temporary bitmap that the caller owns (and so
// releases on every path). The bitmap is reused between glyphs: its whole
// area is cleared first.
void ComposeGlyph(QImage& bitmap, const ImageList& list, int index, const QColor& background);

// Both clefs for a staff choice, copied opaquely at their places.
void DrawClefsOn(Canvas& canvas, const ImageList& clefs, TStaffChoice choice, bool guitar, const QColor& background);
// A note glyph with its top left corner at (left, top): only the pixels that
// differ from the background are painted, so the staff shows through.
void DrawNoteGlyphOn(Canvas& canvas, const ImageList& notes, int glyph, int left, int top, const QColor& background);
