#include "Main.h"
#include "TestSupport.h"
#include "instruments/GuitarFingerboard.h"
#include "instruments/PianoKeyboard.h"
#include "platform/Canvas.h"

#include <QAction>
#include <QLabel>
#include <QRegion>
#include <QTest>

// Pressing, dragging and releasing on the instrument of the real window:
// the marker that follows the pointer, the answers the quiz receives in each
// range and on the guitar, and how little a drag redraws.
class TestPointer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void pressOnABlackKeyStartsNothing();
    void dragSkipsTheBlackKeyAndAnswersByLetter();
    void releaseOutsideTheBoxAnswersNothing();
    void releaseOutsideTheWindowAnswersNothing();
    void pressAndReleaseOutsideAQuiz();
    void anyButtonWorks_data();
    void anyButtonWorks();
    void answerCodes_data();
    void answerCodes();
    void repaintWhilePressedKeepsTheMarker();
    void layoutWithoutTheSelectedKeyDrawsNoMarker();
    void pressDuringAPressStartsAfresh();
    void guitarPressDuringAPressStartsAfresh();
    void guitarDragBetweenPositionsOfOneStep();
    void guitarPressOnASharpWritesThePosition();
    void guitarReleaseOnAWire();
    void pianoDragRedrawsOnlyMarkerSquares_data();
    void pianoDragRedrawsOnlyMarkerSquares();
    void guitarDragRedrawsOnlyFretColumns();
    void quizEndingDuringAPressLeavesNoMarker();
    void changeOfInstrumentEndsAPress_data();
    void changeOfInstrumentEndsAPress();

private:
    void usePiano(bool fullRange, TStaffChoice staff = TStaffChoice::scTreble);
    void useGuitar();
    // Starts a quiz whose current note is entry `entry` of the note table.
    void beginQuizOn(int entry);
    void press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        form->pbxInstrumentMouseDown(button, Qt::NoModifier, x, y);
    }
    void move(int x, int y) { form->pbxInstrumentMouseMove(Qt::NoModifier, x, y); }
    void release(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        form->pbxInstrumentMouseUp(button, Qt::NoModifier, x, y);
    }
    QString at(int x, int y) const { return rgbAt(form->pbxInstrument->image(), x, y); }
    // The picture the instrument shows with nothing selected.
    QImage plainPicture();

    RecordingMessageBoxes* boxes = nullptr;
    TFormQuavelet* form = nullptr;
};

namespace {

const QString White = QStringLiteral("255,255,255");
const QString Red = QStringLiteral("255,0,0");
const QString Yellow = QStringLiteral("255,255,0");
const QString OpenZone = QStringLiteral("144,64,64");
const QString Cell = QStringLiteral("96,32,32");
constexpr int Width = 232;

} // namespace

void TestPointer::init() {
    boxes = new RecordingMessageBoxes;
    form = new TFormQuavelet;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
}

void TestPointer::cleanup() {
    delete form;
    delete boxes;
}

void TestPointer::usePiano(bool fullRange, TStaffChoice staff) {
    form->actPianoKeys->trigger();
    if (staff != form->FStaffChoice)
        form->actStaffClick(staff == TStaffChoice::scBass ? form->actBassNotes : form->actAllNotes);
    form->actKeyboardRangeClick(fullRange ? form->actFullRange : form->actSingleOctave);
    QCOMPARE(form->FInputType, TInputType::itPianoKeys);
}

void TestPointer::useGuitar() {
    form->actGuitar->trigger();
    QCOMPARE(form->FInputType, TInputType::itGuitar);
}

void TestPointer::beginQuizOn(int entry) {
    form->SetLevel(12);
    form->actBeginClick();
    QVERIFY(form->Quiz.QuizRunning);
    form->Quiz.NoteIndex = entry;
}

