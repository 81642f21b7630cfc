#include "instruments/PianoKeyboard.h"

#include "platform/Canvas.h"

#include <QColor>

namespace {

const QColor GreyKey(224, 224, 224);
const QColor WhiteKey(255, 255, 255);
const QColor MiddleCTint(224, 255, 255);
const QColor KeyStrip(192, 64, 0);
const QColor Backdrop(64, 0, 0);
const QColor MarkerRed(255, 0, 0);
constexpr int KeyStripHeight = 5;

} // namespace

int KeyboardLayoutFor(bool fullRange, TStaffChoice staffChoice) {
    if (!fullRange)
        return 0;
    switch (staffChoice) {
    case TStaffChoice::scTreble: return 1;
    case TStaffChoice::scBass: return 2;
    case TStaffChoice::scAll: return 3;
    }
    return 0;
}

int KeyLeft(const TKeyboardLayout& layout, int width, int n) {
    return (width - layout.KeyCount * layout.WhiteWidth) / 2 + n * layout.WhiteWidth;
}

int PianoHitTest(const TKeyboardLayout& layout, int width, int x, int y) {
    const int left = KeyLeft(layout, width, 0);
    if (x < left || x >= KeyLeft(layout, width, layout.KeyCount) || y < 0 || y >= layout.WhiteHeight)
        return -1;
    const int k = (x - left) / layout.WhiteWidth;
    const int candidate = layout.FirstStep + k;
    // Below the black keys the whole width of a white key counts.
    if (y >= layout.BlackHeight)
        return candidate;
    const int offset = (x - left) % layout.WhiteWidth;
    const int halfBlack = layout.BlackWidth / 2;
    if (!layout.NoBlackKey.contains(k) && offset < halfBlack)
        return -1;
    if (!layout.NoBlackKey.contains(k + 1) && offset > layout.WhiteWidth - halfBlack)
        return -1;
    return candidate;
}

void DrawPiano(Canvas& canvas, const TKeyboardLayout& layout, bool fullRange) {
    const int width = canvas.width();
    const int height = canvas.height();
    const int activeLeft = KeyLeft(layout, width, (layout.KeyCount - layout.ActiveCount) / 2);
    const int activeRight = activeLeft + layout.ActiveCount * layout.WhiteWidth;

    canvas.setBrushColor(GreyKey);
    canvas.fillRect(0, 0, activeLeft, layout.WhiteHeight);
    canvas.fillRect(activeRight, 0, width, layout.WhiteHeight);
    canvas.setBrushColor(WhiteKey);
    canvas.fillRectAt(activeLeft, 0, layout.ActiveCount * layout.WhiteWidth, layout.WhiteHeight);
    if (fullRange) {
        canvas.setBrushColor(MiddleCTint);
        canvas.fillRectAt(KeyLeft(layout, width, MiddleCStep - layout.FirstStep), 0, layout.WhiteWidth,
                          layout.WhiteHeight);
    }

    // The outer boundaries take part like the others, so a black key that
    // belongs there lies half over the end key and half over the margin.
    canvas.setPenColor(Qt::black);
    canvas.setBrushColor(Qt::black);
    for (int i = 0; i <= layout.KeyCount; ++i) {
        const int x = KeyLeft(layout, width, i);
        canvas.line(x, 0, x, layout.WhiteHeight);
        if (!layout.NoBlackKey.contains(i))
            canvas.fillRectAt(x - layout.BlackWidth / 2, 0, layout.BlackWidth, layout.BlackHeight);
    }

    canvas.setBrushColor(KeyStrip);
    canvas.fillRectAt(0, layout.WhiteHeight, width, KeyStripHeight);
    canvas.setBrushColor(Backdrop);
    canvas.fillRect(0, layout.WhiteHeight + KeyStripHeight, width, height);
}

namespace {

struct MarkerGeometry {
    int size = 0;  // the outer square's side
    int inner = 0; // the inner square's side, of the same parity
    int left = 0;
    int top = 0;
};

bool MarkerFor(const TKeyboardLayout& layout, int width, int selection, MarkerGeometry& marker) {
    if (selection < layout.FirstStep || selection >= layout.FirstStep + layout.KeyCount)
        return false;
    marker.size = layout.WhiteWidth / 2;
    if (layout.WhiteWidth % 2 != 0)
        marker.size &= ~1;
    marker.left = KeyLeft(layout, width, selection - layout.FirstStep) + (layout.WhiteWidth - marker.size + 1) / 2;
    // The square ends 4 pixels above the key's lower edge, well below the
    // black keys.
    marker.top = layout.WhiteHeight - marker.size - 4;
    marker.inner = marker.size / 2;
    if (marker.size % 2 != 0)
        marker.inner |= 1;
    else
        marker.inner &= ~1;
    return true;
}

} // namespace

QRect PianoMarkerRect(const TKeyboardLayout& layout, int width, int selection) {
    MarkerGeometry marker;
    if (!MarkerFor(layout, width, selection, marker))
        return {};
    return {marker.left, marker.top, marker.size, marker.size};
}

void ShowPianoSelection(Canvas& canvas, const TKeyboardLayout& layout, int selection, bool show) {
    MarkerGeometry marker;
    if (!MarkerFor(layout, canvas.width(), selection, marker))
        return;
    if (show) {
        canvas.setBrushColor(MarkerRed);
        canvas.fillRectAt(marker.left, marker.top, marker.size, marker.size);
        // The centre shows the key's own colour, read just above the square.
        canvas.setBrushColor(canvas.pixel(marker.left, marker.top - 1));
        const int inset = (marker.size - marker.inner) / 2;
        canvas.fillRectAt(marker.left + inset, marker.top + inset, marker.inner, marker.inner);
    } else {
        canvas.setBrushColor(canvas.pixel(marker.left, marker.top - 1));
        canvas.fillRectAt(marker.left, marker.top, marker.size, marker.size);
    }
}
