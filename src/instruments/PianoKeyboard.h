#pragma once

#include "quiz/NoteTable.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <initializer_list>

class Canvas;

// A set of key-boundary indices 0 to 255. Boundary i is the left edge of
// white key i; boundary KeyCount is the right edge of the last key.
class TBoundarySet {
public:
    constexpr TBoundarySet(std::initializer_list<int> members) {
        for (const int member : members)
            m_bits[static_cast<std::size_t>(member / 64)] |= std::uint64_t{1} << (member % 64);
    }
    constexpr bool contains(int boundary) const {
        return boundary >= 0 && boundary < 256
            && ((m_bits[static_cast<std::size_t>(boundary / 64)] >> (boundary % 64)) & 1U) != 0;
    }

private:
    std::array<std::uint64_t, 4> m_bits{};
};

// One keyboard layout of the piano.
struct TKeyboardLayout {
    std::int32_t WhiteWidth;  // a white key's width, its left boundary line included
    std::int32_t WhiteHeight; // white keys run from y = 0 to WhiteHeight - 1
    std::int32_t BlackWidth;
    std::int32_t BlackHeight; // black keys run from y = 0 to BlackHeight - 1
    std::int32_t KeyCount;    // white keys drawn
    std::int32_t ActiveCount; // of those, the ones in the middle drawn white; the rest grey, half at each end
    std::int32_t FirstStep;   // Step of the leftmost key; key k has Step FirstStep + k
    TBoundarySet NoBlackKey;  // boundaries at which no black key sits
};

// 0: one octave from middle C with a grey key at each end; 1: the treble
// notes; 2: the bass notes; 3: both staves.
inline constexpr std::array<TKeyboardLayout, 4> KeyboardLayouts = {{
    {21, 68, 9, 44, 10, 8, 11, {1, 4, 8}},
    {17, 68, 7, 44, 13, 13, 12, {0, 3, 7, 10, 14}},
    {17, 68, 7, 44, 13, 13, 0, {1, 5, 8, 12, 15}},
    {9, 68, 5, 44, 25, 25, 0, {1, 5, 8, 12, 15, 19, 22}},
}};

// The layout shown for the options: one octave unless the full range is on,
// then the layout of the staff choice.
int KeyboardLayoutFor(bool fullRange, TStaffChoice staffChoice);

// The x of white-key boundary n in a box of this width; the keyboard is
// centred with an odd pixel of margin on the right.
int KeyLeft(const TKeyboardLayout& layout, int width, int n);

// The Step of the white key under the point, or -1 (outside the keys, on a
// black key, or in the strips below).
int PianoHitTest(const TKeyboardLayout& layout, int width, int x, int y);

// The whole keyboard with its margins and the two strips below, filling the
// canvas; no marker.
void DrawPiano(Canvas& canvas, const TKeyboardLayout& layout, bool fullRange);

// The square the selection marker of this Step occupies, or an empty
// rectangle when the Step has no key in the layout.
QRect PianoMarkerRect(const TKeyboardLayout& layout, int width, int selection);

// Draws (show) or erases the marker on the key of this Step. Both read the
// key's colour just above the square, so the marker sits on white, tinted and
// grey keys alike and erasing restores the key without redrawing it.
void ShowPianoSelection(Canvas& canvas, const TKeyboardLayout& layout, int selection, bool show);
