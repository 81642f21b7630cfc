#pragma once

#include <QRect>

#include <array>
#include <cstdint>

class Canvas;

// The fingerboard: the nut at the left, string 1 (high E) at the top and
// string 6 (low E) at the bottom, seven fret cells and the open-string zone
// to the right of the last wire.
inline constexpr std::int32_t GuitarTop = 10;    // y of the board's top edge
inline constexpr std::int32_t GuitarHeight = 67; // the board covers y 10 to 76
inline constexpr std::int32_t NutX = 8;          // the nut is fret wire 0
inline constexpr std::int32_t StringMargin = 6;
inline constexpr std::int32_t FretCount = 7;     // fret cells shown
inline constexpr std::int32_t DotSize = 10;      // diameter of the position dots
inline constexpr int StringCount = 6;

// Element n - 1 is the distance from fret wire n - 1 to fret wire n.
inline constexpr std::array<std::int32_t, 10> FretWidths = {35, 32, 29, 27, 25, 23, 21, 20, 19, 18};

// Element [s - 1][f] is the Step of string s stopped at fret f (0 = open),
// or -1 where that position gives a sharp or flat.
inline constexpr std::array<std::array<std::int8_t, 10>, StringCount> FretSteps = {{
    {21, 22, -1, 23, -1, 24, -1, 25, 26, -1},
    {18, 19, -1, 20, -1, 21, 22, -1, 23, -1},
    {16, -1, 17, -1, 18, 19, -1, 20, -1, 21},
    {13, -1, 14, 15, -1, 16, -1, 17, -1, 18},
    {10, -1, 11, 12, -1, 13, -1, 14, 15, -1},
    {7, 8, -1, 9, -1, 10, -1, 11, 12, -1},
}};

// The x of fret wire n; any n <= 0 gives the nut.
constexpr int FretX(int n) {
    int x = NutX;
    for (int i = 1; i <= n && i <= static_cast<int>(FretWidths.size()); ++i)
        x += FretWidths[static_cast<std::size_t>(i - 1)];
    return x;
}

constexpr int StringSpacing() { return (GuitarHeight - 2 * StringMargin + 1) / 5; }

// The y of string n, 1 at the top.
constexpr int StringY(int n) {
    return (GuitarHeight - 5 * StringSpacing() - 1) / 2 + GuitarTop + StringSpacing() * (n - 1);
}

// Draws one column completely: column n >= 1 is the cell between wires n - 1
// and n with wire n, column 0 the open-string zone. The marker is drawn when
// withMarker is set, a Step is selected (selection >= 0) and its fret cell
// selFret is this column; selString is the string it sits on.
void DrawFretColumn(Canvas& canvas, int column, bool withMarker, int selection, int selString, int selFret);

// The whole board, the selection marker included.
void DrawFingerboard(Canvas& canvas, int selection, int selString, int selFret);

// The pixels a column's drawing covers in a box of this width.
QRect FretColumnRect(int column, int width);

// The Step at the point, or -1. String and fret receive the string and cell
// the search reached, as it runs: string is 0 when no string's band holds y,
// and then fret is left as it was; fret is -1 on a wire or left of the nut.
int GuitarHitTest(int x, int y, int& string, int& fret);
