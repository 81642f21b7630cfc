// The drawing paths of the real window side by side: a full redraw of each
// picture against the small change that a drag or a new note makes, and the
// time from an answer to the next note on screen. Runs on Qt's offscreen
// platform; every figure is the median CPU time of several repetitions whose
// order is shuffled, so that a disturbance on the machine hits both sides of
// a comparison alike.
#include "BenchSummary.h"

#include "Main.h"
#include "instruments/GuitarFingerboard.h"
#include "instruments/PianoKeyboard.h"
#include "platform/MessageBoxes.h"
#include "platform/RandomSource.h"

#include <QApplication>
#include <QCoreApplication>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

// Answers every box at once, so that no verdict waits for a player.
class SilentMessageBoxes : public MessageBoxes {
public:
    void information(QWidget*, const QString&) override {}
    bool confirm(QWidget*, const QString&) override { return true; }
    void plain(QWidget*, const QString&) override {}
};

// Two windows: one on the (offscreen) screen, whose figures include what Qt
// does to bring a drawing to the screen, and one never shown, where drawing
// touches only the paint boxes' pictures. The first kind is measured with the
// event loop run after every step, as between two pointer events; without
// that the screen's pending region would grow over thousands of iterations
// and charge the drawing for work no real step does.
TFormQuavelet* shownForm = nullptr;
TFormQuavelet* hiddenForm = nullptr;
// The window the running benchmark uses.
TFormQuavelet* form = nullptr;

// What is drawn into a paint box reaches the screen when the event loop runs
// next; a figure "+screen" includes that copy.
void PutOnScreen() { QCoreApplication::processEvents(); }

void Select(TInputType type, TStaffChoice staff, bool fullRange, bool screen) {
    form = screen ? shownForm : hiddenForm;
    if (form->Quiz.QuizRunning)
        form->EndQuiz();
    form->SetInputType(type);
    if (type != TInputType::itGuitar) {
        form->SetStaffChoice(staff);
        form->SetFullRange(fullRange);
    }
    form->FTracking = false;
    form->FSelection = -1;
    PutOnScreen();
}

// The x of the middle of a white key and a y below the black keys.
int KeyX(int step) {
    const TKeyboardLayout& layout = KeyboardLayouts.at(form->FLayout);
    return form->KeyLeft(step - layout.FirstStep) + layout.WhiteWidth / 2;
}
constexpr int KeyY = 60;

// --- Piano ------------------------------------------------------------------

// The whole keyboard with the marker on a key, as a repaint during a drag
// draws it.
void PianoFullDraw(benchmark::State& state, bool fullRange, bool screen) {
    Select(TInputType::itPianoKeys, TStaffChoice::scAll, fullRange, screen);
    form->FSelection = MiddleCStep;
    for (auto _ : state) {
        form->pbxInstrumentPaint();
        if (screen)
            PutOnScreen();
    }
    form->FSelection = -1;
}

// The pointer held down moves from one key to another: the marker is erased
// on the first and drawn on the second.
void PianoMarkerMove(benchmark::State& state, bool fullRange, bool screen) {
    Select(TInputType::itPianoKeys, TStaffChoice::scAll, fullRange, screen);
    const int from = KeyX(MiddleCStep);
    const int to = KeyX(MiddleCStep + 2);
    form->pbxInstrumentMouseDown(Qt::LeftButton, Qt::NoModifier, from, KeyY);
    bool there = false;
    for (auto _ : state) {
        there = !there;
        form->pbxInstrumentMouseMove(Qt::NoModifier, there ? to : from, KeyY);
        if (screen)
            PutOnScreen();
    }
    // Released below the keys: no answer, the marker goes.
    form->pbxInstrumentMouseUp(Qt::LeftButton, Qt::NoModifier, from, 200);
}

// --- Fingerboard ----------------------------------------------------------

// String 3 at fret 2 (A) and at fret 4 (B), in the middle of their cells.
constexpr int GuitarY = 37;
constexpr int FretTwoX = 60;
constexpr int FretFourX = 118;

void SelectOnGuitar() {
    form->FSelString = 3;
    form->FSelFret = 2;
    form->FSelection = FretSteps[2][2];
}

void FingerboardFullDraw(benchmark::State& state, bool screen) {
    Select(TInputType::itGuitar, TStaffChoice::scTreble, true, screen);
    SelectOnGuitar();
    for (auto _ : state) {
        form->pbxInstrumentPaint();
        if (screen)
            PutOnScreen();
    }
    form->FSelection = -1;
}

// Each column in turn, the open-string zone included, so the figure is the
// average over the board.
void FingerboardOneColumn(benchmark::State& state, bool screen) {
    Select(TInputType::itGuitar, TStaffChoice::scTreble, true, screen);
    SelectOnGuitar();
    int column = 0;
    for (auto _ : state) {
        form->DrawFretColumn(column, true);
        column = column == FretCount ? 0 : column + 1;
        if (screen)
            PutOnScreen();
    }
    form->FSelection = -1;
}

