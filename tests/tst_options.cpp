#include "Main.h"
#include "TestSupport.h"
#include "platform/SystemColors.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

// The option commands on the real window: the relayout between letter
// buttons, piano and guitar, the marks and enabled states of the commands
// with and without a quiz, the Options menu's own marks, and which pictures
// each change redraws.
class TestOptions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void startState();
    void relayout_data();
    void relayout();
    void relayoutThroughAllTypesAndBack();
    void relayoutBeforeTheWindowIsShown();
    void alreadyCheckedCommandsChangeNothing_data();
    void alreadyCheckedCommandsChangeNothing();
    void pianoToGuitarFromBassFullRange();
    void guitarBackToPiano();
    void staffChoiceWithLetterButtonsSelectsTheLaterLayout();
    void fullRangeAgainRedrawsTheSame();
    void menuMarks();
    void menuMarksMayDifferFromTheCommands();
    void changesDuringAPianoQuiz();
    void guitarQuizKeepsTheStaffCommandsOff();

private:
    void choose(QAction* command) { command->trigger(); }
    TInputType checkedInputType() const;
    RecordingMessageBoxes* boxes = nullptr;
    TFormQuavelet* form = nullptr;
};

namespace {

const QString White = QStringLiteral("255,255,255");
const QString Tint = QStringLiteral("224,255,255");
const QString Grey = QStringLiteral("224,224,224");
const QString Board = QStringLiteral("32,80,32");

QString Name(TInputType type) {
    switch (type) {
    case TInputType::itNoteButtons: return QStringLiteral("letters");
    case TInputType::itPianoKeys: return QStringLiteral("piano");
    case TInputType::itGuitar: return QStringLiteral("guitar");
    }
    return {};
}

} // namespace

void TestOptions::init() {
    boxes = new RecordingMessageBoxes;
    form = new TFormQuavelet;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
}

void TestOptions::cleanup() {
    delete form;
    delete boxes;
}

TInputType TestOptions::checkedInputType() const {
    const int checked = int(form->actNoteButtons->isChecked()) + int(form->actPianoKeys->isChecked())
        + int(form->actGuitar->isChecked());
    if (checked != 1)
        return TInputType(99);
    if (form->actPianoKeys->isChecked())
        return TInputType::itPianoKeys;
    return form->actGuitar->isChecked() ? TInputType::itGuitar : TInputType::itNoteButtons;
}

void TestOptions::startState() {
    QCOMPARE(form->client->height(), 323);
    QCOMPARE(checkedInputType(), TInputType::itNoteButtons);
    QVERIFY(form->actTrebleNotes->isChecked());
    QVERIFY(!form->actBassNotes->isChecked() && !form->actAllNotes->isChecked());
    QVERIFY(!form->actSingleOctave->isChecked() && !form->actFullRange->isChecked());
    QVERIFY(!form->actSingleOctave->isEnabled() && !form->actFullRange->isEnabled());
    QVERIFY(form->actTrebleNotes->isEnabled() && form->actBassNotes->isEnabled() && form->actAllNotes->isEnabled());
    QVERIFY(!form->tbarNotes->isHidden());
    QVERIFY(form->pnlInstrument->isHidden());
    QCOMPARE(form->pnlInstrument->y(), 199);
    QCOMPARE(int(form->FLayout), 0);
    QVERIFY(!form->FFullRange);
}

void TestOptions::relayout_data() {
    QTest::addColumn<TInputType>("from");
    QTest::addColumn<TInputType>("to");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("statusTop");
    QTest::addColumn<int>("closeTop");
    QTest::addColumn<int>("panelTop");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<bool>("singleChecked");
    QTest::addColumn<bool>("fullChecked");
    QTest::addColumn<bool>("staffEnabled");
    QTest::addColumn<bool>("staffRedrawn");
    using T = TInputType;
    QTest::newRow("letters to piano") << T::itNoteButtons << T::itPianoKeys << 64 << 296 << 337 << 199 << 387 << true
                                      << false << true << false;
    QTest::newRow("letters to guitar") << T::itNoteButtons << T::itGuitar << 24 << 256 << 297 << 159 << 347 << false
                                       << true << false << true;
    QTest::newRow("piano to guitar") << T::itPianoKeys << T::itGuitar << -40 << 256 << 297 << 159 << 347 << false
                                     << true << false << true;
    QTest::newRow("piano to letters") << T::itPianoKeys << T::itNoteButtons << -64 << 232 << 273 << 199 << 323 << false
                                      << false << true << false;
    QTest::newRow("guitar to piano") << T::itGuitar << T::itPianoKeys << 40 << 296 << 337 << 199 << 387 << false
                                     << true << true << true;
    QTest::newRow("guitar to letters") << T::itGuitar << T::itNoteButtons << -24 << 232 << 273 << 199 << 323 << false
                                       << false << true << true;
}

