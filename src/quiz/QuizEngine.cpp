#include "Main.h"

#include "platform/MessageBoxes.h"
#include "platform/RandomSource.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>

void TFormQuavelet::BuildNoteTable() { ::BuildNoteTable(NoteTable, FInputType); }

void TFormQuavelet::BeginQuiz() {
    Quiz.PoolSize = PoolSizeFor(Quiz.Level, FInputType);
    // During a quiz the player may switch between the letter buttons and the
    // piano, which share the note table, but not to or from the guitar.
    if (FInputType == TInputType::itGuitar) {
        actNoteButtons->setEnabled(false);
        actPianoKeys->setEnabled(false);
    } else {
        actGuitar->setEnabled(false);
    }
    if (!tbarNotes->isHidden())
        tbarNotes->setEnabled(true);
    else
        pnlInstrument->setEnabled(true);
    actTrebleNotes->setEnabled(false);
    actBassNotes->setEnabled(false);
    actAllNotes->setEnabled(false);
    actBeginQuiz->setChecked(true);
    actEndQuiz->setChecked(false);
    Quiz.QuizRunning = true;
    Quiz.NotesLeft = NotesPerQuiz;
    Quiz.Score = 0;
    pnlScore->setText(QStringLiteral("0"));
    sbLevel->setEnabled(false);
    Quiz.LastNoteIndex = -1;
    NextNote();
}

void TFormQuavelet::NextNote() {
    EraseNote();
    if (Quiz.NotesLeft < 1) {
        EndQuiz();
        return;
    }
    --Quiz.NotesLeft;
    Quiz.SecondsLeft = SecondsPerNote;
    ChooseNote();
    DrawNote();
    lblCount->setText(QString::number(SecondsPerNote));
    tmrCount->setEnabled(true);
}

void TFormQuavelet::ChooseNote() {
    // Every admissible pool holds at least two entries, so the loop ends.
    RandomSource& random = RandomSource::global();
    for (;;) {
        Quiz.NoteIndex = random.next(Quiz.PoolSize);
        if (!AdmissibleEntry(Quiz.NoteIndex, FInputType, FStaffChoice))
            continue;
        if (Quiz.NoteIndex == Quiz.LastNoteIndex)
            continue;
        break;
    }
    Quiz.LastNoteIndex = Quiz.NoteIndex;
}

void TFormQuavelet::CheckAnswer(int answerCode) {
    if (!IsAnswerCode(answerCode))
        return;
    const TNoteEntry& note = NoteTable[Quiz.NoteIndex];
    if (const auto message = WrongAnswerMessage(answerCode, note)) {
        tmrCount->setEnabled(false);
        MessageBoxes::current().information(this, *message);
    } else {
        Quiz.Score += PointsFor(Quiz.SecondsLeft);
        pnlScore->setText(QString::number(Quiz.Score));
    }
    NextNote();
}

void TFormQuavelet::tmrCountTimer() {
    --Quiz.SecondsLeft;
    if (Quiz.SecondsLeft < 0) {
        tmrCount->setEnabled(false);
        MessageBoxes::current().information(this, TimeoutMessage(NoteTable[Quiz.NoteIndex]));
        NextNote();
        return;
    }
    lblCount->setText(QString::number(Quiz.SecondsLeft));
}

void TFormQuavelet::EndQuiz() {
    EraseNote();
    // A quiz can end while the pointer is held on the instrument (a timeout
    // of the last note): the marker is erased before the selection is
    // dropped, or it would stay on the keys with nothing to erase it.
    ShowSelection(false);
    FSelection = -1;
    actNoteButtons->setEnabled(true);
    actPianoKeys->setEnabled(true);
    actGuitar->setEnabled(true);
    const bool staffChoices = FInputType != TInputType::itGuitar;
    actTrebleNotes->setEnabled(staffChoices);
    actBassNotes->setEnabled(staffChoices);
    actAllNotes->setEnabled(staffChoices);
    actBeginQuiz->setChecked(false);
    actEndQuiz->setChecked(true);
    Quiz.QuizRunning = false;
    tmrCount->setEnabled(false);
    sbLevel->setEnabled(true);
    lblCount->setText(QString());
}

void TFormQuavelet::actBeginClick() {
    if (!Quiz.QuizRunning)
        BeginQuiz();
}

void TFormQuavelet::actEndClick() {
    if (Quiz.QuizRunning)
        EndQuiz();
}

bool TFormQuavelet::FormClose() {
    if (!Quiz.QuizRunning)
        return true;
    // The countdown goes on while the question is open.
    return MessageBoxes::current().confirm(this, CloseQuestion());
}
