#include "Main.h"
#include "TestSupport.h"
#include "platform/RandomSource.h"
#include "platform/SystemColors.h"

#include <QTest>

// The staff area drawn by the window, read back pixel by pixel at the
// coordinates the staff is designed with.
class TestStaff : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void staffLinesAndBars_data();
    void staffLinesAndBars();
    void clefsFollowTheStaffChoice_data();
    void clefsFollowTheStaffChoice();
    void guitarShowsOneStaff();
    void middleCLedgerLineOnTheTrebleStaff();
    void notesMarchSixPixelsRight();
    void eraseRestoresTheBandOnly();
    void repaintShowsTheCurrentNoteOnlyDuringAQuiz();

private:
    QImage staff() const { return form->pbxStaff->image(); }
    bool isBackground(int x, int y) const { return QColor(staff().pixel(x, y)) == ButtonFace(); }
    // Whether any pixel of the note cell columns left..left+19 (outside the
    // staff-line rows) differs from the background.
    bool hasGlyphPixels(int left, int width) const;
    RecordingMessageBoxes* boxes = nullptr;
    TFormQuavelet* form = nullptr;
};

namespace {
const QColor Black(0, 0, 0);
const QColor DarkGrey(123, 123, 123);

bool onStaffLine(int y, bool bassToo) {
    for (int i = 0; i < 5; ++i)
        if (y == 22 + 10 * i || (bassToo && y == 97 + 10 * i))
            return true;
    return false;
}
} // namespace

void TestStaff::init() {
    boxes = new RecordingMessageBoxes;
    form = new TFormQuavelet;
    RandomSource::global().seed(7);
    form->pbxStaffPaint();
}

void TestStaff::cleanup() {
    delete form;
    delete boxes;
}

bool TestStaff::hasGlyphPixels(int left, int width) const {
    for (int x = left; x < left + width; ++x)
        for (int y = 0; y < staff().height(); ++y)
            if (!onStaffLine(y, true) && !isBackground(x, y))
                return true;
    return false;
}

void TestStaff::staffLinesAndBars_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("black");
    for (int y : {22, 32, 42, 52, 62, 97, 107, 117, 127, 137}) {
        QTest::addRow("line %d left end", y) << 0 << y << true;
        QTest::addRow("line %d middle", y) << 100 << y << true;
        QTest::addRow("line %d right end", y) << 199 << y << true;
    }
    QTest::newRow("left bar between staves") << 0 << 80 << true;
    QTest::newRow("right bar between staves") << 200 << 80 << true;
    QTest::newRow("right bar bottom") << 200 << 137 << true;
    QTest::newRow("above the bars") << 0 << 21 << false;
    QTest::newRow("below the bars") << 200 << 138 << false;
    QTest::newRow("between lines") << 100 << 27 << false;
    QTest::newRow("between staves") << 100 << 80 << false;
}

void TestStaff::staffLinesAndBars() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, black);
    QCOMPARE(rgbAt(staff(), x, y), black ? rgb(Black) : rgb(ButtonFace()));
}

void TestStaff::clefsFollowTheStaffChoice_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("upperBlack");
    QTest::addColumn<bool>("lowerBlack");
    QTest::newRow("treble") << int(TStaffChoice::scTreble) << true << false;
    QTest::newRow("bass") << int(TStaffChoice::scBass) << false << true;
    QTest::newRow("both") << int(TStaffChoice::scAll) << true << true;
}

void TestStaff::clefsFollowTheStaffChoice() {
    QFETCH(int, choice);
    QFETCH(bool, upperBlack);
    QFETCH(bool, lowerBlack);
    form->FStaffChoice = TStaffChoice(choice);
    form->pbxStaffPaint();
    // A black clef has black strokes off the staff lines; a grey one only
    // dark grey there, and its line segments still meet the staff lines.
    auto inspect = [this](int top, int lastRow, bool& anyBlack, bool& anyGrey) {
        anyBlack = anyGrey = false;
        for (int y = top; y <= lastRow; ++y)
            for (int x = 6; x < 35; ++x) {
                const QColor colour(staff().pixel(x, y));
                if (onStaffLine(y, true))
                    continue;
                anyBlack |= colour == Black;
                anyGrey |= colour == DarkGrey;
            }
    };
    bool black = false, grey = false;
    inspect(8, 79, black, grey);
    QCOMPARE(black, upperBlack);
    QVERIFY(grey);
    inspect(83, 152, black, grey);
    QCOMPARE(black, lowerBlack);
    QVERIFY(grey);
    for (int y : {22, 62, 97, 137})
        for (int x = 6; x < 35; ++x)
            QVERIFY2(!isBackground(x, y), qPrintable(QStringLiteral("gap in line %1 at x %2").arg(y).arg(x)));
}