// Each change of input type through its command: the window's height, the
// places of the controls below, the marks and enabled states, and whether
// the staff was redrawn.
void TestOptions::relayout() {
    QFETCH(TInputType, from);
    QFETCH(TInputType, to);
    QFETCH(int, delta);
    QFETCH(int, statusTop);
    QFETCH(int, closeTop);
    QFETCH(int, panelTop);
    QFETCH(int, clientHeight);
    QFETCH(bool, singleChecked);
    QFETCH(bool, fullChecked);
    QFETCH(bool, staffEnabled);
    QFETCH(bool, staffRedrawn);
    QAction* commands[] = {form->actNoteButtons, form->actPianoKeys, form->actGuitar};

    if (from != TInputType::itNoteButtons)
        choose(commands[int(from)]);
    QCOMPARE(form->FInputType, from);
    const int windowHeight = form->height();
    const int clientBefore = form->client->height();
    form->pbxStaff->resetDrawnRegion();

    choose(commands[int(to)]);
    QCOMPARE(form->FInputType, to);
    QCOMPARE(checkedInputType(), to);
    QCOMPARE(form->client->height() - clientBefore, delta);
    QCOMPARE(form->client->height(), clientHeight);
    QCOMPARE(form->height() - windowHeight, delta);
    QCOMPARE(form->tbarStatus->y(), statusTop);
    QCOMPARE(form->cmdClose->y(), closeTop);
    QCOMPARE(form->sbHints->y(), clientHeight - 19);
    QCOMPARE(form->sbHints->height(), 19);
    QCOMPARE(form->pnlInstrument->geometry(), QRect(12, panelTop, 234, 89));
    QCOMPARE(form->pnlInstrument->isHidden(), to == TInputType::itNoteButtons);
    QCOMPARE(form->tbarNotes->isHidden(), to != TInputType::itNoteButtons);
    QCOMPARE(form->tbarNotes->pos(), QPoint(11, 199));
    // What does not move.
    QCOMPARE(form->pbxStaff->geometry(), QRect(8, 37, 201, 153));
    QCOMPARE(form->tbarStatus->x(), 0);
    QCOMPARE(form->cmdClose->x(), 200);

    QCOMPARE(form->actSingleOctave->isChecked(), singleChecked);
    QCOMPARE(form->actFullRange->isChecked(), fullChecked);
    QCOMPARE(form->actSingleOctave->isEnabled(), to == TInputType::itPianoKeys);
    QCOMPARE(form->actFullRange->isEnabled(), to == TInputType::itPianoKeys);
    QCOMPARE(form->actTrebleNotes->isEnabled(), staffEnabled);
    QCOMPARE(form->actBassNotes->isEnabled(), staffEnabled);
    QCOMPARE(form->actAllNotes->isEnabled(), staffEnabled);
    QCOMPARE(form->pbxStaff->drawCount() > 0, staffRedrawn);
    // The guitar's note table and single staff, or the staves'.
    const bool guitar = to == TInputType::itGuitar;
    QCOMPARE(form->NoteTable[0].Step, guitar ? 21 : 12);
    QCOMPARE(rgbAt(form->pbxStaff->image(), 100, 97) == rgb(ButtonFace()), guitar);
}

// Round trips bring every control back to its place.
void TestOptions::relayoutThroughAllTypesAndBack() {
    const QRect status = form->tbarStatus->geometry();
    const QRect close = form->cmdClose->geometry();
    const QRect panel = form->pnlInstrument->geometry();
    const QSize window = form->size();
    for (QAction* command : {form->actGuitar, form->actPianoKeys, form->actNoteButtons, form->actPianoKeys,
                             form->actGuitar, form->actNoteButtons}) {
        choose(command);
        QCOMPARE(form->sbHints->y(), form->client->height() - 19);
    }
    QCOMPARE(form->tbarStatus->geometry(), status);
    QCOMPARE(form->cmdClose->geometry(), close);
    QCOMPARE(form->pnlInstrument->geometry(), panel);
    QCOMPARE(form->size(), window);
    QCOMPARE(form->client->height(), 323);
}

