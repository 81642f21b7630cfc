#include "quiz/QuizRules.h"

#include <algorithm>

int PoolSizeFor(int level, TInputType inputType) {
    if (inputType != TInputType::itGuitar)
        return 2 * level + 2;
    return level <= 6 ? 3 * level : 2 * level + 6;
}

bool AdmissibleEntry(int index, TInputType inputType, TStaffChoice staffChoice) {
    if (inputType == TInputType::itGuitar)
        return true;
    const bool treble = index % 2 == 0;
    if (treble && staffChoice == TStaffChoice::scBass)
        return false;
    if (!treble && staffChoice == TStaffChoice::scTreble)
        return false;
    return true;
}

int PointsFor(int secondsLeft) { return std::min(secondsLeft, MaxNotePoints); }

bool IsAnswerCode(int code) { return AnswerCode::IsStep(code) || AnswerCode::IsLetter(code); }

namespace {
QString Picked(char picked, char real) {
    return QStringLiteral("You picked ") + QChar(picked) + QStringLiteral(", but the note was really ") + QChar(real);
}
} // namespace

std::optional<QString> WrongAnswerMessage(int code, const TNoteEntry& note) {
    if (AnswerCode::IsStep(code)) {
        if (code == note.Step)
            return std::nullopt;
        if ((code - note.Step) % 7 == 0)
            return QStringLiteral("You picked the right note but in the wrong octave");
        return Picked(LetterOf(LetterIndexOf(code)), note.Letter);
    }
    if (AnswerCode::IsLetter(code)) {
        const char picked = LetterOf(code - AnswerCode::FirstLetter);
        if (picked == note.Letter)
            return std::nullopt;
        return Picked(picked, note.Letter);
    }
    return std::nullopt;
}

QString TimeoutMessage(const TNoteEntry& note) {
    return QStringLiteral("Sorry, out of time. The note was ") + QChar(note.Letter);
}

QString CloseQuestion() { return QStringLiteral("Quiz in progress. Really quit?"); }