QImage TestPointer::plainPicture() {
    QImage image(Width, 87, QImage::Format_RGB32);
    Canvas canvas(image);
    if (form->FInputType == TInputType::itGuitar)
        DrawFingerboard(canvas, -1, 0, 0);
    else
        DrawPiano(canvas, KeyboardLayouts[form->FLayout], form->FFullRange);
    return image;
}

void TestPointer::pressOnABlackKeyStartsNothing() {
    usePiano(false);
    beginQuizOn(0);
    const QImage picture = form->pbxInstrument->image();
    press(54, 10);
    QVERIFY(!form->FTracking);
    QCOMPARE(form->FSelection, -1);
    move(40, 60);
    QCOMPARE(form->FSelection, -1);
    release(40, 60);
    QCOMPARE(form->pbxInstrument->image(), picture);
    QCOMPARE(form->Quiz.NotesLeft, 19);
    QVERIFY(boxes->informations.isEmpty());
}

void TestPointer::dragSkipsTheBlackKeyAndAnswersByLetter() {
    usePiano(false);
    beginQuizOn(0); // middle C
    press(40, 60);
    QVERIFY(form->FTracking);
    QCOMPARE(form->FSelection, 12);
    QCOMPARE(at(38, 54), Red);
    QCOMPARE(at(41, 57), White);
    move(54, 10); // C sharp: the marker stays on C
    QCOMPARE(form->FSelection, 12);
    QCOMPARE(at(38, 54), Red);
    move(80, 60); // E
    QCOMPARE(form->FSelection, 14);
    QCOMPARE(at(38, 54), White);
    QCOMPARE(at(80, 54), Red);
    release(80, 60);
    QVERIFY(!form->FTracking);
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(at(80, 54), White);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
    // E handed in as a letter against C.
    QCOMPARE(boxes->informations, QStringList{QStringLiteral("You picked E, but the note was really C")});
    QCOMPARE(form->Quiz.NotesLeft, 18);
}

// Qt delivers the moves and the release to the box that took the press, in
// the box's coordinates, also outside it.
void TestPointer::releaseOutsideTheBoxAnswersNothing() {
    usePiano(false);
    beginQuizOn(0);
    QTest::mousePress(form->pbxInstrument, Qt::LeftButton, {}, QPoint(40, 60));
    QCOMPARE(form->FSelection, 12);
    QTest::mouseMove(form->pbxInstrument, QPoint(80, 60));
    QCOMPARE(form->FSelection, 14);
    QTest::mouseMove(form->pbxInstrument, QPoint(80, 120));
    QCOMPARE(form->FSelection, 14);
    QTest::mouseRelease(form->pbxInstrument, Qt::LeftButton, {}, QPoint(300, 120));
    QVERIFY(!form->FTracking);
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(form->Quiz.NotesLeft, 19);
    QCOMPARE(form->Quiz.Score, 0);
    QVERIFY(boxes->informations.isEmpty());
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
    form->pbxInstrument->repaintNow();
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
}

// The same through the window, where Qt itself routes the events of a held
// button to the box that took the press.
void TestPointer::releaseOutsideTheWindowAnswersNothing() {
    usePiano(false);
    beginQuizOn(0);
    QWindow* window = form->windowHandle();
    QVERIFY(window);
    const QPoint origin = form->pbxInstrument->mapTo(form, QPoint(0, 0));
    QTest::mousePress(window, Qt::LeftButton, {}, origin + QPoint(40, 60));
    QCOMPARE(form->FSelection, 12);
    QTest::mouseMove(window, origin + QPoint(80, 60));
    QCOMPARE(form->FSelection, 14);
    QTest::mouseMove(window, origin + QPoint(80, -60)); // over the staff
    QCOMPARE(form->FSelection, 14);
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(-30, form->height() + 30));
    QVERIFY(!form->FTracking);
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(form->Quiz.NotesLeft, 19);
    QVERIFY(boxes->informations.isEmpty());
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
}