// The window fits around its client area also when the input type changes
// before it is first shown.
void TestOptions::relayoutBeforeTheWindowIsShown() {
    TFormQuavelet hidden;
    hidden.actPianoKeys->trigger();
    hidden.show();
    QVERIFY(QTest::qWaitForWindowExposed(&hidden));
    QCOMPARE(hidden.client->height(), 387);
    QCOMPARE(hidden.centralWidget()->geometry().bottom() + 1, hidden.height());
    QCOMPARE(hidden.minimumSize(), hidden.size());
    QCOMPARE(hidden.maximumSize(), hidden.size());
    QCOMPARE(hidden.sbHints->geometry().bottom() + 1, 387);
    hidden.actGuitar->trigger();
    QCOMPARE(hidden.client->height(), 347);
    QCOMPARE(hidden.height(), hidden.menuBar()->height() + 347);
}

void TestOptions::alreadyCheckedCommandsChangeNothing_data() {
    QTest::addColumn<TInputType>("type");
    QTest::addColumn<int>("command"); // 0 to 2 input types, 3 to 5 staff choices
    for (const TInputType type : {TInputType::itNoteButtons, TInputType::itPianoKeys, TInputType::itGuitar}) {
        QTest::addRow("%s, its own input type", qPrintable(Name(type))) << type << int(type);
        if (type != TInputType::itGuitar)
            QTest::addRow("%s, treble again", qPrintable(Name(type))) << type << 3;
    }
}

// Choosing the checked input type or staff choice again, by its command or
// its menu entry, neither changes a state nor draws anything.
void TestOptions::alreadyCheckedCommandsChangeNothing() {
    QFETCH(TInputType, type);
    QFETCH(int, command);
    QAction* commands[] = {form->actNoteButtons, form->actPianoKeys, form->actGuitar,
                           form->actTrebleNotes, form->actBassNotes, form->actAllNotes};
    QAction* entries[] = {form->miNoteButtons, form->miPianoKeys, form->miGuitar,
                          form->miTrebleNotes, form->miBassNotes, form->miAllNotes};
    if (type != TInputType::itNoteButtons)
        choose(commands[int(type)]);
    QVERIFY(commands[command]->isChecked());
    const QSize window = form->size();
    const int layout = form->FLayout;
    const QImage instrument = form->pbxInstrument->image();
    for (QAction* trigger : {commands[command], entries[command]}) {
        form->pbxInstrument->resetDrawnRegion();
        form->pbxStaff->resetDrawnRegion();
        trigger->trigger();
        QCOMPARE(form->pbxInstrument->drawCount(), 0);
        QCOMPARE(form->pbxStaff->drawCount(), 0);
        QCOMPARE(form->FInputType, type);
        QCOMPARE(form->FStaffChoice, TStaffChoice::scTreble);
        QCOMPARE(int(form->FLayout), layout);
        QCOMPARE(form->size(), window);
        QVERIFY(commands[command]->isChecked());
        QCOMPARE(form->pbxInstrument->image(), instrument);
    }
}

void TestOptions::pianoToGuitarFromBassFullRange() {
    choose(form->actPianoKeys);
    choose(form->actFullRange);
    choose(form->actBassNotes);
    QCOMPARE(int(form->FLayout), 2);
    const int windowHeight = form->height();
    choose(form->actGuitar);
    QCOMPARE(form->height() - windowHeight, -40);
    QCOMPARE(form->pnlInstrument->y(), 159);
    QCOMPARE(form->FStaffChoice, TStaffChoice::scTreble);
    QVERIFY(form->actTrebleNotes->isChecked());
    QVERIFY(!form->actBassNotes->isChecked() && !form->actAllNotes->isChecked());
    QVERIFY(!form->actTrebleNotes->isEnabled() && !form->actBassNotes->isEnabled() && !form->actAllNotes->isEnabled());
    QVERIFY(form->FFullRange);
    QVERIFY(form->actFullRange->isChecked() && !form->actSingleOctave->isChecked());
    QVERIFY(!form->actFullRange->isEnabled() && !form->actSingleOctave->isEnabled());
    // The fingerboard is drawn at once.
    QCOMPARE(rgbAt(form->pbxInstrument->image(), 100, 5), Board);
}

