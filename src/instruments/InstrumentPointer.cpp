// Pressing, dragging and releasing the pointer on the instrument: the marker
// follows the answering key or position under the pointer, and the release
// point is the answer.
#include "Main.h"

namespace {

// The answer code of a Step: the Step itself in the full range and on the
// guitar, its letter alone in the single octave.
int AnswerCodeFor(int step, bool fullRange) {
    return fullRange ? step : AnswerCode::ForLetter(LetterIndexOf(step));
}

} // namespace

void TFormQuavelet::pbxInstrumentMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    // A press while one is in progress (a second button, or a release that
    // never arrived because a message box opened meanwhile) starts afresh:
    // the marker shown is erased first, before the guitar's search overwrites
    // the position it is erased from, so none is left behind.
    if (FTracking) {
        ShowSelection(false);
        FTracking = false;
        FSelection = -1;
    }
    // On the guitar the search writes the selected string and fret directly,
    // also on a miss; nothing reads them while no Step is selected.
    const int step = FInputType == TInputType::itGuitar ? GuitarHitTest(x, y, FSelString, FSelFret)
                                                        : PianoHitTest(x, y);
    if (step < 0)
        return;
    FTracking = true;
    FSelection = step;
    ShowSelection(true);
}

void TFormQuavelet::pbxInstrumentMouseMove(Qt::KeyboardModifiers, int x, int y) {
    if (!FTracking)
        return;
    const bool guitar = FInputType == TInputType::itGuitar;
    int string = 0;
    int fret = 0;
    const int step = guitar ? GuitarHitTest(x, y, string, fret) : PianoHitTest(x, y);
    // Black keys, wires, sharps and everything outside leave the marker where
    // it was.
    if (step < 0)
        return;
    // Two guitar positions with the same Step are different selections.
    if (step == FSelection && (!guitar || (string == FSelString && fret == FSelFret)))
        return;
    ShowSelection(false);
    FSelection = step;
    if (guitar) {
        FSelString = string;
        FSelFret = fret;
    }
    ShowSelection(true);
}

void TFormQuavelet::pbxInstrumentMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    if (!FTracking)
        return;
    FTracking = false;
    ShowSelection(false);
    const bool guitar = FInputType == TInputType::itGuitar;
    int string = 0;
    int fret = 0;
    const int step = guitar ? GuitarHitTest(x, y, string, fret) : PianoHitTest(x, y);
    if (step < 0) {
        FSelection = -1;
        return;
    }
    FSelection = step;
    if (guitar) {
        FSelString = string;
        FSelFret = fret;
    }
    if (Quiz.QuizRunning)
        CheckAnswer(AnswerCodeFor(FSelection, FFullRange));
    FSelection = -1;
}
