#include "Main.h"
#include "TestSupport.h"
#include "platform/RandomSource.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

// The quiz engine driven through the real window: answers, countdown ticks,
// verdicts and the states of the commands.
class TestQuiz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void poolSize_data();
    void poolSize();
    void neverTheSameEntryTwice_data();
    void neverTheSameEntryTwice();
    void levelOneAlternates_data();
    void levelOneAlternates();
    void twentyQuickAnswersScore200();
    void answerAtZeroIsRightForNoPoints();
    void thirteenthTickTimesOut();
    void verdictTexts_data();
    void verdictTexts();
    void ignoredCodesChangeNothing_data();
    void ignoredCodesChangeNothing();
    void beginWhileRunningAndEndWhileIdleDoNothing();
    void commandStatesFollowTheQuiz();
    void endingEarlyKeepsTheScore();
    void closeQuestion_data();
    void closeQuestion();

private:
    // The answer code that is right for the current note.
    int rightLetterCode() const;
    RecordingMessageBoxes* boxes = nullptr;
    TFormQuavelet* form = nullptr;
};

void TestQuiz::init() {
    boxes = new RecordingMessageBoxes;
    form = new TFormQuavelet;
    RandomSource::global().seed(1);
}

void TestQuiz::cleanup() {
    delete form;
    delete boxes;
}

int TestQuiz::rightLetterCode() const {
    return AnswerCode::ForLetter(form->NoteTable[form->Quiz.NoteIndex].Letter - 'A');
}

void TestQuiz::poolSize_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("guitar");
    const int guitar[] = {3, 6, 9, 12, 15, 18, 20, 22, 24, 26, 28, 30};
    for (int level = 1; level <= 12; ++level)
        QTest::addRow("level %d", level) << level << 2 * level + 2 << guitar[level - 1];
}

void TestQuiz::poolSize() {
    QFETCH(int, level);
    QFETCH(int, staff);
    QFETCH(int, guitar);
    QCOMPARE(PoolSizeFor(level, TInputType::itNoteButtons), staff);
    QCOMPARE(PoolSizeFor(level, TInputType::itPianoKeys), staff);
    QCOMPARE(PoolSizeFor(level, TInputType::itGuitar), guitar);
}

void TestQuiz::neverTheSameEntryTwice_data() {
    QTest::addColumn<int>("inputType");
    QTest::addColumn<int>("staffChoice");
    QTest::newRow("treble") << int(TInputType::itNoteButtons) << int(TStaffChoice::scTreble);
    QTest::newRow("bass") << int(TInputType::itNoteButtons) << int(TStaffChoice::scBass);
    QTest::newRow("both staves") << int(TInputType::itPianoKeys) << int(TStaffChoice::scAll);
    QTest::newRow("guitar") << int(TInputType::itGuitar) << int(TStaffChoice::scTreble);
}

void TestQuiz::neverTheSameEntryTwice() {
    QFETCH(int, inputType);
    QFETCH(int, staffChoice);
    // The option fields are set directly: the engine reads them, and the
    // table is rebuilt for the input type as the options would.
    form->FInputType = TInputType(inputType);
    form->FStaffChoice = TStaffChoice(staffChoice);
    form->BuildNoteTable();
    for (int seed = 0; seed < 40; ++seed) {
        RandomSource::global().seed(seed);
        const int level = 1 + seed % 12;
        form->SetLevel(level);
        form->actBeginClick();
        QCOMPARE(form->Quiz.PoolSize, PoolSizeFor(level, TInputType(inputType)));
        int previous = -1;
        int asked = 0;
        while (form->Quiz.QuizRunning) {
            const int index = form->Quiz.NoteIndex;
            QVERIFY2(index != previous, qPrintable(QStringLiteral("seed %1 repeated entry %2").arg(seed).arg(index)));
            QVERIFY(index >= 0 && index < form->Quiz.PoolSize);
            QVERIFY(AdmissibleEntry(index, TInputType(inputType), TStaffChoice(staffChoice)));
            QCOMPARE(form->Quiz.NotesLeft, 19 - asked);
            previous = index;
            ++asked;
            form->CheckAnswer(rightLetterCode());
        }
        QCOMPARE(asked, NotesPerQuiz);
    }
    QVERIFY(boxes->informations.isEmpty());
}

void TestQuiz::levelOneAlternates_data() {
    QTest::addColumn<int>("staffChoice");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("treble: middle C and D4") << int(TStaffChoice::scTreble) << 0 << 2;
    QTest::newRow("bass: middle C and B3") << int(TStaffChoice::scBass) << 1 << 3;
}

