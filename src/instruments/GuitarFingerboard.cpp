#include "instruments/GuitarFingerboard.h"

#include "platform/Canvas.h"

#include <QColor>

namespace {

const QColor Band(32, 80, 32);
const QColor NutLight(192, 160, 160);
const QColor WireShadow(128, 128, 128);
const QColor WireLight(192, 192, 192);
const QColor OpenZone(144, 64, 64);
const QColor FretCell(96, 32, 32);
const QColor DotOutline(96, 96, 96);
const QColor DotFill(160, 192, 224);
const QColor MarkerYellow(255, 255, 0);
const QColor MarkerRed(255, 0, 0);
const QColor StringColour(224, 224, 224);
constexpr int MarkerSize = 7;
constexpr int MarkerCentre = 3;

int BoardBottom() { return GuitarTop + GuitarHeight; }

void DrawDot(Canvas& canvas, int column, int top) {
    const int left = (FretX(column - 1) + FretX(column)) / 2 - DotSize / 2 + 1;
    canvas.ellipse(left, top, left + DotSize, top + DotSize);
}

} // namespace

void DrawFretColumn(Canvas& canvas, int column, bool withMarker, int selection, int selString, int selFret) {
    const int width = canvas.width();
    if (column == 0) {
        canvas.setBrushColor(OpenZone);
        canvas.fillRect(FretX(FretCount) + 2, GuitarTop, width, BoardBottom());
    } else {
        canvas.setBrushColor(FretCell);
        canvas.fillRect(FretX(column - 1) + 2, GuitarTop, FretX(column), BoardBottom());

        const int wire = FretX(column);
        canvas.setPenColor(WireLight);
        canvas.line(wire, GuitarTop, wire, BoardBottom());
        canvas.setPenColor(WireShadow);
        canvas.line(wire + 1, GuitarTop, wire + 1, BoardBottom());

        canvas.setPenColor(DotOutline);
        canvas.setBrushColor(DotFill);
        if (column == 3 || column == 7)
            DrawDot(canvas, column, GuitarHeight / 2 + GuitarTop - DotSize / 2);
        if (column == 5) {
            DrawDot(canvas, column, GuitarHeight / 4 + GuitarTop - DotSize / 2);
            DrawDot(canvas, column, (3 * GuitarHeight) / 4 + GuitarTop - DotSize / 2);
        }
    }

    if (withMarker && selection >= 0 && column == selFret) {
        const int mx = column > 0 ? FretX(column) - 10 : FretX(FretCount) + 10;
        const int my = StringY(selString) - MarkerCentre;
        canvas.setBrushColor(MarkerYellow);
        canvas.fillRectAt(mx, my, MarkerSize, MarkerSize);
        canvas.setBrushColor(MarkerRed);
        canvas.fillRectAt(mx + 2, my + 2, 3, 3);
    }

    // The strings come last, across the marker's middle row, and run over
    // both bounding wires (column 1's also over the nut and the black area
    // left of it), so a column redrawn alone joins its neighbours seamlessly.
    const int x0 = column == 0 ? FretX(FretCount) : column == 1 ? 0 : FretX(column - 1);
    const int x1 = column == 0 ? width : FretX(column) + 2;
    canvas.setPenColor(StringColour);
    for (int s = 1; s <= StringCount; ++s)
        canvas.line(x0, StringY(s), x1, StringY(s));
}

void DrawFingerboard(Canvas& canvas, int selection, int selString, int selFret) {
    const int width = canvas.width();
    canvas.setBrushColor(Band);
    canvas.fillRect(0, 0, width, GuitarTop);
    canvas.fillRect(0, BoardBottom(), width, canvas.height());
    canvas.setBrushColor(Qt::black);
    canvas.fillRect(0, GuitarTop, NutX, BoardBottom());

    canvas.setPenColor(NutLight);
    canvas.line(NutX, GuitarTop, NutX, BoardBottom());
    canvas.setPenColor(WireShadow);
    canvas.line(NutX + 1, GuitarTop, NutX + 1, BoardBottom());

    // The columns draw the marker themselves.
    for (int column = 0; column <= FretCount; ++column)
        DrawFretColumn(canvas, column, true, selection, selString, selFret);
}

QRect FretColumnRect(int column, int width) {
    const int left = column == 0 ? FretX(FretCount) : column == 1 ? 0 : FretX(column - 1);
    const int right = column == 0 ? width - 1 : FretX(column) + 1;
    return {QPoint(left, GuitarTop), QPoint(right, BoardBottom() - 1)};
}

int GuitarHitTest(int x, int y, int& string, int& fret) {
    const int half = StringSpacing() / 2;
    // String s owns the rows StringY(s) - half to StringY(s) + half - 1.
    bool stringFound = false;
    string = StringCount;
    while (string > 0 && !stringFound) {
        if (StringY(string) + half <= y)
            string = 0;
        else if (StringY(string) - half <= y)
            stringFound = true;
        else
            --string;
    }
    if (string > 0) {
        // Each wire's dead zone is FretX(n) - 1 to FretX(n) + 2.
        bool cellFound = false;
        fret = FretCount;
        while (fret > -1 && !cellFound) {
            if (FretX(fret) + 2 < x)
                cellFound = true;
            else if (FretX(fret) - 2 < x)
                fret = -1;
            else
                --fret;
        }
        // Right of wire f lies fret cell f + 1; right of the last wire the
        // open string.
        if (fret >= 0)
            fret = fret == FretCount ? 0 : fret + 1;
    }
    if (string > 0 && fret >= 0)
        return FretSteps[static_cast<std::size_t>(string - 1)][static_cast<std::size_t>(fret)];
    return -1;
}