void TestPointer::pressAndReleaseOutsideAQuiz() {
    usePiano(true);
    const int notesLeft = form->Quiz.NotesLeft;
    const QString score = form->pnlScore->text();
    press(60, 60); // F, Step 15
    QCOMPARE(form->FSelection, 15);
    QCOMPARE(at(PianoMarkerRect(KeyboardLayouts[1], Width, 15).left(), 56), Red);
    release(60, 60);
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
    QVERIFY(boxes->informations.isEmpty());
    QCOMPARE(form->Quiz.NotesLeft, notesLeft);
    QCOMPARE(form->pnlScore->text(), score);
}

void TestPointer::anyButtonWorks_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestPointer::anyButtonWorks() {
    QFETCH(Qt::MouseButton, button);
    usePiano(true, TStaffChoice::scAll);
    beginQuizOn(0); // middle C
    QTest::mousePress(form->pbxInstrument, button, Qt::ShiftModifier, QPoint(115, 60));
    QCOMPARE(form->FSelection, 12);
    QTest::mouseRelease(form->pbxInstrument, button, Qt::ShiftModifier, QPoint(115, 60));
    QCOMPARE(form->Quiz.Score, 10);
    QVERIFY(boxes->informations.isEmpty());
}

void TestPointer::answerCodes_data() {
    QTest::addColumn<TInputType>("type");
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<TStaffChoice>("staff");
    QTest::addColumn<int>("entry"); // the current note in the note table
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("verdict"); // empty: right, 10 points
    using T = TInputType;
    using S = TStaffChoice;
    const QString wrongOctave = QStringLiteral("You picked the right note but in the wrong octave");
    // Staff table: entry 0 is middle C (12), entry 3 B (11); guitar table:
    // entry 0 is E (21), entry 11 F (8).
    QTest::newRow("octave: grey B for B") << T::itPianoKeys << false << S::scTreble << 3 << QPoint(20, 60) << QString();
    QTest::newRow("octave: upper B for B") << T::itPianoKeys << false << S::scTreble << 3 << QPoint(170, 60)
                                           << QString();
    QTest::newRow("octave: upper C for middle C") << T::itPianoKeys << false << S::scTreble << 0 << QPoint(185, 60)
                                                  << QString();
    QTest::newRow("octave: D for C") << T::itPianoKeys << false << S::scTreble << 0 << QPoint(60, 60)
                                     << QStringLiteral("You picked D, but the note was really C");
    QTest::newRow("treble: middle C") << T::itPianoKeys << true << S::scTreble << 0 << QPoint(10, 60) << QString();
    QTest::newRow("treble: upper C for middle C") << T::itPianoKeys << true << S::scTreble << 0 << QPoint(130, 60)
                                                  << wrongOctave;
    QTest::newRow("treble: D for C") << T::itPianoKeys << true << S::scTreble << 0 << QPoint(30, 60)
                                     << QStringLiteral("You picked D, but the note was really C");
    QTest::newRow("bass: B below middle C") << T::itPianoKeys << true << S::scBass << 3 << QPoint(195, 60)
                                            << QString();
    QTest::newRow("bass: low B for B") << T::itPianoKeys << true << S::scBass << 3 << QPoint(75, 60) << wrongOctave;
    QTest::newRow("both: middle C") << T::itPianoKeys << true << S::scAll << 0 << QPoint(115, 60) << QString();
    QTest::newRow("both: low C for middle C") << T::itPianoKeys << true << S::scAll << 0 << QPoint(50, 60)
                                              << wrongOctave;
    QTest::newRow("guitar: string 1 open") << T::itGuitar << true << S::scTreble << 0 << QPoint(220, 15) << QString();
    QTest::newRow("guitar: string 2, fret 5") << T::itGuitar << true << S::scTreble << 0 << QPoint(150, 26)
                                              << QString();
    QTest::newRow("guitar: low E for E") << T::itGuitar << true << S::scTreble << 0 << QPoint(220, 70)
                                         << wrongOctave;
    QTest::newRow("guitar: string 6, fret 1") << T::itGuitar << true << S::scTreble << 11 << QPoint(30, 70)
                                              << QString();
    QTest::newRow("guitar: F for E") << T::itGuitar << true << S::scTreble << 0 << QPoint(30, 70)
                                     << QStringLiteral("You picked F, but the note was really E");
}

