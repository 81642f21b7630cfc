#include "Main.h"

#include "platform/SystemColors.h"
#include "staff/StaffRenderer.h"

namespace {
bool ShowsGuitar(TInputType type) { return type == TInputType::itGuitar; }
} // namespace

void TFormQuavelet::pbxStaffPaint() {
    Canvas canvas = pbxStaff->canvas();
    const QColor background = ButtonFace();
    DrawStaffOn(canvas, ShowsGuitar(FInputType), background);
    DrawClefsOn(canvas, ilClefs, FStaffChoice, ShowsGuitar(FInputType), background);
    DrawNote();
}

void TFormQuavelet::DrawStaff() {
    Canvas canvas = pbxStaff->canvas();
    DrawStaffOn(canvas, ShowsGuitar(FInputType), ButtonFace());
}

void TFormQuavelet::DrawStaffLines(int left, int width) {
    Canvas canvas = pbxStaff->canvas();
    DrawStaffLinesOn(canvas, ShowsGuitar(FInputType), left, width, ButtonFace());
}

void TFormQuavelet::DrawNote() {
    // An index outside the table draws nothing.
    if (!Quiz.QuizRunning || Quiz.NoteIndex < 0 || Quiz.NoteIndex >= NoteTableSize)
        return;
    const TNoteEntry& entry = NoteTable[Quiz.NoteIndex];
    Canvas canvas = pbxStaff->canvas();
    DrawNoteGlyphOn(canvas, ilNotes, entry.Glyph, NoteLeft(), entry.Top, ButtonFace());
}

void TFormQuavelet::EraseNote() {
    if (Quiz.NoteIndex >= 0)
        DrawStaffLines(NoteLeft(), StaffGeometry::EraseBandWidth);
}

int TFormQuavelet::NoteLeft() const { return NoteLeftFor(Quiz.NotesLeft); }
