#include "staff/StaffRenderer.h"

#include "platform/Canvas.h"
#include "platform/ImageList.h"

using namespace StaffGeometry;

int NoteLeftFor(int notesLeft) { return LastNoteLeft - NoteSpacing * notesLeft; }

int UpperClefFor(TStaffChoice choice) { return choice == TStaffChoice::scBass ? 3 : 1; }

int LowerClefFor(TStaffChoice choice) { return choice == TStaffChoice::scTreble ? 2 : 0; }

void DrawStaffLinesOn(Canvas& canvas, bool guitar, int left, int width, const QColor& background) {
    canvas.setBrushColor(background);
    canvas.fillRect(left, 0, left + width, canvas.height());
    canvas.setPenColor(Qt::black);
    for (int i = 0; i < 5; ++i) {
        const int treble = TrebleTopLineY + LineSpacing * i;
        canvas.line(left, treble, left + width, treble);
        if (!guitar) {
            const int bass = BassTopLineY + LineSpacing * i;
            canvas.line(left, bass, left + width, bass);
        }
    }
}

void DrawStaffOn(Canvas& canvas, bool guitar, const QColor& background) {
    DrawStaffLinesOn(canvas, guitar, 0, StaffWidth, background);
    const int bottom = guitar ? GuitarBarBottom : BothStavesBarBottom;
    canvas.setPenColor(Qt::black);
    canvas.line(0, TrebleTopLineY, 0, bottom + 1);
    canvas.line(RightBarX, TrebleTopLineY, RightBarX, bottom + 1);
}

void ComposeGlyph(QImage& bitmap, const ImageList& list, int index, const QColor& background) {
    if (bitmap.size() != list.cellSize())
        bitmap = QImage(list.cellSize(), QImage::Format_RGB32);
    bitmap.fill(background);
    list.draw(bitmap, 0, 0, index);
}

void DrawClefsOn(Canvas& canvas, const ImageList& clefs, TStaffChoice choice, bool guitar, const QColor& background) {
    QImage bitmap; // released when this returns, also on an exception
    ComposeGlyph(bitmap, clefs, UpperClefFor(choice), background);
    canvas.drawOpaque(ClefLeft, UpperClefTop, bitmap);
    if (!guitar) {
        ComposeGlyph(bitmap, clefs, LowerClefFor(choice), background);
        canvas.drawOpaque(ClefLeft, LowerClefTop, bitmap);
    }
}

void DrawNoteGlyphOn(Canvas& canvas, const ImageList& notes, int glyph, int left, int top, const QColor& background) {
    QImage bitmap;
    ComposeGlyph(bitmap, notes, glyph, background);
    canvas.drawTransparent(left, top, bitmap, background);
}
