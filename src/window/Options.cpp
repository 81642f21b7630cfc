// The three options (input type, staff choice, keyboard range), the marks
// and enabled states of their commands, and the relayout when the input type
// changes: the letter toolbar and the instrument panel take turns in one
// place, the guitar borrows the lowest rows of the staff area, and the
// controls below and the window's height follow.
#include "Main.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include <array>

namespace {

// How many pixels higher the instrument panel stands with the guitar, taken
// from the staff area where the guitar's single staff draws nothing.
constexpr std::array<int, 2> GuitarShift = {0, 40};

int ShiftFor(TInputType type) { return GuitarShift[type == TInputType::itGuitar ? 1 : 0]; }

void MoveDown(QWidget* widget, int delta) { widget->move(widget->x(), widget->y() + delta); }

} // namespace

void TFormQuavelet::SetInputType(TInputType newType) {
    const TInputType oldType = FInputType;
    if (newType != oldType) {
        // A press whose release never came (a box opened while the button
        // was held) belongs to the instrument that goes away. It ends here:
        // otherwise the guitar would take a piano key's Step with whatever
        // string and fret its last search left (even none, or a wire) and
        // draw and erase a marker there. The new instrument is drawn whole
        // below, without a marker.
        FTracking = false;
        FSelection = -1;
        pnlInstrument->setHidden(newType == TInputType::itNoteButtons);
        tbarNotes->setHidden(newType != TInputType::itNoteButtons);

        // The letter toolbar's height is that of its buttons.
        const int lettersHeight = FindNoteButton(0)->height();
        const int panelHeight = pnlInstrument->height();
        const int oldHeight = oldType == TInputType::itNoteButtons ? lettersHeight : panelHeight;
        const int newHeight = newType == TInputType::itNoteButtons ? lettersHeight : panelHeight;
        const int oldShift = ShiftFor(oldType);
        const int newShift = ShiftFor(newType);

        MoveDown(pnlInstrument, oldShift - newShift);
        const int delta = (newHeight - newShift) - (oldHeight - oldShift);
        MoveDown(tbarStatus, delta);
        MoveDown(cmdClose, delta);
        // The client area grows or shrinks by delta and the window fits
        // itself around it (also before it is first shown, when its own
        // height means nothing yet); the status bar stays on the client's
        // bottom edge.
        client->setFixedHeight(client->height() + delta);
        setFixedSize(sizeHint());
        sbHints->move(sbHints->x(), client->height() - sbHints->height());

        FInputType = newType;
    }

    if (oldType == TInputType::itGuitar || FInputType == TInputType::itGuitar) {
        // The guitar shows one staff and has its own note table.
        BuildNoteTable();
        pbxStaff->repaintNow();
        if (FInputType == TInputType::itGuitar) {
            SetStaffChoice(TStaffChoice::scTreble);
            actFullRange->setChecked(true);
            FFullRange = true;
        }
        const bool staffChoice = FInputType != TInputType::itGuitar;
        actTrebleNotes->setEnabled(staffChoice);
        actBassNotes->setEnabled(staffChoice);
        actAllNotes->setEnabled(staffChoice);
    }

    actPianoKeys->setChecked(newType == TInputType::itPianoKeys);
    actNoteButtons->setChecked(newType == TInputType::itNoteButtons);
    actGuitar->setChecked(newType == TInputType::itGuitar);
    actSingleOctave->setEnabled(newType == TInputType::itPianoKeys);
    actFullRange->setEnabled(newType == TInputType::itPianoKeys);

    // Refreshes the range marks, the piano layout and the instrument.
    SetFullRange(FFullRange);
}

void TFormQuavelet::SetStaffChoice(TStaffChoice value) {
    FStaffChoice = value;
    actTrebleNotes->setChecked(value == TStaffChoice::scTreble);
    actBassNotes->setChecked(value == TStaffChoice::scBass);
    actAllNotes->setChecked(value == TStaffChoice::scAll);
    // The clefs change at once; the piano layout is the callers' concern.
    pbxStaffPaint();
}

void TFormQuavelet::SetFullRange(bool value) {
    FFullRange = value;
    const bool instrumentShown = !pnlInstrument->isHidden();
    actSingleOctave->setChecked(instrumentShown && !value);
    actFullRange->setChecked(instrumentShown && value);
    SelectKeyboardLayout();
}

void TFormQuavelet::actInputTypeClick(QAction* sender) {
    if (sender->isChecked())
        return;
    SetInputType(static_cast<TInputType>(sender->data().toInt()));
}

void TFormQuavelet::actStaffClick(QAction* sender) {
    if (sender->isChecked())
        return;
    SetStaffChoice(static_cast<TStaffChoice>(sender->data().toInt()));
    SelectKeyboardLayout();
}

void TFormQuavelet::actKeyboardRangeClick(QAction* sender) {
    // Choosing the checked range again repeats the same settings.
    SetFullRange(sender->data().toInt() == 1);
}

void TFormQuavelet::mnuOptionsClick() {
    // The entries carry marks of their own, which may differ from their
    // commands' checked states; in each radio group a mark clears the others,
    // but clearing the full-range mark gives the single octave none.
    miFullRange->setChecked(FFullRange);
    if (FFullRange)
        miSingleOctave->setChecked(false);
    miTrebleNotes->setChecked(FStaffChoice == TStaffChoice::scTreble);
    miBassNotes->setChecked(FStaffChoice == TStaffChoice::scBass);
    miAllNotes->setChecked(FStaffChoice == TStaffChoice::scAll);
}
