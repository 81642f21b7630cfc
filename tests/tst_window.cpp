#include "Main.h"
#include "TestSupport.h"
#include "platform/HelpEngine.h"
#include "platform/RandomSource.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

// The main window as the player meets it: layout, hints, help, keys and a
// quiz played with the letter buttons.
class TestWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void controlBounds_data();
    void controlBounds();
    void startUpState();
    void hintsShowInTheStatusBar_data();
    void hintsShowInTheStatusBar();
    void menuEntryHintKeepsItsFullStop();
    void noPopUpTips();
    void f1OpensTheFocusedControlsTopic_data();
    void f1OpensTheFocusedControlsTopic();
    void helpMenuCommands_data();
    void helpMenuCommands();
    void typedLettersAnswerOnlyDuringAQuiz();
    void plusAndMinusSetTheLevelOnlyOutsideAQuiz();
    void levelScrollBar();
    void levelScrollBarKeys_data();
    void levelScrollBarKeys();
    void findNoteButton();
    void wholeQuizWithTheLetterButtons();
    void keysPressTheFocusedCloseButton_data();
    void keysPressTheFocusedCloseButton();

private:
    void typeText(const QString& text);
    RecordingMessageBoxes* boxes = nullptr;
    RecordingHelp* help = nullptr;
    TFormQuavelet* form = nullptr;
};

void TestWindow::init() {
    boxes = new RecordingMessageBoxes;
    help = new RecordingHelp;
    form = new TFormQuavelet;
    RandomSource::global().seed(3);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    form->activateWindow();
}

void TestWindow::cleanup() {
    delete form;
    delete help;
    delete boxes;
}

void TestWindow::typeText(const QString& text) {
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : form->cmdClose;
    for (QChar c : text)
        QTest::keyClick(focus, c.toLatin1());
}

void TestWindow::controlBounds_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("bounds");
    QTest::newRow("pbxStaff") << "pbxStaff" << QRect(8, 37, 201, 153);
    QTest::newRow("cmdClose") << "cmdClose" << QRect(200, 273, 51, 25);
    QTest::newRow("tbarNotes") << "tbarNotes" << QRect(11, 199, 235, 27);
    for (int n = 0; n < 7; ++n)
        QTest::addRow("tbNote%d", n) << QStringLiteral("tbNote%1").arg(n) << QRect(35 * n, 2, 25, 25);
    QTest::newRow("pnlCount") << "pnlCount" << QRect(216, 59, 34, 65);
    QTest::newRow("lblCount") << "lblCount" << QRect(10, 39, 15, 13);
    QTest::newRow("Image1") << "Image1" << QRect(9, 5, 16, 16);
    QTest::newRow("pnlInstrument") << "pnlInstrument" << QRect(12, 199, 234, 89);
    QTest::newRow("pbxInstrument") << "pbxInstrument" << QRect(1, 1, 232, 87);
    QTest::newRow("tbarOptions") << "tbarOptions" << QRect(0, 0, 256, 24);
    const std::pair<const char*, int> options[] = {{"tbNoteButtons", 1},  {"tbPianoKeys", 24},  {"tbGuitar", 47},
                                                   {"tbTrebleNotes", 78}, {"tbBassNotes", 101}, {"tbAllNotes", 124},
                                                   {"tbSingleOctave", 155}, {"tbFullRange", 178}, {"tbBeginQuiz", 209},
                                                   {"tbEndQuiz", 232}};
    for (const auto& [name, left] : options)
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(left, 1, 23, 22);
    QTest::newRow("tbarStatus") << "tbarStatus" << QRect(0, 232, 257, 34);
    QTest::newRow("pnlLevel") << "pnlLevel" << QRect(0, 2, 126, 28);
    QTest::newRow("lblLevel") << "lblLevel" << QRect(76, 7, 41, 13);
    QTest::newRow("sbLevel") << "sbLevel" << QRect(8, 7, 60, 13);
    QTest::newRow("pnlScoreboard") << "pnlScoreboard" << QRect(130, 2, 126, 28);
    QTest::newRow("Label1") << "Label1" << QRect(48, 7, 27, 13);
    QTest::newRow("pnlScore") << "pnlScore" << QRect(12, 4, 28, 20);
    QTest::newRow("pnlMaxScore") << "pnlMaxScore" << QRect(85, 4, 28, 20);
    QTest::newRow("sbHints") << "sbHints" << QRect(0, 304, 256, 19);
}