void TestQuiz::levelOneAlternates() {
    QFETCH(int, staffChoice);
    QFETCH(int, first);
    QFETCH(int, second);
    form->FStaffChoice = TStaffChoice(staffChoice);
    form->actBeginClick();
    int previous = form->Quiz.NoteIndex;
    QVERIFY(previous == first || previous == second);
    while (form->Quiz.QuizRunning) {
        form->CheckAnswer(rightLetterCode());
        if (!form->Quiz.QuizRunning)
            break;
        QCOMPARE(form->Quiz.NoteIndex, previous == first ? second : first);
        previous = form->Quiz.NoteIndex;
    }
}

void TestQuiz::twentyQuickAnswersScore200() {
    form->SetLevel(12);
    form->FStaffChoice = TStaffChoice::scAll;
    form->actBeginClick();
    for (int note = 0; note < NotesPerQuiz; ++note) {
        // Up to two ticks: the countdown still shows 10 or more.
        for (int tick = 0; tick < note % 3; ++tick)
            form->tmrCountTimer();
        QVERIFY(form->lblCount->text().toInt() >= 10);
        form->CheckAnswer(rightLetterCode());
        QCOMPARE(form->pnlScore->text(), QString::number(form->Quiz.Score));
    }
    QCOMPARE(form->Quiz.Score, 200);
    QCOMPARE(form->pnlScore->text(), QStringLiteral("200"));
    QVERIFY(!form->Quiz.QuizRunning);
    QVERIFY(boxes->informations.isEmpty());
}

void TestQuiz::answerAtZeroIsRightForNoPoints() {
    form->actBeginClick();
    form->CheckAnswer(rightLetterCode()); // 10 points
    for (int tick = 0; tick < 12; ++tick)
        form->tmrCountTimer();
    QCOMPARE(form->lblCount->text(), QStringLiteral("0"));
    QVERIFY(form->tmrCount->isEnabled());
    form->CheckAnswer(rightLetterCode());
    QCOMPARE(form->Quiz.Score, 10);
    QVERIFY(boxes->informations.isEmpty());
    QCOMPARE(form->Quiz.NotesLeft, 17);
    QCOMPARE(form->lblCount->text(), QStringLiteral("12"));
}

void TestQuiz::thirteenthTickTimesOut() {
    form->actBeginClick();
    const QChar letter = QChar(form->NoteTable[form->Quiz.NoteIndex].Letter);
    for (int tick = 1; tick <= 12; ++tick) {
        form->tmrCountTimer();
        QCOMPARE(form->lblCount->text(), QString::number(12 - tick));
    }
    QVERIFY(boxes->informations.isEmpty());
    // The countdown is stopped before the box opens.
    bool runningWhileOpen = true;
    boxes->whileInformationOpen = [&] { runningWhileOpen = form->tmrCount->isEnabled(); };
    form->tmrCountTimer();
    QCOMPARE(boxes->informations, QStringList{QStringLiteral("Sorry, out of time. The note was ") + letter});
    QVERIFY(!runningWhileOpen);
    QCOMPARE(form->Quiz.NotesLeft, 18);
    QCOMPARE(form->lblCount->text(), QStringLiteral("12"));
    QVERIFY(form->tmrCount->isEnabled());
    QCOMPARE(form->Quiz.Score, 0);
}

void TestQuiz::verdictTexts_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    // The note asked is middle C on the treble staff (entry 0, Step 12).
    QTest::newRow("C5 for middle C") << 19 << QStringLiteral("You picked the right note but in the wrong octave");
    QTest::newRow("C3 for middle C") << 5 << QStringLiteral("You picked the right note but in the wrong octave");
    QTest::newRow("D4 for middle C") << 13 << QStringLiteral("You picked D, but the note was really C");
    QTest::newRow("letter G") << 106 << QStringLiteral("You picked G, but the note was really C");
    QTest::newRow("letter A") << 100 << QStringLiteral("You picked A, but the note was really C");
    QTest::newRow("middle C exactly") << 12 << QString();
    QTest::newRow("letter C") << 102 << QString();
}