void TestStaff::guitarShowsOneStaff() {
    form->FInputType = TInputType::itGuitar;
    form->pbxStaff->repaintNow(); // erased first, as a change of input type does
    QCOMPARE(rgbAt(staff(), 0, 62), rgb(Black));
    QCOMPARE(rgbAt(staff(), 200, 62), rgb(Black));
    QCOMPARE(rgbAt(staff(), 0, 63), rgb(ButtonFace()));
    QCOMPARE(rgbAt(staff(), 200, 63), rgb(ButtonFace()));
    // Below the treble staff the area is plain background: no bass staff,
    // no lower clef.
    for (int y = 80; y < staff().height(); ++y)
        for (int x = 0; x <= 200; ++x)
            QVERIFY2(isBackground(x, y), qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
}

void TestStaff::middleCLedgerLineOnTheTrebleStaff() {
    form->actBeginClick();
    form->EraseNote();
    form->Quiz.NoteIndex = 0; // middle C, treble staff
    form->DrawNote();
    QCOMPARE(form->NoteLeft(), 58);
    for (int x = 58; x < 78; ++x)
        QCOMPARE(rgbAt(staff(), x, 72), rgb(Black));
    // The ledger line is the glyph's own: it ends with the cell.
    QCOMPARE(rgbAt(staff(), 57, 72), rgb(ButtonFace()));
    QCOMPARE(rgbAt(staff(), 78, 72), rgb(ButtonFace()));
    // The head straddles the line, the staff lines show through the cell.
    QVERIFY(!isBackground(62, 70) || !isBackground(64, 69) || !isBackground(66, 68));
    QCOMPARE(rgbAt(staff(), 60, 62), rgb(Black));
}

void TestStaff::notesMarchSixPixelsRight() {
    form->actBeginClick();
    QCOMPARE(form->Quiz.NotesLeft, 19);
    QVERIFY(hasGlyphPixels(58, 20));
    QVERIFY(!hasGlyphPixels(0 + 40, 18)); // nothing between the clef and the first note
    QVERIFY(!hasGlyphPixels(78, 122));
    for (int note = 2; note <= 20; ++note) {
        const int code = AnswerCode::ForLetter(form->NoteTable[form->Quiz.NoteIndex].Letter - 'A');
        form->CheckAnswer(code);
        const int left = 58 + 6 * (note - 1);
        QCOMPARE(form->NoteLeft(), left);
        QVERIFY(hasGlyphPixels(left, 20));
        // The previous note was erased: nothing left of this one.
        QVERIFY2(!hasGlyphPixels(40, left - 40), qPrintable(QStringLiteral("note %1").arg(note)));
    }
    QCOMPARE(form->NoteLeft(), 172);
    QVERIFY(!hasGlyphPixels(192, 8)); // up to the right bar
}

void TestStaff::eraseRestoresTheBandOnly() {
    const QImage empty = staff();
    form->SetLevel(12);
    form->FStaffChoice = TStaffChoice::scAll;
    form->actBeginClick();
    for (int note = 0; note < 5; ++note)
        form->CheckAnswer(AnswerCode::ForLetter(form->NoteTable[form->Quiz.NoteIndex].Letter - 'A'));
    const int left = form->NoteLeft();
    form->actEndClick();
    QCOMPARE(staff(), empty);
    // Erasing draws nothing outside its 24-pixel band.
    form->actBeginClick();
    form->pbxStaff->resetDrawnRegion();
    form->EraseNote();
    QCOMPARE(form->pbxStaff->drawnRegion().boundingRect(), QRect(58, 0, 24, 153));
    QVERIFY(left >= 52);
}

void TestStaff::repaintShowsTheCurrentNoteOnlyDuringAQuiz() {
    const QImage empty = staff();
    form->actBeginClick();
    form->CheckAnswer(AnswerCode::ForLetter(form->NoteTable[form->Quiz.NoteIndex].Letter - 'A'));
    const QImage during = staff();
    form->pbxStaff->repaintNow();
    QCOMPARE(staff(), during);
    QVERIFY(!hasGlyphPixels(40, 24)); // the first note is gone after a repaint too
    form->actEndClick();
    form->pbxStaff->repaintNow();
    QCOMPARE(staff(), empty);
}

QTEST_MAIN(TestStaff)
#include "tst_staff.moc"