void TestWindow::controlBounds() {
    QFETCH(QString, name);
    QFETCH(QRect, bounds);
    auto* control = form->findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->geometry(), bounds);
}

void TestWindow::startUpState() {
    QCOMPARE(form->client->size(), QSize(256, 323));
    QCOMPARE(form->windowTitle(), QStringLiteral("Quavelet"));
    QVERIFY(!form->tbarNotes->isHidden());
    QVERIFY(form->pnlInstrument->isHidden());
    QVERIFY(form->actEndQuiz->isChecked());
    QVERIFY(!form->actBeginQuiz->isChecked());
    QCOMPARE(form->pnlScore->text(), QStringLiteral("0"));
    QCOMPARE(form->Label1->text(), QStringLiteral("out of"));
    QCOMPARE(form->pnlMaxScore->text(), QStringLiteral("200"));
    QCOMPARE(form->lblCount->text(), QString());
    QCOMPARE(form->lblLevel->text(), QStringLiteral("Level 1"));
    QCOMPARE(form->Quiz.Level, 1);
    QCOMPARE(QApplication::focusWidget(), form->cmdClose);
    QCOMPARE(form->FSelection, -1);
    QVERIFY(!form->tmrCount->isEnabled());
    // Fixed frame: neither resizable nor maximisable.
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
}

void TestWindow::hintsShowInTheStatusBar_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    const QString letters = QStringLiteral("Use these buttons or the keyboard to select notes");
    QTest::newRow("letter button A") << "tbNote0" << letters;
    QTest::newRow("letter button G") << "tbNote6" << letters;
    QTest::newRow("toolbar treble button") << "tbTrebleNotes" << QStringLiteral("Use notes in the treble staff only");
    QTest::newRow("toolbar bass button") << "tbBassNotes" << QStringLiteral("Use notes in the bass staff only");
    QTest::newRow("toolbar begin button") << "tbBeginQuiz" << QStringLiteral("Begin a quiz");
    QTest::newRow("staff") << "pbxStaff" << QStringLiteral("The notes in the quiz are displayed in this area");
    QTest::newRow("close") << "cmdClose" << QStringLiteral("Exit Quavelet");
    QTest::newRow("count label") << "lblCount" << QStringLiteral("Seconds remaining to identify the current note");
    QTest::newRow("level scroll bar") << "sbLevel" << QStringLiteral("Choose a level, then start the quiz");
    QTest::newRow("score") << "pnlScore" << QStringLiteral("Your score is shown here during and after a quiz");
    QTest::newRow("options toolbar") << "tbarOptions" << QString();
}

void TestWindow::hintsShowInTheStatusBar() {
    QFETCH(QString, name);
    QFETCH(QString, hint);
    form->sbHints->showMessage(QStringLiteral("stale"));
    auto* control = form->findChild<QWidget*>(name);
    QVERIFY(control);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(control, &enter);
    QCOMPARE(form->sbHints->currentMessage(), hint);
}

void TestWindow::menuEntryHintKeepsItsFullStop() {
    // Open the Options menu from the menu bar and highlight its entries.
    form->menuBar()->setActiveAction(form->mnuOptions->menuAction());
    QVERIFY(QTest::qWaitForWindowExposed(form->mnuOptions));
    form->mnuOptions->setActiveAction(form->miTrebleNotes);
    QCOMPARE(form->sbHints->currentMessage(), QStringLiteral("Use notes in the treble staff only."));
    form->mnuOptions->setActiveAction(form->miFullRange);
    QCOMPARE(form->sbHints->currentMessage(), QStringLiteral("(Piano) Show the full range of notes"));
    form->mnuOptions->close();
}

void TestWindow::noPopUpTips() {
    for (QWidget* control : {static_cast<QWidget*>(form->tbTrebleNotes), static_cast<QWidget*>(form->tbNote[0]),
                             static_cast<QWidget*>(form->pbxStaff)}) {
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), control->mapToGlobal(QPoint(2, 2)));
        QVERIFY(QApplication::sendEvent(control, &tip)); // taken by the window, shown nowhere
    }
}