void TestOptions::guitarBackToPiano() {
    choose(form->actGuitar);
    choose(form->actPianoKeys);
    QCOMPARE(int(form->FLayout), 1);
    QVERIFY(form->actFullRange->isChecked() && !form->actSingleOctave->isChecked());
    QVERIFY(form->actTrebleNotes->isChecked());
    // The treble keyboard with its tinted middle C at the left.
    QCOMPARE(rgbAt(form->pbxInstrument->image(), 10, 60), Tint);
    choose(form->actBassNotes);
    QCOMPARE(form->FStaffChoice, TStaffChoice::scBass);
    QVERIFY(form->actBassNotes->isChecked() && !form->actTrebleNotes->isChecked());
    QCOMPARE(int(form->FLayout), 2);
    QCOMPARE(rgbAt(form->pbxInstrument->image(), 10, 60), White);
    QCOMPARE(rgbAt(form->pbxInstrument->image(), 215, 60), Tint);
}

void TestOptions::staffChoiceWithLetterButtonsSelectsTheLaterLayout() {
    choose(form->actPianoKeys);
    choose(form->actFullRange);
    choose(form->actNoteButtons);
    form->pbxStaff->resetDrawnRegion();
    form->pbxInstrument->resetDrawnRegion();
    choose(form->actAllNotes);
    QVERIFY(form->actAllNotes->isChecked());
    QVERIFY(form->pbxStaff->drawCount() > 0); // the clefs change
    QCOMPARE(form->pbxInstrument->drawCount(), 0); // nothing to draw with letters
    QCOMPARE(int(form->FLayout), 3);
    choose(form->actPianoKeys);
    QCOMPARE(int(form->FLayout), 3);
    QCOMPARE(rgbAt(form->pbxInstrument->image(), 115, 60), Tint);
}

void TestOptions::fullRangeAgainRedrawsTheSame() {
    choose(form->actPianoKeys);
    choose(form->actFullRange);
    const QImage picture = form->pbxInstrument->image();
    form->pbxInstrument->resetDrawnRegion();
    choose(form->actFullRange);
    QVERIFY(form->pbxInstrument->drawCount() > 0);
    QCOMPARE(form->pbxInstrument->image(), picture);
    QVERIFY(form->FFullRange);
    QCOMPARE(int(form->FLayout), 1);
    QVERIFY(form->actFullRange->isChecked() && !form->actSingleOctave->isChecked());
    // And back to one octave: the grey B at the left.
    choose(form->actSingleOctave);
    QVERIFY(!form->FFullRange);
    QCOMPARE(int(form->FLayout), 0);
    QVERIFY(!form->actFullRange->isChecked() && form->actSingleOctave->isChecked());
    QCOMPARE(rgbAt(form->pbxInstrument->image(), 20, 60), Grey);
}

// Opening the Options menu marks the entries of the range and the staff
// choice; in each radio group one mark clears the others.
void TestOptions::menuMarks() {
    auto marks = [this] {
        QString text;
        for (QAction* entry : {form->miTrebleNotes, form->miBassNotes, form->miAllNotes, form->miSingleOctave,
                               form->miFullRange})
            text += entry->isChecked() ? QLatin1Char('x') : QLatin1Char('-');
        return text;
    };
    form->mnuOptionsClick();
    QCOMPARE(marks(), QStringLiteral("x----")); // no range mark with letter buttons
    choose(form->actPianoKeys);
    form->mnuOptionsClick();
    QCOMPARE(marks(), QStringLiteral("x--x-"));
    choose(form->actFullRange);
    form->mnuOptionsClick();
    QCOMPARE(marks(), QStringLiteral("x---x"));
    choose(form->actBassNotes);
    form->mnuOptionsClick();
    QCOMPARE(marks(), QStringLiteral("-x--x"));
    choose(form->actGuitar);
    form->mnuOptionsClick();
    QCOMPARE(marks(), QStringLiteral("x---x"));
    // Opening the menu runs the same.
    form->miTrebleNotes->setChecked(false);
    form->miBassNotes->setChecked(true);
    Q_EMIT form->mnuOptions->aboutToShow();
    QCOMPARE(marks(), QStringLiteral("x---x"));
}