// The column with the two dots, the most expensive one.
void FingerboardDottedColumn(benchmark::State& state) {
    const bool screen = false;
    Select(TInputType::itGuitar, TStaffChoice::scTreble, true, screen);
    SelectOnGuitar();
    for (auto _ : state)
        form->DrawFretColumn(5, true);
    form->FSelection = -1;
}

// A drag from one fret cell to another redraws two columns.
void FingerboardMarkerMove(benchmark::State& state) {
    const bool screen = false;
    Select(TInputType::itGuitar, TStaffChoice::scTreble, true, screen);
    form->pbxInstrumentMouseDown(Qt::LeftButton, Qt::NoModifier, FretTwoX, GuitarY);
    bool there = false;
    for (auto _ : state) {
        there = !there;
        form->pbxInstrumentMouseMove(Qt::NoModifier, there ? FretFourX : FretTwoX, GuitarY);
    }
    form->pbxInstrumentMouseUp(Qt::LeftButton, Qt::NoModifier, FretTwoX, 200);
}

// --- Staff ------------------------------------------------------------------

void BeginQuiz(TInputType type, TStaffChoice staff, bool fullRange, bool screen) {
    Select(type, staff, fullRange, screen);
    RandomSource::global().seed(11);
    form->SetLevel(MaxLevel);
    form->actBeginClick();
}

// Staves, bars, both clefs and the current note.
void StaffFullPaint(benchmark::State& state, bool screen) {
    BeginQuiz(TInputType::itNoteButtons, TStaffChoice::scAll, false, screen);
    for (auto _ : state) {
        form->pbxStaffPaint();
        if (screen)
            PutOnScreen();
    }
    form->EndQuiz();
}

// What a new note draws on the staff: its predecessor's band erased, the new
// note drawn 6 pixels further right (here back and forth between two notes).
void StaffNoteChange(benchmark::State& state, bool screen) {
    BeginQuiz(TInputType::itNoteButtons, TStaffChoice::scAll, false, screen);
    bool second = false;
    for (auto _ : state) {
        form->EraseNote();
        second = !second;
        form->Quiz.NotesLeft = second ? 9 : 10;
        form->Quiz.NoteIndex = second ? 5 : 12;
        form->DrawNote();
        if (screen)
            PutOnScreen();
    }
    form->EndQuiz();
}

// The note alone, which both of the above draw in full.
void StaffNoteOnly(benchmark::State& state) {
    const bool screen = false;
    BeginQuiz(TInputType::itNoteButtons, TStaffChoice::scAll, false, screen);
    for (auto _ : state)
        form->DrawNote();
    form->EndQuiz();
}

// --- Answer to next note ------------------------------------------------------

// A quiz never runs out of notes here: when the last one is shown, the count
// goes back up (its note erased first, as a new quiz would).
void KeepQuizGoing() {
    if (form->Quiz.NotesLeft < 1) {
        form->EraseNote();
        form->Quiz.NotesLeft = NotesPerQuiz - 1;
    }
}

int RightLetterCode() { return AnswerCode::ForLetter(form->NoteTable[form->Quiz.NoteIndex].Letter - 'A'); }

// A right answer with a letter button: judged, scored, the next note chosen
// and drawn.
void AnswerLetter(benchmark::State& state, bool screen) {
    BeginQuiz(TInputType::itNoteButtons, TStaffChoice::scAll, false, screen);
    for (auto _ : state) {
        KeepQuizGoing();
        form->CheckAnswer(RightLetterCode());
        if (screen)
            PutOnScreen();
    }
    form->EndQuiz();
}

// The road of one answer: the pointer pressed and released on the piano key
// of the current note in the full range, the marker drawn and erased, the
// answer judged and the next note drawn.
void AnswerPianoKey(benchmark::State& state, bool screen) {
    BeginQuiz(TInputType::itPianoKeys, TStaffChoice::scTreble, true, screen);
    for (auto _ : state) {
        KeepQuizGoing();
        const int x = KeyX(form->NoteTable[form->Quiz.NoteIndex].Step);
        form->pbxInstrumentMouseDown(Qt::LeftButton, Qt::NoModifier, x, KeyY);
        form->pbxInstrumentMouseUp(Qt::LeftButton, Qt::NoModifier, x, KeyY);
        if (screen)
            PutOnScreen();
    }
    form->EndQuiz();
}

constexpr int Repetitions = 7;

void Register(const std::string& name, std::function<void(benchmark::State&)> run) {
    benchmark::RegisterBenchmark(name.c_str(), [run](benchmark::State& state) { run(state); })
        ->Repetitions(Repetitions)
        ->DisplayAggregatesOnly(true)
        ->MinTime(0.1)
        ->Unit(benchmark::kMicrosecond);
}