void TestWindow::f1OpensTheFocusedControlsTopic_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("topic");
    QTest::newRow("level scroll bar") << "sbLevel" << 10;
    QTest::newRow("close button") << "cmdClose" << 1;
}

void TestWindow::f1OpensTheFocusedControlsTopic() {
    QFETCH(QString, name);
    QFETCH(int, topic);
    auto* control = form->findChild<QWidget*>(name);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_F1);
    QCOMPARE(help->calls.size(), 1);
    QCOMPARE(help->calls.front().first, HelpCommand::Context);
    QCOMPARE(help->calls.front().second, topic);
}

void TestWindow::helpMenuCommands_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("data");
    QTest::newRow("Contents") << "miHelpContents" << int(HelpCommand::Finder) << 0;
    QTest::newRow("Keyboard") << "miHelpKeyboard" << int(HelpCommand::Context) << 20;
    QTest::newRow("Using Help") << "miUsingHelp" << int(HelpCommand::HelpOnHelp) << 0;
}

void TestWindow::helpMenuCommands() {
    QFETCH(QString, entry);
    QFETCH(int, command);
    QFETCH(int, data);
    form->findChild<QAction*>(entry)->trigger();
    QCOMPARE(help->calls.size(), 1);
    QCOMPARE(int(help->calls.front().first), command);
    QCOMPARE(help->calls.front().second, data);
}

void TestWindow::typedLettersAnswerOnlyDuringAQuiz() {
    typeText(QStringLiteral("abcdefgABCDEFG"));
    QVERIFY(!form->Quiz.QuizRunning);
    QVERIFY(boxes->informations.isEmpty());
    form->actBeginClick();
    form->Quiz.NoteIndex = 0; // middle C
    // Characters that are no letter answer change nothing.
    typeText(QStringLiteral("h9+-"));
    QCOMPARE(form->Quiz.NotesLeft, 19);
    QVERIFY(boxes->informations.isEmpty());
    QCOMPARE(form->Quiz.Level, 1);
    // A space is no answer either; as a key it presses the focused Close
    // button, which asks before ending a running quiz.
    boxes->answerYes = false;
    typeText(QStringLiteral(" "));
    QCOMPARE(boxes->confirmations.size(), 1);
    QCOMPARE(form->Quiz.NotesLeft, 19);
    QVERIFY(boxes->informations.isEmpty());
    typeText(QStringLiteral("c"));
    QCOMPARE(form->Quiz.Score, 10);
    QCOMPARE(form->Quiz.NotesLeft, 18);
    form->Quiz.NoteIndex = 0;
    typeText(QStringLiteral("C"));
    QCOMPARE(form->Quiz.Score, 20);
    form->Quiz.NoteIndex = 0;
    typeText(QStringLiteral("e"));
    QCOMPARE(boxes->informations, QStringList{QStringLiteral("You picked E, but the note was really C")});
    // Typed characters never reach the focused Close button.
    QVERIFY(form->isVisible());
}

void TestWindow::plusAndMinusSetTheLevelOnlyOutsideAQuiz() {
    typeText(QStringLiteral("-"));
    QCOMPARE(form->Quiz.Level, 1);
    typeText(QStringLiteral("++"));
    QCOMPARE(form->Quiz.Level, 3);
    QCOMPARE(form->sbLevel->value(), 3);
    QCOMPARE(form->lblLevel->text(), QStringLiteral("Level 3"));
    typeText(QString(12, QLatin1Char('+')));
    QCOMPARE(form->Quiz.Level, 12);
    QCOMPARE(form->lblLevel->text(), QStringLiteral("Level 12"));
    form->actBeginClick();
    QCOMPARE(form->Quiz.PoolSize, 26);
    typeText(QStringLiteral("--"));
    QCOMPARE(form->Quiz.Level, 12);
    QCOMPARE(form->lblLevel->text(), QStringLiteral("Level 12"));
    form->actEndClick();
    typeText(QStringLiteral("-"));
    QCOMPARE(form->Quiz.Level, 11);
}

void TestWindow::levelScrollBar() {
    form->sbLevel->setValue(7);
    QCOMPARE(form->Quiz.Level, 7);
    QCOMPARE(form->lblLevel->text(), QStringLiteral("Level 7"));
    form->SetLevel(13);
    form->SetLevel(0);
    QCOMPARE(form->Quiz.Level, 7);
    QCOMPARE(form->sbLevel->value(), 7);
    form->actBeginClick();
    QVERIFY(!form->sbLevel->isEnabled());
}