void TestQuiz::verdictTexts() {
    QFETCH(int, code);
    QFETCH(QString, message);
    form->actBeginClick();
    form->Quiz.NoteIndex = 0;
    form->CheckAnswer(code);
    QCOMPARE(boxes->informations, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(form->Quiz.Score, message.isEmpty() ? 10 : 0);
    QCOMPARE(form->Quiz.NotesLeft, 18);
    // After a verdict the countdown starts afresh with the next note.
    QVERIFY(form->tmrCount->isEnabled());
}

void TestQuiz::ignoredCodesChangeNothing_data() {
    QTest::addColumn<int>("code");
    for (int code : {-1, 30, 50, 99, 107, 290})
        QTest::addRow("%d", code) << code;
}

void TestQuiz::ignoredCodesChangeNothing() {
    QFETCH(int, code);
    form->actBeginClick();
    form->tmrCountTimer();
    const QuizState before = form->Quiz;
    form->CheckAnswer(code);
    QCOMPARE(form->Quiz.NoteIndex, before.NoteIndex);
    QCOMPARE(form->Quiz.NotesLeft, before.NotesLeft);
    QCOMPARE(form->Quiz.SecondsLeft, before.SecondsLeft);
    QCOMPARE(form->Quiz.Score, before.Score);
    QVERIFY(form->tmrCount->isEnabled());
    QVERIFY(boxes->informations.isEmpty());
    form->tmrCountTimer();
    QCOMPARE(form->lblCount->text(), QStringLiteral("10"));
}

void TestQuiz::beginWhileRunningAndEndWhileIdleDoNothing() {
    form->actEndClick();
    QVERIFY(!form->Quiz.QuizRunning);
    QCOMPARE(form->lblCount->text(), QString());
    form->actBeginClick();
    form->CheckAnswer(rightLetterCode());
    const QuizState before = form->Quiz;
    form->actBeginClick();
    QCOMPARE(form->Quiz.NotesLeft, before.NotesLeft);
    QCOMPARE(form->Quiz.NoteIndex, before.NoteIndex);
    QCOMPARE(form->Quiz.Score, before.Score);
    // The same through the command as the toolbar and menu trigger it.
    form->actBeginQuiz->trigger();
    QCOMPARE(form->Quiz.NotesLeft, before.NotesLeft);
    QVERIFY(form->actBeginQuiz->isChecked());
}

void TestQuiz::commandStatesFollowTheQuiz() {
    struct Expect {
        bool noteButtons, pianoKeys, guitar, staves, level, beginChecked, endChecked, timer;
    };
    auto check = [this](const Expect& e, const char* state) {
        const QByteArray where(state);
        QVERIFY2(form->actNoteButtons->isEnabled() == e.noteButtons, where);
        QVERIFY2(form->actPianoKeys->isEnabled() == e.pianoKeys, where);
        QVERIFY2(form->actGuitar->isEnabled() == e.guitar, where);
        for (QAction* staff : {form->actTrebleNotes, form->actBassNotes, form->actAllNotes})
            QVERIFY2(staff->isEnabled() == e.staves, where);
        QVERIFY2(form->sbLevel->isEnabled() == e.level, where);
        QVERIFY2(form->actBeginQuiz->isChecked() == e.beginChecked, where);
        QVERIFY2(form->actEndQuiz->isChecked() == e.endChecked, where);
        QVERIFY2(form->tmrCount->isEnabled() == e.timer, where);
    };
    check({true, true, true, true, true, false, true, false}, "idle after start-up");
    form->actBeginQuiz->trigger();
    check({true, true, false, false, false, true, false, true}, "running with letter buttons");
    boxes->whileInformationOpen = [&] {
        check({true, true, false, false, false, true, false, false}, "verdict shown");
    };
    form->Quiz.NoteIndex = 0;
    form->CheckAnswer(AnswerCode::ForLetter(6)); // G for middle C
    QCOMPARE(boxes->informations.size(), 1);
    form->actEndQuiz->trigger();
    check({true, true, true, true, true, false, true, false}, "idle after the end");

    // With the guitar the letter buttons and piano are locked during a quiz,
    // and the staff choices stay disabled throughout.
    form->FInputType = TInputType::itGuitar;
    form->BuildNoteTable();
    form->EndQuiz();
    check({true, true, true, false, true, false, true, false}, "idle with the guitar");
    form->actBeginClick();
    check({false, false, true, false, false, true, false, true}, "running with the guitar");
    form->actEndClick();
    check({true, true, true, false, true, false, true, false}, "idle with the guitar again");
}

void TestQuiz::endingEarlyKeepsTheScore() {
    form->actBeginClick();
    form->CheckAnswer(rightLetterCode());
    form->CheckAnswer(rightLetterCode());
    form->actEndClick();
    QCOMPARE(form->pnlScore->text(), QStringLiteral("20"));
    QCOMPARE(form->lblCount->text(), QString());
    QCOMPARE(form->FSelection, -1);
    form->actBeginClick();
    QCOMPARE(form->pnlScore->text(), QStringLiteral("0"));
}

void TestQuiz::closeQuestion_data() {
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("No keeps the quiz") << false;
    QTest::newRow("Yes lets the window close") << true;
}

void TestQuiz::closeQuestion() {
    QFETCH(bool, answerYes);
    form->show();
    QVERIFY(form->close()); // idle: closes without a question
    QVERIFY(boxes->confirmations.isEmpty());
    form->show();
    form->actBeginClick();
    boxes->answerYes = answerYes;
    QCOMPARE(form->close(), answerYes);
    QCOMPARE(boxes->confirmations, QStringList{QStringLiteral("Quiz in progress. Really quit?")});
    QCOMPARE(form->isVisible(), !answerYes);
    // The quiz is not ended by the question, whatever the answer.
    QVERIFY(form->Quiz.QuizRunning);
    QVERIFY(form->tmrCount->isEnabled());
}

QTEST_MAIN(TestQuiz)
#include "tst_quiz.moc"
