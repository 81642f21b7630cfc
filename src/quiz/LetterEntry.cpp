#include "Main.h"

#include "window/WindowParts.h"

#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

void TFormQuavelet::tbNoteClick(QToolButton* sender) {
    if (Quiz.QuizRunning)
        CheckAnswer(AnswerCode::ForLetter(TagOf(sender)));
}

void TFormQuavelet::FormKeyPress(QChar& key) {
    const char16_t c = key.unicode();
    if (c == u'+') {
        if (!Quiz.QuizRunning)
            SetLevel(Quiz.Level + 1);
    } else if (c == u'-') {
        if (!Quiz.QuizRunning)
            SetLevel(Quiz.Level - 1);
    } else if (Quiz.QuizRunning) {
        // Only a to z change case; "c" and "C" give the same code. Every
        // character but the seven letters gives a code the quiz ignores.
        const int upper = (c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c;
        CheckAnswer(upper - 'A' + AnswerCode::FirstLetter);
    }
    key = QChar(u'\0');
}

void TFormQuavelet::SetLevel(int value) {
    if (value < MinLevel || value > MaxLevel)
        return;
    // Moving the scroll bar calls SetLevel again with the same value, which
    // completes first and changes nothing further.
    sbLevel->setValue(value);
    Quiz.Level = value;
    lblLevel->setText(QStringLiteral("Level %1").arg(Quiz.Level));
}

void TFormQuavelet::sbLevelChange() { SetLevel(sbLevel->value()); }

QToolButton* TFormQuavelet::FindNoteButton(int n) const {
    return findChild<QToolButton*>(QStringLiteral("tbNote%1").arg(n));
}