void TestWindow::levelScrollBarKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("level");
    QTest::newRow("Left") << int(Qt::Key_Left) << 5;
    QTest::newRow("Up") << int(Qt::Key_Up) << 5;
    QTest::newRow("Right") << int(Qt::Key_Right) << 7;
    QTest::newRow("Down") << int(Qt::Key_Down) << 7;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 6; // no page size
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 6;
    QTest::newRow("Home") << int(Qt::Key_Home) << 1;
    QTest::newRow("End") << int(Qt::Key_End) << 12;
}

// The focused scroll bar's keys move its thumb the way they point: Left and
// Up one level down, Right and Down one level up.
void TestWindow::levelScrollBarKeys() {
    QFETCH(int, key);
    QFETCH(int, level);
    form->SetLevel(6);
    form->sbLevel->setFocus();
    QTest::keyClick(form->sbLevel, Qt::Key(key));
    QCOMPARE(form->Quiz.Level, level);
    QCOMPARE(form->lblLevel->text(), QStringLiteral("Level %1").arg(level));
    // During a quiz the scroll bar is disabled and gives the focus away.
    form->actBeginClick();
    QCOMPARE(QApplication::focusWidget(), form->cmdClose);
}

void TestWindow::findNoteButton() {
    QCOMPARE(form->FindNoteButton(6), form->tbNote[6]);
    QCOMPARE(form->FindNoteButton(0)->height(), 25);
    QCOMPARE(form->FindNoteButton(7), nullptr);
}

void TestWindow::wholeQuizWithTheLetterButtons() {
    // Letter buttons do nothing outside a quiz.
    QTest::mouseClick(form->tbNote[2], Qt::LeftButton);
    QVERIFY(boxes->informations.isEmpty());
    QTest::mouseClick(form->tbBeginQuiz, Qt::LeftButton);
    QVERIFY(form->Quiz.QuizRunning);
    QVERIFY(form->tbBeginQuiz->isChecked());
    int wrong = 0;
    for (int note = 0; note < NotesPerQuiz; ++note) {
        const int letter = form->NoteTable[form->Quiz.NoteIndex].Letter - 'A';
        // Every fourth note is answered with the letter after the right one.
        const int clicked = note % 4 == 3 ? (letter + 1) % 7 : letter;
        wrong += clicked != letter;
        QTest::mouseClick(form->tbNote[clicked], Qt::LeftButton);
    }
    QVERIFY(!form->Quiz.QuizRunning);
    QCOMPARE(boxes->informations.size(), wrong);
    QCOMPARE(form->pnlScore->text(), QString::number(10 * (NotesPerQuiz - wrong)));
    QVERIFY(form->tbEndQuiz->isChecked());
    QVERIFY(!form->tbBeginQuiz->isChecked());
}

void TestWindow::keysPressTheFocusedCloseButton_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("Space") << int(Qt::Key_Space) << QStringLiteral(" ");
    QTest::newRow("Return") << int(Qt::Key_Return) << QStringLiteral("\r");
    QTest::newRow("Enter") << int(Qt::Key_Enter) << QStringLiteral("\r");
}

// With the focus on Close, Enter and Space press it: the question during a
// quiz, and closing without one.
void TestWindow::keysPressTheFocusedCloseButton() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QCOMPARE(QApplication::focusWidget(), form->cmdClose);
    form->actBeginClick();
    boxes->answerYes = false;
    QTest::sendKeyEvent(QTest::Click, form->cmdClose, Qt::Key(key), text, Qt::NoModifier);
    QCOMPARE(boxes->confirmations, QStringList{QStringLiteral("Quiz in progress. Really quit?")});
    QVERIFY(form->isVisible());
    QCOMPARE(form->Quiz.NotesLeft, 19); // the character itself answered nothing
    form->actEndClick();
    QTest::sendKeyEvent(QTest::Click, form->cmdClose, Qt::Key(key), text, Qt::NoModifier);
    QVERIFY(!form->isVisible());
    QCOMPARE(boxes->confirmations.size(), 1);
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
