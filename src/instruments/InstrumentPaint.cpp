// The window's instrument operations: each picks the current layout and the
// box's size and hands them to the plain keyboard and fingerboard functions.
#include "Main.h"

#include "instruments/GuitarFingerboard.h"
#include "instruments/PianoKeyboard.h"
#include "platform/Canvas.h"

namespace {

const TKeyboardLayout& CurrentLayout(std::uint8_t index) { return KeyboardLayouts.at(index); }

} // namespace

void TFormQuavelet::SelectKeyboardLayout() {
    FLayout = static_cast<std::uint8_t>(KeyboardLayoutFor(FFullRange, FStaffChoice));
    pbxInstrumentPaint();
}

int TFormQuavelet::KeyLeft(int n) const { return ::KeyLeft(CurrentLayout(FLayout), pbxInstrument->width(), n); }

void TFormQuavelet::pbxInstrumentPaint() {
    switch (FInputType) {
    case TInputType::itPianoKeys: {
        Canvas canvas = pbxInstrument->canvas();
        DrawPiano(canvas, CurrentLayout(FLayout), FFullRange);
        ShowSelection(true);
        break;
    }
    case TInputType::itGuitar: {
        Canvas canvas = pbxInstrument->canvas();
        DrawFingerboard(canvas, FSelection, FSelString, FSelFret);
        break;
    }
    case TInputType::itNoteButtons:
        break;
    }
}

int TFormQuavelet::PianoHitTest(int x, int y) const {
    return ::PianoHitTest(CurrentLayout(FLayout), pbxInstrument->width(), x, y);
}

void TFormQuavelet::ShowSelection(bool show) {
    switch (FInputType) {
    case TInputType::itPianoKeys: {
        Canvas canvas = pbxInstrument->canvas();
        ShowPianoSelection(canvas, CurrentLayout(FLayout), FSelection, show);
        break;
    }
    case TInputType::itGuitar:
        if (FSelection >= 0)
            DrawFretColumn(FSelFret, show);
        break;
    case TInputType::itNoteButtons:
        break;
    }
}

void TFormQuavelet::DrawFretColumn(int column, bool withMarker) {
    Canvas canvas = pbxInstrument->canvas();
    ::DrawFretColumn(canvas, column, withMarker, FSelection, FSelString, FSelFret);
}

int TFormQuavelet::GuitarHitTest(int x, int y, int& string, int& fret) const {
    return ::GuitarHitTest(x, y, string, fret);
}