// What the quiz makes of a press and release on one point tells which code
// it received: a letter in the single octave, the Step itself in the full
// range and on the guitar.
void TestPointer::answerCodes() {
    QFETCH(TInputType, type);
    QFETCH(bool, fullRange);
    QFETCH(TStaffChoice, staff);
    QFETCH(int, entry);
    QFETCH(QPoint, point);
    QFETCH(QString, verdict);
    if (type == TInputType::itGuitar)
        useGuitar();
    else
        usePiano(fullRange, staff);
    beginQuizOn(entry);
    press(point.x(), point.y());
    QVERIFY(form->FTracking);
    release(point.x(), point.y());
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(form->Quiz.NotesLeft, 18);
    if (verdict.isEmpty()) {
        QVERIFY(boxes->informations.isEmpty());
        QCOMPARE(form->Quiz.Score, 10);
    } else {
        QCOMPARE(boxes->informations, QStringList{verdict});
        QCOMPARE(form->Quiz.Score, 0);
    }
}

void TestPointer::repaintWhilePressedKeepsTheMarker() {
    usePiano(false);
    press(40, 60);
    form->pbxInstrument->repaintNow();
    QCOMPARE(at(38, 54), Red);
    release(40, 60);
    form->pbxInstrument->repaintNow();
    QCOMPARE(at(38, 54), White);

    useGuitar();
    press(30, 70);
    form->pbxInstrument->repaintNow();
    QCOMPARE(at(33, 67), Yellow);
    release(30, 70);
    QCOMPARE(at(33, 67), Cell);
}

// A new layout without the selected key shows no marker, and the release
// then erases nothing on the new keyboard.
void TestPointer::layoutWithoutTheSelectedKeyDrawsNoMarker() {
    usePiano(false);
    press(20, 60); // the grey B, Step 11
    QCOMPARE(form->FSelection, 11);
    form->SetFullRange(true);
    QCOMPARE(int(form->FLayout), 1);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
    form->pbxInstrument->resetDrawnRegion();
    release(300, 60);
    QCOMPARE(form->pbxInstrument->drawCount(), 0);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
}

// A press while one is in progress (a second button, or a release lost to a
// message box) starts afresh and leaves no marker behind.
void TestPointer::pressDuringAPressStartsAfresh() {
    usePiano(false);
    beginQuizOn(0); // middle C
    press(40, 60);
    move(80, 60); // E
    press(100, 60, Qt::RightButton); // F
    QVERIFY(form->FTracking);
    QCOMPARE(form->FSelection, 15);
    const QRect onE = PianoMarkerRect(KeyboardLayouts[0], Width, 14);
    const QRect onF = PianoMarkerRect(KeyboardLayouts[0], Width, 15);
    QCOMPARE(at(onE.left(), onE.top()), White);
    QCOMPARE(at(onF.left(), onF.top()), Red);
    release(40, 60, Qt::RightButton); // back on C
    QVERIFY(!form->FTracking);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
    QCOMPARE(form->Quiz.Score, 10);
    release(40, 60); // the first button: nothing more
    QCOMPARE(form->Quiz.NotesLeft, 18);

    // A press that misses ends the press in progress.
    press(40, 60);
    press(54, 10); // C sharp
    QVERIFY(!form->FTracking);
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
}