// With letter buttons after the full range was on, the menu marks the
// (disabled) full range while neither range command is checked; without the
// full range the single octave gets no mark from the menu.
void TestOptions::menuMarksMayDifferFromTheCommands() {
    choose(form->actPianoKeys);
    choose(form->actFullRange);
    choose(form->actNoteButtons);
    form->mnuOptionsClick();
    QVERIFY(form->miFullRange->isChecked());
    QVERIFY(!form->miFullRange->isEnabled());
    QVERIFY(!form->actFullRange->isChecked() && !form->actSingleOctave->isChecked());

    choose(form->actPianoKeys);
    choose(form->actSingleOctave);
    choose(form->actNoteButtons);
    form->miSingleOctave->setChecked(false);
    form->mnuOptionsClick();
    QVERIFY(!form->miFullRange->isChecked());
    QVERIFY(!form->miSingleOctave->isChecked());
}

// During a quiz with letter buttons or piano only those two and the range
// change; the quiz and its note table stay as they are.
void TestOptions::changesDuringAPianoQuiz() {
    choose(form->actPianoKeys);
    choose(form->actBeginQuiz);
    QVERIFY(form->Quiz.QuizRunning);
    QVERIFY(!form->actGuitar->isEnabled());
    const int noteIndex = form->Quiz.NoteIndex;
    const int notesLeft = form->Quiz.NotesLeft;
    const TNoteTable table = form->NoteTable;

    choose(form->actFullRange);
    QVERIFY(form->FFullRange);
    QCOMPARE(int(form->FLayout), 1);
    QVERIFY(form->actFullRange->isChecked());

    choose(form->actNoteButtons);
    QCOMPARE(form->client->height(), 323);
    QCOMPARE(checkedInputType(), TInputType::itNoteButtons);
    QVERIFY(!form->actFullRange->isChecked() && !form->actSingleOctave->isChecked());
    QVERIFY(!form->actFullRange->isEnabled() && !form->actSingleOctave->isEnabled());
    QVERIFY(!form->actGuitar->isEnabled());
    QVERIFY(!form->actTrebleNotes->isEnabled() && !form->actBassNotes->isEnabled() && !form->actAllNotes->isEnabled());

    choose(form->actGuitar); // disabled: nothing happens
    QCOMPARE(form->FInputType, TInputType::itNoteButtons);

    choose(form->actPianoKeys);
    QCOMPARE(form->client->height(), 387);
    QVERIFY(form->actFullRange->isChecked() && form->actFullRange->isEnabled());
    QVERIFY(form->Quiz.QuizRunning);
    QCOMPARE(form->Quiz.NoteIndex, noteIndex);
    QCOMPARE(form->Quiz.NotesLeft, notesLeft);
    for (int i = 0; i < NoteTableSize; ++i)
        QCOMPARE(form->NoteTable[i].Step, table[i].Step);

    choose(form->actEndQuiz);
    QVERIFY(form->actGuitar->isEnabled());
    QVERIFY(form->actTrebleNotes->isEnabled());
}

void TestOptions::guitarQuizKeepsTheStaffCommandsOff() {
    choose(form->actGuitar);
    choose(form->actBeginQuiz);
    QVERIFY(!form->actNoteButtons->isEnabled() && !form->actPianoKeys->isEnabled());
    QVERIFY(form->actGuitar->isEnabled());
    choose(form->actNoteButtons); // disabled: nothing happens
    QCOMPARE(form->FInputType, TInputType::itGuitar);
    choose(form->actEndQuiz);
    QVERIFY(form->actNoteButtons->isEnabled() && form->actPianoKeys->isEnabled());
    QVERIFY(!form->actTrebleNotes->isEnabled() && !form->actBassNotes->isEnabled() && !form->actAllNotes->isEnabled());
    QVERIFY(!form->actSingleOctave->isEnabled() && !form->actFullRange->isEnabled());
    QVERIFY(form->actFullRange->isChecked());
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
