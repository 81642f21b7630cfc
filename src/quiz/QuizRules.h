#pragma once

#include "quiz/NoteTable.h"

#include <QString>

#include <optional>

inline constexpr int NotesPerQuiz = 20;
inline constexpr int SecondsPerNote = 12;
inline constexpr int MaxNotePoints = 10;
inline constexpr int MinLevel = 1;
inline constexpr int MaxLevel = 12;
inline constexpr int CountdownIntervalMs = 1000;

// The quiz state: one set for the whole program, zero at start.
struct QuizState {
    int NoteIndex = 0;      // index into the note table of the current note
    int LastNoteIndex = 0;  // the note asked before; -1 = none yet in this quiz
    int PoolSize = 0;       // entries at the front of the table this quiz draws from
    int Level = 0;          // 1 to 12, written only by SetLevel
    int SecondsLeft = 0;    // 12 down to 0; -1 once the note has timed out
    int NotesLeft = 0;      // notes still to come after the current one
    int Score = 0;          // points of the current or last quiz
    bool QuizRunning = false;
};

// How many entries at the front of the note table a quiz at this level draws from.
int PoolSizeFor(int level, TInputType inputType);

// Whether entry index may be asked with this input type and staff choice
// (the staves alternate: even entries treble, odd entries bass).
bool AdmissibleEntry(int index, TInputType inputType, TStaffChoice staffChoice);

// Points for a right answer with this many seconds left.
int PointsFor(int secondsLeft);

// The verdict on an answer code for a note: nothing when the answer is right
// or the code is not an answer (see IsAnswerCode), else the message to show.
std::optional<QString> WrongAnswerMessage(int code, const TNoteEntry& note);
bool IsAnswerCode(int code);
QString TimeoutMessage(const TNoteEntry& note);
QString CloseQuestion();