// On the guitar the marker is erased from where it was, although the
// search of the new press writes the selected position at once.
void TestPointer::guitarPressDuringAPressStartsAfresh() {
    useGuitar();
    press(220, 15); // string 1 open
    press(43, 70);  // the first wire: a miss that writes string 6, fret -1
    QVERIFY(!form->FTracking);
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(form->FSelString, 6);
    QCOMPARE(form->FSelFret, -1);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
    press(30, 70);
    press(150, 26);
    QCOMPARE(form->FSelString, 2);
    QCOMPARE(form->FSelFret, 5);
    QCOMPARE(at(33, 67), Cell);
    QCOMPARE(at(146, 23), Yellow);
    release(-5, 26);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
}

void TestPointer::guitarDragBetweenPositionsOfOneStep() {
    useGuitar();
    beginQuizOn(0); // E, Step 21
    press(220, 15);
    QCOMPARE(form->FSelection, 21);
    QCOMPARE(form->FSelString, 1);
    QCOMPARE(form->FSelFret, 0);
    QCOMPARE(at(210, 12), Yellow);
    move(150, 26); // string 2, fret 5: the same Step elsewhere
    QCOMPARE(form->FSelection, 21);
    QCOMPARE(form->FSelString, 2);
    QCOMPARE(form->FSelFret, 5);
    QCOMPARE(at(210, 12), OpenZone);
    QCOMPARE(at(146, 23), Yellow);
    release(150, 26);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
    QCOMPARE(form->Quiz.Score, 10);
    QVERIFY(boxes->informations.isEmpty());
}

void TestPointer::guitarPressOnASharpWritesThePosition() {
    useGuitar();
    const QImage picture = form->pbxInstrument->image();
    press(60, 70);
    QVERIFY(!form->FTracking);
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(form->FSelString, 6);
    QCOMPARE(form->FSelFret, 2);
    // Between two strings the search leaves the fret as it was.
    press(100, 20);
    QCOMPARE(form->FSelString, 0);
    QCOMPARE(form->FSelFret, 2);
    QCOMPARE(form->pbxInstrument->image(), picture);
}

void TestPointer::guitarReleaseOnAWire() {
    useGuitar();
    beginQuizOn(11); // F, Step 8
    press(30, 70);
    move(43, 70); // the first wire: the marker stays in cell 1
    QCOMPARE(form->FSelFret, 1);
    QCOMPARE(at(33, 67), Yellow);
    release(43, 70);
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(form->Quiz.NotesLeft, 19);
    QVERIFY(boxes->informations.isEmpty());
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
}

void TestPointer::pianoDragRedrawsOnlyMarkerSquares_data() {
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<TStaffChoice>("staff");
    QTest::newRow("single octave") << false << TStaffChoice::scTreble;
    QTest::newRow("both staves") << true << TStaffChoice::scAll;
}

// Dragging across every key, over the black keys and back, draws nothing
// outside the markers' squares, and each key change draws only the old and
// the new square.
void TestPointer::pianoDragRedrawsOnlyMarkerSquares() {
    QFETCH(bool, fullRange);
    QFETCH(TStaffChoice, staff);
    usePiano(fullRange, staff);
    const TKeyboardLayout& layout = KeyboardLayouts[form->FLayout];
    press(KeyLeft(layout, Width, 0) + 1, 60);
    int changes = 0;
    for (int x = 0; x < Width; ++x)
        for (const int y : {60, 20}) {
            const int before = form->FSelection;
            form->pbxInstrument->resetDrawnRegion();
            move(x, y);
            const QRegion allowed = QRegion(PianoMarkerRect(layout, Width, before))
                + QRegion(PianoMarkerRect(layout, Width, form->FSelection));
            QVERIFY((form->pbxInstrument->drawnRegion() - allowed).isEmpty());
            if (form->FSelection != before) {
                ++changes;
                QCOMPARE(form->pbxInstrument->drawnRegion(), allowed);
            } else {
                QCOMPARE(form->pbxInstrument->drawCount(), 0);
            }
        }
    QCOMPARE(changes, layout.KeyCount - 1);
    release(Width + 10, 60);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
}