// Registers a drawing with and without the copy to the screen.
void RegisterBoth(const std::string& name, const std::function<void(benchmark::State&, bool)>& run) {
    Register(name, [run](benchmark::State& state) { run(state, false); });
    Register(name + " +screen", [run](benchmark::State& state) { run(state, true); });
}

std::string Micro(double seconds) { return Fixed(seconds * 1e6, 2) + " us"; }

// "full / part" as a verdict on the drawing work, both figures named, and
// the same pair with the copy to the screen as information.
void Ratio(Summary& summary, const CollectingReporter& results, const std::string& what, const std::string& full,
           const std::string& part, double target) {
    const double a = results.cpuSeconds(full);
    const double b = results.cpuSeconds(part);
    summary.atLeast(what, a / b, target, "x", "drawing: " + Micro(a) + " / " + Micro(b));
    const double aScreen = results.cpuSeconds(full + " +screen");
    const double bScreen = results.cpuSeconds(part + " +screen");
    if (std::isfinite(aScreen / bScreen))
        summary.note(what + " +screen",
                     Fixed(aScreen / bScreen, 1) + "x (" + Micro(aScreen) + " / " + Micro(bScreen) + ")");
}

// The offscreen platform says so at every change of the window's fixed size.
QtMessageHandler defaultMessageHandler = nullptr;
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    defaultMessageHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    // The window is never shown on a real display: the figures are the
    // program's own work, not a display server's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    defaultMessageHandler = qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quavelet"));

    if (!InitializeShuffled(argc, argv))
        return 2;

    SilentMessageBoxes boxes;
    MessageBoxes::install(&boxes);
    TFormQuavelet shown;
    TFormQuavelet hidden;
    shownForm = &shown;
    hiddenForm = &hidden;
    shown.show();
    PutOnScreen();

    RegisterBoth("piano octave: full draw", [](benchmark::State& s, bool screen) { PianoFullDraw(s, false, screen); });
    RegisterBoth("piano octave: marker move", [](benchmark::State& s, bool screen) { PianoMarkerMove(s, false, screen); });
    RegisterBoth("piano full range: full draw", [](benchmark::State& s, bool screen) { PianoFullDraw(s, true, screen); });
    RegisterBoth("piano full range: marker move",
                 [](benchmark::State& s, bool screen) { PianoMarkerMove(s, true, screen); });
    RegisterBoth("fingerboard: full draw", FingerboardFullDraw);
    RegisterBoth("fingerboard: one column", FingerboardOneColumn);
    Register("fingerboard: dotted column", FingerboardDottedColumn);
    Register("fingerboard: marker move", FingerboardMarkerMove);
    RegisterBoth("staff: full paint", StaffFullPaint);
    RegisterBoth("staff: note change", StaffNoteChange);
    Register("staff: note only", StaffNoteOnly);
    RegisterBoth("answer: letter button", AnswerLetter);
    RegisterBoth("answer: piano key", AnswerPianoKey);

    CollectingReporter results;
    benchmark::RunSpecifiedBenchmarks(&results);
    benchmark::Shutdown();
    MessageBoxes::install(nullptr);

    Summary summary("Drawing and answering (CPU time, medians of " + std::to_string(Repetitions) +
                    " shuffled repetitions)");
    Ratio(summary, results, "piano one octave, full draw / marker move", "piano octave: full draw",
          "piano octave: marker move", 20);
    Ratio(summary, results, "piano full range, full draw / marker move", "piano full range: full draw",
          "piano full range: marker move", 20);
    Ratio(summary, results, "fingerboard, full draw / one column", "fingerboard: full draw",
          "fingerboard: one column", 5);
    const double board = results.cpuSeconds("fingerboard: full draw");
    summary.note("fingerboard, full draw / the dotted column 5",
                 Fixed(board / results.cpuSeconds("fingerboard: dotted column"), 1) + "x");
    summary.note("fingerboard, full draw / a drag across two columns",
                 Fixed(board / results.cpuSeconds("fingerboard: marker move"), 1) + "x");
    Ratio(summary, results, "staff, full paint / note change", "staff: full paint", "staff: note change", 10);
    const double note = results.cpuSeconds("staff: note only");
    const double paint = results.cpuSeconds("staff: full paint");
    const double change = results.cpuSeconds("staff: note change");
    summary.note("staff, the note glyph that both draw", Micro(note) + "; without it, full paint / erase " +
                                                              Fixed((paint - note) / (change - note), 1) + "x");
    for (const char* answer : {"letter button", "piano key"}) {
        const std::string name = std::string("answer: ") + answer;
        summary.atMost("answer to next note on screen, " + std::string(answer),
                       results.cpuSeconds(name + " +screen") * 1e3, 1.0, " ms",
                       "without the copy to the screen: " + Micro(results.cpuSeconds(name)));
    }
    return summary.finish();
}