// Dragging along each string across the whole board redraws one fret
// column to erase and one to draw, never more.
void TestPointer::guitarDragRedrawsOnlyFretColumns() {
    useGuitar();
    for (int string = 1; string <= 6; ++string) {
        const int y = StringY(string);
        press(Width - 1, y);
        QCOMPARE(form->FSelFret, 0);
        int changes = 0;
        for (int x = Width - 1; x >= 0; --x) {
            const int column = form->FSelFret;
            form->pbxInstrument->resetDrawnRegion();
            move(x, y);
            if (form->FSelFret == column) {
                QCOMPARE(form->pbxInstrument->drawCount(), 0);
                continue;
            }
            ++changes;
            const QRegion allowed = QRegion(FretColumnRect(column, Width)) + FretColumnRect(form->FSelFret, Width);
            QVERIFY((form->pbxInstrument->drawnRegion() - allowed).isEmpty());
        }
        int positions = 0;
        for (int fret = 0; fret <= FretCount; ++fret)
            positions += FretSteps[std::size_t(string - 1)][std::size_t(fret)] >= 0 ? 1 : 0;
        QCOMPARE(changes, positions - 1);
        release(-5, y);
        QCOMPARE(form->pbxInstrument->image(), plainPicture());
    }
}

void TestPointer::quizEndingDuringAPressLeavesNoMarker() {
    usePiano(true);
    beginQuizOn(0);
    form->Quiz.NotesLeft = 0; // the twentieth note
    press(60, 60);
    QCOMPARE(at(PianoMarkerRect(KeyboardLayouts[1], Width, 15).left(), 56), Red);
    for (int tick = 0; tick < 13; ++tick)
        form->tmrCountTimer();
    QVERIFY(!form->Quiz.QuizRunning);
    QCOMPARE(form->FSelection, -1);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
    release(60, 60);
    QCOMPARE(form->pbxInstrument->image(), plainPicture());
    QCOMPARE(boxes->informations.size(), 1);
}

void TestPointer::changeOfInstrumentEndsAPress_data() {
    QTest::addColumn<TInputType>("from");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<TInputType>("to");
    // Full range, both staves: (40, 48) is Step 4, which the guitar lacks.
    QTest::newRow("piano to guitar") << TInputType::itPianoKeys << QPoint(40, 48) << TInputType::itGuitar;
    QTest::newRow("guitar to piano") << TInputType::itGuitar << QPoint(150, 26) << TInputType::itPianoKeys;
    QTest::newRow("piano to letters") << TInputType::itPianoKeys << QPoint(40, 48) << TInputType::itNoteButtons;
}

// A press whose release never arrives (a box opened while the button was
// held) ends with its instrument: the new one shows no marker, and the next
// press and release there leave none behind.
void TestPointer::changeOfInstrumentEndsAPress() {
    QFETCH(TInputType, from);
    QFETCH(QPoint, point);
    QFETCH(TInputType, to);
    // A press on a wire leaves the guitar's search at string 1, fret -1.
    useGuitar();
    press(43, 15);
    QVERIFY(!form->FTracking);
    if (from == TInputType::itPianoKeys)
        usePiano(true, TStaffChoice::scAll);
    press(point.x(), point.y());
    QVERIFY(form->FTracking);
    QAction* commands[] = {form->actNoteButtons, form->actPianoKeys, form->actGuitar};
    commands[int(to)]->trigger();
    QCOMPARE(form->FInputType, to);
    if (to != TInputType::itNoteButtons) {
        QCOMPARE(form->pbxInstrument->image(), plainPicture());
        press(30, 70);
        release(300, 300);
        QCOMPARE(form->pbxInstrument->image(), plainPicture());
    }
    QVERIFY(!form->FTracking);
    QCOMPARE(form->FSelection, -1);
}

QTEST_MAIN(TestPointer)
#include "tst_pointer.moc"
