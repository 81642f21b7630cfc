// A randomized model test of the whole main window: many seeded runs of
// random events (clicks on every control and menu entry, typed characters of
// every kind, F1, countdown ticks, presses, drags and releases on both
// instruments, option changes, quizzes begun and ended, verdict and close
// boxes answered either way), with the window's state checked after every
// event against a small model of its own.
//
// The About dialog is modal: its events are given from inside its own event
// loop, through a zero-delay single shot posted when it is shown.
//
// Environment:
//   QUAVELET_SOAK=1          the long round (set by the build's soak option)
//   QUAVELET_MODEL_SEED=n    replay one seed only
//   QUAVELET_MODEL_EVENTS=n  events per seed (default: the long round's)
//   QUAVELET_MODEL_LOG=n     how many of the last events a failure lists
#include "About.h"
#include "Main.h"
#include "TestSupport.h"
#include "instruments/GuitarFingerboard.h"
#include "instruments/PianoKeyboard.h"
#include "platform/Canvas.h"
#include "platform/HelpEngine.h"
#include "platform/RandomSource.h"
#include "platform/SystemColors.h"
#include "staff/Artwork.h"
#include "staff/StaffRenderer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <random>

namespace {

// ---------------------------------------------------------------------------
// The model's own tables, written down from the design's numbers rather than
// taken from the code under test.

constexpr int CountdownStart = 12;
constexpr int QuizLength = 20;
constexpr int BestScore = 200;

enum Input { Letters = 0, Piano = 1, Guitar = 2 };
enum Staff { Treble = 0, Bass = 1, Both = 2 };

struct ModelNote {
    char letter;
    int step;
    int glyph;
    int top;
};

constexpr std::array<int, 26> StaffGlyphs = {1, 3, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0,
                                             2, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 3, 1};
constexpr std::array<int, 26> StaffTops = {36, 81, 31, 86, 26, 91, 21, 96, 16, 101, 11, 106, 6,
                                           111, 31, 86, 26, 91, 21, 96, 16, 101, 11, 106, 6, 111};
constexpr std::array<int, 30> GuitarStepList = {21, 18, 16, 13, 10, 7, 22, 19, 17, 14, 11, 8, 23, 20, 18,
                                                15, 12, 9, 24, 21, 19, 16, 13, 10, 25, 22, 20, 17, 14, 11};
constexpr std::array<int, 30> GuitarGlyphs = {2, 0, 0, 0, 5, 8, 2, 2, 0, 0, 4, 7, 2, 2, 0,
                                              0, 1, 6, 3, 2, 2, 0, 0, 5, 9, 2, 2, 0, 0, 4};
constexpr std::array<int, 30> GuitarTops = {21, 6, 16, 31, 36, 36, 16, 31, 11, 26, 36, 36, 11, 26, 6,
                                            21, 36, 36, 6, 21, 31, 16, 31, 36, 1, 16, 26, 11, 26, 36};

char LetterOfStep(int step) { return char('A' + (step + 4) % 7); }

ModelNote NoteOf(bool guitarTable, int index) {
    const std::size_t i = std::size_t(index);
    if (guitarTable)
        return {LetterOfStep(GuitarStepList[i]), GuitarStepList[i], GuitarGlyphs[i], GuitarTops[i]};
    const int step = index % 2 == 0 ? 12 + index / 2 : 12 - index / 2;
    return {LetterOfStep(step), step, StaffGlyphs[i], StaffTops[i]};
}

int PoolFor(int level, bool guitarTable) {
    if (!guitarTable)
        return 2 * level + 2;
    return level <= 6 ? 3 * level : 2 * level + 6;
}

bool Admissible(int index, bool guitarTable, int staff) {
    if (guitarTable || staff == Both)
        return true;
    return (index % 2 == 0) == (staff == Treble);
}

int LayoutFor(bool fullRange, int staff) { return fullRange ? 1 + staff : 0; }

// The piano's keys as the design's key tables give them, in the 232 pixel
// wide box.
struct ModelKeyboard {
    int whiteWidth;
    int keyCount;
    int firstStep;
    std::uint32_t noBlackKey; // bit i: no black key at boundary i
    int deadLeftMax;          // above the black keys, offsets 0..this answer nothing
    int deadRightMin;         // and offsets from this one to the key's end
    int markerSize;
    int markerOffset;         // from the key's left boundary
    int innerSize;
};

constexpr std::uint32_t Bits(std::initializer_list<int> members) {
    std::uint32_t bits = 0;
    for (int m : members)
        bits |= 1u << m;
    return bits;
}

const std::array<ModelKeyboard, 4> Keyboards = {{
    {21, 10, 11, Bits({1, 4, 8}), 3, 18, 10, 6, 4},
    {17, 13, 12, Bits({0, 3, 7, 10}), 2, 15, 8, 5, 4},
    {17, 13, 0, Bits({1, 5, 8, 12}), 2, 15, 8, 5, 4},
    {9, 25, 0, Bits({1, 5, 8, 12, 15, 19, 22}), 1, 8, 4, 3, 2},
}};
constexpr int BoxWidth = 232;
constexpr int KeyHeight = 68;
constexpr int BlackKeyHeight = 44;

int ModelKeyLeft(const ModelKeyboard& k, int n) { return (BoxWidth - k.keyCount * k.whiteWidth) / 2 + n * k.whiteWidth; }

bool BlackKeyAt(const ModelKeyboard& k, int boundary) {
    return boundary >= 0 && boundary <= k.keyCount && !(k.noBlackKey & (1u << boundary));
}

int ModelPianoHit(int layout, int x, int y) {
    const ModelKeyboard& k = Keyboards[std::size_t(layout)];
    const int left = ModelKeyLeft(k, 0);
    if (x < left || x >= ModelKeyLeft(k, k.keyCount) || y < 0 || y >= KeyHeight)
        return -1;
    const int key = (x - left) / k.whiteWidth;
    const int offset = (x - left) % k.whiteWidth;
    if (y < BlackKeyHeight) {
        if (BlackKeyAt(k, key) && offset <= k.deadLeftMax)
            return -1;
        if (BlackKeyAt(k, key + 1) && offset >= k.deadRightMin)
            return -1;
    }
    return k.firstStep + key;
}

// The fingerboard's zones as the design's zone tables give them.
constexpr std::array<std::array<int, 8>, 6> ModelFretSteps = {{
    {21, 22, -1, 23, -1, 24, -1, 25},
    {18, 19, -1, 20, -1, 21, 22, -1},
    {16, -1, 17, -1, 18, 19, -1, 20},
    {13, -1, 14, 15, -1, 16, -1, 17},
    {10, -1, 11, 12, -1, 13, -1, 14},
    {7, 8, -1, 9, -1, 10, -1, 11},
}};
constexpr std::array<std::pair<int, int>, 8> CellColumns = {{
    {203, 100000}, {11, 41}, {46, 73}, {78, 102}, {107, 129}, {134, 154}, {159, 177}, {182, 198}}};
constexpr std::array<int, 8> MarkerColumns = {210, 33, 65, 94, 121, 146, 169, 190};

int ModelStringY(int string) { return 15 + 11 * (string - 1); }

// The search writes the string and fret it reaches, also on a miss: the
// string is 0 when no string's band holds y, and the fret is then left alone;
// the fret is -1 on a wire, the nut or left of it.
int ModelGuitarSearch(int x, int y, int& string, int& fret) {
    string = 0;
    for (int s = 1; s <= 6; ++s)
        if (y >= ModelStringY(s) - 5 && y <= ModelStringY(s) + 4)
            string = s;
    if (string == 0)
        return -1;
    fret = -1;
    for (int f = 0; f < 8; ++f)
        if (x >= CellColumns[std::size_t(f)].first && x <= CellColumns[std::size_t(f)].second)
            fret = f;
    return fret < 0 ? -1 : ModelFretSteps[std::size_t(string - 1)][std::size_t(fret)];
}

struct Geometry {
    int clientHeight, statusTop, closeTop, panelTop;
};
constexpr std::array<Geometry, 3> Geometries = {{{323, 232, 273, 199}, {387, 296, 337, 199}, {347, 256, 297, 159}}};

const char* const InputNames[] = {"letters", "piano", "guitar"};
const char* const StaffNames[] = {"treble", "bass", "both"};

QString ButtonName(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return QStringLiteral("left");
    case Qt::RightButton: return QStringLiteral("right");
    case Qt::MiddleButton: return QStringLiteral("middle");
    default: return QStringLiteral("button 0x%1").arg(int(button), 0, 16);
    }
}


// Calls back, from the event loop, each time a dialog is shown: for a modal
// dialog that is from inside its own loop.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(std::function<void()> shown) : m_shown(std::move(shown)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous())
            QTimer::singleShot(0, watched, m_shown);
        return false;
    }

private:
    std::function<void()> m_shown;
};

// Clicks on disabled controls and keys nobody takes are what a player does
// too; QTest warns about each, which would only bury a real report.
QtMessageHandler previousHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg
        && (message.contains(QLatin1String("not accepted by receiving widget"))
            || message.contains(QLatin1String("does not support propagateSizeHints"))))
        return;
    previousHandler(type, context, message);
}

// ---------------------------------------------------------------------------
// Pictures to compare with. They come from the plain drawing functions with
// fixed inputs (each tested on its own against the design's pixels); what is
// checked here is that the window shows the right one at the right time.

struct References {
    QImage staff[2][3]; // [guitar][staff choice], no note
    QImage piano[4];    // by layout, no marker
    QImage guitar;      // no marker
    ImageList notes = LoadNotes();
};

QString FirstDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width()).arg(actual.height()).arg(expected.width()).arg(expected.height());
    QRect box;
    int count = 0;
    QString first;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if ((actual.pixel(x, y) & 0xffffff) != (expected.pixel(x, y) & 0xffffff)) {
                if (count++ == 0)
                    first = QStringLiteral("(%1, %2) is %3, expected %4")
                                .arg(x).arg(y).arg(rgbAt(actual, x, y), rgbAt(expected, x, y));
                box |= QRect(x, y, 1, 1);
            }
    return QStringLiteral("%1 pixels differ within (%2, %3)-(%4, %5); first: %6")
        .arg(count).arg(box.left()).arg(box.top()).arg(box.right()).arg(box.bottom()).arg(first);
}

bool SamePicture(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if ((ra[x] ^ rb[x]) & 0xffffff)
                return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// The model: what the window's state must be after each event.

struct Model {
    int input = Letters;
    int staff = Treble;
    bool fullRange = false;
    int level = 1;
    bool running = false;
    bool guitarTable = false; // the note table of the running quiz
    int pool = 0;
    int notesLeft = 0;
    int noteIndex = 0;
    int lastIndex = -1;
    int ticks = 0; // since the current note was shown
    int score = 0;
    int shown = 0; // notes shown in the current quiz
    bool tracking = false;
    int selection = -1;
    int selString = 0;
    int selFret = 0;
    bool windowOpen = true;

    int layout() const { return LayoutFor(fullRange, staff); }
    bool panelShown() const { return input != Letters; }
    bool inputEnabled(int type) const {
        if (!running)
            return true;
        return guitarTable ? type == Guitar : type != Guitar;
    }
    bool staffEnabled() const { return !running && input != Guitar; }
    bool rangeEnabled() const { return input == Piano; }
    int secondsLeft() const { return CountdownStart - ticks; }
    int noteLeft() const { return 172 - 6 * notesLeft; }
    ModelNote note() const { return NoteOf(guitarTable, noteIndex); }
};

struct Totals {
    long events = 0;
    long quizzesBegun = 0;
    long quizzesCompleted = 0;
    long answersRight = 0;
    long answersWrong = 0;
    long timeouts = 0;
    long closeQuestions = 0;
    long windowsClosed = 0;
    long instrumentAnswers = 0;
    long newWindows = 0;
    long aboutShown = 0;
    long realTicksIgnored = 0;
};

// One seeded run against one window (or several, when the player closes it).
class ModelRun {
public:
    ModelRun(quint64 seed, const References& refs, Totals& totals) : m_seed(seed), m_rng(seed), m_refs(refs), m_totals(totals) {
        // The start-up preference: the About dialog opens when a new window
        // is first shown while it is on; its check box changes it.
        m_splash = chance(50);
        ShowSplash = m_splash;
        m_boxes.whileInformationOpen = [this] { informationOpened(); };
        m_boxes.whileConfirmOpen = [this] { confirmOpened(); };
    }
    ~ModelRun() {
        delete m_form; // and DlgAbout, its child
        DlgAbout = nullptr;
    }

    // Plays the events; returns the failure, empty when every check held.
    QString play(int events);

private:
    // --- randomness -------------------------------------------------------
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    bool chance(int percent) { return pick(100) < percent; }
    // A command of the toolbar or menu by its index; End is chosen seldom
    // during a quiz, so that many quizzes run to their twentieth note.
    int pickCommand(int count) {
        int index = pick(count);
        if (m_model.running && index == 9 && chance(80))
            index = pick(count);
        return index;
    }
    Qt::MouseButton anyButton() {
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton,
                                                  Qt::RightButton, Qt::MiddleButton, Qt::BackButton};
        return buttons[pick(6)];
    }
    Qt::KeyboardModifiers anyModifiers() {
        static const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier,
                                                          Qt::ControlModifier};
        return modifiers[pick(4)];
    }

    // --- bookkeeping ------------------------------------------------------
    void log(const QString& line) {
        m_log.push_back(QStringLiteral("#%1 %2").arg(m_event).arg(line));
        static const int kept = std::max(40, qEnvironmentVariableIntValue("QUAVELET_MODEL_LOG"));
        if (int(m_log.size()) > kept)
            m_log.pop_front();
    }
    void note(const QString& text) {
        if (!m_log.empty())
            m_log.back() += QStringLiteral(" | ") + text;
    }
    void fail(const QString& what) {
        if (m_failure.isEmpty())
            m_failure = what;
    }
    QString report() const;

    // --- windows ----------------------------------------------------------
    void openNewWindow();
    void reshowWindow();
    QWidget* keyTarget() const;
    void activate();
    // Whether the About dialog should open now, and why.
    void expectAbout(bool expected, const QString& why);
    void insideAbout();

    // --- the model's steps, each run around the code's -------------------
    void expectVerdict(const QString& text);
    void verdictDone();
    void predictAnswer(int code);  // before the code runs
    void settleAnswer();           // after it ran
    void nextNote();
    void endQuiz();
    void beginQuiz();
    void tick();
    void informationOpened();
    void confirmOpened();
    void closeAttempt(const std::function<void()>& close, const QString& how);
    void command(int index); // 0..9 the commands in toolbar order

    // --- events -----------------------------------------------------------
    void step();
    void clickToolbar();
    void triggerMenuEntry();
    void openOptionsMenu();
    void clickLetter();
    void typeCharacter();
    void pressF1();
    void tickEvent();
    void tickBurst();
    void pointerPress();
    void pointerMove();
    void pointerRelease();
    void realDrag();
    void levelEvent();
    void closeWindow();
    void hintEvent();
    void aboutFromTheHelpMenu();
    void processEvents();
    void reopen();

    QPoint instrumentPoint();
    void modelPress(int x, int y);
    void modelMove(int x, int y);
    // Returns the answer code a release hands on, or nothing.
    std::optional<int> modelRelease(int x, int y);

    // --- checks -------------------------------------------------------------
    void checkAll();
    void checkCommands();
    void checkQuiz();
    void checkPointer();
    void checkLayout();
    void checkPictures();
    void checkVerdictState(const QString& where);
    QImage expectedStaff() const;
    QImage expectedInstrument();

    QAction* commandAction(int index) const;
    QToolButton* commandButton(int index) const;

    quint64 m_seed;
    std::mt19937_64 m_rng;
    const References& m_refs;
    Totals& m_totals;
    RecordingMessageBoxes m_boxes;
    RecordingHelp m_help;
    TFormQuavelet* m_form = nullptr;
    Model m_model;
    int m_event = 0;
    std::deque<QString> m_log;
    QString m_failure;
    std::optional<QString> m_expectedVerdict;
    bool m_expectingQuestion = false;
    bool m_confirmAnswer = true;
    int m_boxDepth = 0;
    bool m_pendingNext = false; // an answer awaits its next note
    bool m_splash = true;       // ShowSplash as the model sees it
    int m_aboutShowings = 0;
    int m_windows = 0; // opened in this run
    bool m_aboutExpected = false;
    QString m_aboutWhy;
    ShowWatcher m_aboutWatcher{[this] { insideAbout(); }};
};

QString ModelRun::report() const {
    QString text = QStringLiteral("seed %1, event %2 (replay with QUAVELET_MODEL_SEED=%1): %3\nlast events:")
                       .arg(m_seed).arg(m_event).arg(m_failure);
    for (const QString& line : m_log)
        text += QStringLiteral("\n  ") + line;
    return text;
}

// ---------------------------------------------------------------------------
// Windows

void ModelRun::openNewWindow() {
    delete m_form; // and DlgAbout, its child
    m_form = new TFormQuavelet;
    DlgAbout = new TDlgAbout(m_form);
    DlgAbout->installEventFilter(&m_aboutWatcher);
    // The dialog seeds the program's generator from the clock when it is
    // created, and its promotional line draws a colour from it every four
    // seconds while the program runs. Both are left out, so that the notes
    // of a seed's quizzes replay exactly.
    RandomSource::global().seed(m_seed * 7919 + 13 + quint64(m_windows) * 104729);
    DlgAbout->tmrFlash->setOnTick({});
    // The model gives every countdown tick itself. The real timer keeps
    // running meanwhile and, overdue, fires as soon as a nested event loop
    // (the About dialog's) runs, at moments that depend on the clock; those
    // ticks are left out so that a seed replays exactly.
    m_form->tmrCount->setOnTick([this] { ++m_totals.realTicksIgnored; });
    m_model = Model{};
    ++m_totals.newWindows;
    ++m_windows;
    m_form->show();
    // The first showing opens the About dialog when the preference is on.
    const int showings = m_aboutShowings;
    const bool splash = m_splash; // the dialog may turn it off
    expectAbout(splash, QStringLiteral("at start-up"));
    // A new window starts idle, so waiting lets no countdown tick through.
    if (!QTest::qWaitForWindowExposed(m_form))
        fail(QStringLiteral("the new window was never exposed"));
    QCoreApplication::processEvents();
    if (m_aboutShowings != showings + (splash ? 1 : 0))
        fail(QStringLiteral("the About dialog opened %1 times at start-up").arg(m_aboutShowings - showings));
    expectAbout(false, QStringLiteral("unasked"));
    activate();
}

// The window takes the input again, as it does when it is shown or a modal
// dialog over it closes. Only events are processed: the model gives every
// countdown tick itself. On the offscreen platform a dialog that closes stays
// the focus window, and then the window counts as active (a transient child
// of it has the focus) while the keys go to the dialog's controls; so this
// waits for the window itself to be the active one.
void ModelRun::activate() {
    QCoreApplication::processEvents();
    m_form->activateWindow();
    if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == m_form; }))
        fail(QStringLiteral("the window did not become active"));
}

void ModelRun::expectAbout(bool expected, const QString& why) {
    m_aboutExpected = expected;
    m_aboutWhy = why;
}

// Runs inside the About dialog's modal loop: the countdown goes on meanwhile,
// and may time a note out with its box over the dialog; Escape leaves the
// dialog open; the check box sets the start-up preference; OK, Enter or the
// title bar close it.
void ModelRun::insideAbout() {
    TDlgAbout* about = DlgAbout;
    if (!about || !about->isVisible())
        return; // closed already
    ++m_aboutShowings;
    ++m_totals.aboutShown;
    ++m_boxDepth;
    log(QStringLiteral("About dialog %1").arg(m_aboutWhy));
    if (!m_aboutExpected)
        fail(QStringLiteral("the About dialog opened %1").arg(m_aboutWhy));
    m_aboutExpected = false;
    if (QApplication::activeModalWidget() != about)
        fail(QStringLiteral("the About dialog is not modal"));
    if (m_form->tmrCount->isEnabled() != m_model.running)
        fail(QStringLiteral("the countdown runs: %1 while the About dialog is open").arg(m_form->tmrCount->isEnabled()));
    if (m_model.running && chance(60)) {
        const int ticks = pick(15);
        note(QStringLiteral("%1 ticks in the About dialog").arg(ticks));
        for (int i = 0; i < ticks && m_model.running && m_failure.isEmpty(); ++i)
            tick();
    }
    if (chance(25)) {
        m_splash = !m_splash;
        note(QStringLiteral("About: start-up box %1").arg(m_splash ? QStringLiteral("on") : QStringLiteral("off")));
        QTest::mouseClick(about->chkShowScreen, Qt::LeftButton);
        if (ShowSplash != m_splash)
            fail(QStringLiteral("the About dialog's check box left the preference %1").arg(ShowSplash));
    }
    if (chance(20)) {
        note(QStringLiteral("About: Escape"));
        QTest::keyClick(about, Qt::Key_Escape);
        if (!about->isVisible())
            fail(QStringLiteral("Escape closed the About dialog"));
    }
    switch (pick(3)) {
    case 0:
        note(QStringLiteral("About: OK"));
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        break;
    case 1:
        note(QStringLiteral("About: Enter"));
        QTest::keyClick(about->focusWidget() ? about->focusWidget() : about, Qt::Key_Return);
        break;
    default:
        note(QStringLiteral("About: title bar"));
        about->close();
        break;
    }
    if (about->isVisible()) {
        fail(QStringLiteral("the About dialog stayed open"));
        about->reject();
    }
    --m_boxDepth;
}

void ModelRun::reshowWindow() {
    m_form->show();
    m_model.windowOpen = true;
    if (!QTest::qWaitForWindowExposed(m_form))
        fail(QStringLiteral("the window was never exposed again"));
    activate();
}

// Typed keys go where the focus is; only the Close button and the level
// scroll bar ever hold it.
QWidget* ModelRun::keyTarget() const {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == m_form)
        return focus;
    focus = m_form->focusWidget();
    return focus ? focus : m_form->cmdClose;
}

// ---------------------------------------------------------------------------
// The quiz as the model sees it

void ModelRun::expectVerdict(const QString& text) {
    if (m_expectedVerdict)
        fail(QStringLiteral("a second verdict was expected before the first was shown"));
    m_expectedVerdict = text;
}

void ModelRun::verdictDone() {
    if (m_expectedVerdict)
        fail(QStringLiteral("expected the verdict \"%1\", but no box opened").arg(*m_expectedVerdict));
    m_expectedVerdict.reset();
}

void ModelRun::predictAnswer(int code) {
    m_pendingNext = false;
    if (!m_model.running)
        return;
    const ModelNote current = m_model.note();
    bool right = false;
    QString wrong;
    const auto picked = [&](char letter) {
        return QStringLiteral("You picked %1, but the note was really %2").arg(QChar(letter), QChar(current.letter));
    };
    if (code >= 0 && code <= 29) {
        right = code == current.step;
        if (!right)
            wrong = (code - current.step) % 7 == 0 ? QStringLiteral("You picked the right note but in the wrong octave")
                                                    : picked(LetterOfStep(code));
    } else if (code >= 100 && code <= 106) {
        right = char('A' + code - 100) == current.letter;
        if (!right)
            wrong = picked(char('A' + code - 100));
    } else {
        note(QStringLiteral("code %1 ignored").arg(code));
        return; // ignored: the countdown goes on
    }
    m_pendingNext = true;
    if (right) {
        const int points = std::min(m_model.secondsLeft(), 10);
        m_model.score += points;
        ++m_totals.answersRight;
        note(QStringLiteral("code %1 right for %2 points").arg(code).arg(points));
    } else {
        ++m_totals.answersWrong;
        note(QStringLiteral("code %1 wrong: %2").arg(code).arg(wrong));
        expectVerdict(wrong);
    }
}

void ModelRun::settleAnswer() {
    verdictDone();
    if (m_pendingNext)
        nextNote();
    m_pendingNext = false;
}

void ModelRun::nextNote() {
    if (m_model.notesLeft < 1) {
        if (m_model.shown != QuizLength)
            fail(QStringLiteral("a quiz ended after %1 notes").arg(m_model.shown));
        ++m_totals.quizzesCompleted;
        note(QStringLiteral("quiz complete, score %1").arg(m_model.score));
        endQuiz();
        return;
    }
    --m_model.notesLeft;
    m_model.ticks = 0;
    ++m_model.shown;
    const int index = m_form->Quiz.NoteIndex;
    if (index < 0 || index >= m_model.pool)
        fail(QStringLiteral("note %1 lies outside the pool of %2").arg(index).arg(m_model.pool));
    else if (!Admissible(index, m_model.guitarTable, m_model.staff))
        fail(QStringLiteral("note %1 is not on the %2 staff").arg(index).arg(QLatin1String(StaffNames[m_model.staff])));
    else if (index == m_model.lastIndex)
        fail(QStringLiteral("note %1 was asked twice in a row").arg(index));
    m_model.noteIndex = index;
    m_model.lastIndex = index;
    note(QStringLiteral("next note %1 (%2)").arg(index).arg(QChar(m_model.note().letter)));
}

void ModelRun::endQuiz() {
    m_model.running = false;
    m_model.selection = -1;
}

void ModelRun::beginQuiz() {
    m_model.running = true;
    m_model.guitarTable = m_model.input == Guitar;
    m_model.pool = PoolFor(m_model.level, m_model.guitarTable);
    m_model.notesLeft = QuizLength;
    m_model.score = 0;
    m_model.shown = 0;
    m_model.lastIndex = -1;
    ++m_totals.quizzesBegun;
}

void ModelRun::tick() {
    if (!m_model.running) {
        fail(QStringLiteral("a countdown tick came while no quiz runs"));
        return;
    }
    ++m_model.ticks;
    const bool timeout = m_model.secondsLeft() < 0;
    if (timeout) {
        ++m_totals.timeouts;
        expectVerdict(QStringLiteral("Sorry, out of time. The note was %1").arg(QChar(m_model.note().letter)));
    }
    m_form->tmrCountTimer();
    verdictDone();
    if (timeout)
        nextNote();
}

// Inside a verdict box: the countdown is stopped, the quiz still runs.
void ModelRun::informationOpened() {
    ++m_boxDepth;
    const QString text = m_boxes.informations.isEmpty() ? QString() : m_boxes.informations.last();
    if (!m_expectedVerdict)
        fail(QStringLiteral("an unexpected box: \"%1\"").arg(text));
    else if (text != *m_expectedVerdict)
        fail(QStringLiteral("the verdict \"%1\", expected \"%2\"").arg(text, *m_expectedVerdict));
    m_expectedVerdict.reset();
    checkVerdictState(QStringLiteral("while a verdict is shown"));
    --m_boxDepth;
}

void ModelRun::checkVerdictState(const QString& where) {
    if (m_form->tmrCount->isEnabled())
        fail(QStringLiteral("the countdown runs %1").arg(where));
    if (!m_form->Quiz.QuizRunning)
        fail(QStringLiteral("no quiz runs %1").arg(where));
    if (!m_form->actBeginQuiz->isChecked() || m_form->actEndQuiz->isChecked())
        fail(QStringLiteral("Begin/End checked wrongly %1").arg(where));
    if (m_form->sbLevel->isEnabled())
        fail(QStringLiteral("the level can be changed %1").arg(where));
}

// Inside the close question: the countdown goes on, and may time a note out
// (with its own box on top) or even finish the quiz before the answer.
void ModelRun::confirmOpened() {
    ++m_boxDepth;
    const QString text = m_boxes.confirmations.isEmpty() ? QString() : m_boxes.confirmations.last();
    if (!m_expectingQuestion)
        fail(QStringLiteral("an unexpected question: \"%1\"").arg(text));
    else if (text != QStringLiteral("Quiz in progress. Really quit?"))
        fail(QStringLiteral("the close question reads \"%1\"").arg(text));
    m_expectingQuestion = false;
    if (!m_form->tmrCount->isEnabled())
        fail(QStringLiteral("the countdown stopped for the close question"));
    if (chance(50)) {
        const int ticks = pick(15);
        note(QStringLiteral("%1 ticks during the question").arg(ticks));
        for (int i = 0; i < ticks && m_model.running && m_failure.isEmpty(); ++i)
            tick();
    }
    m_boxes.answerYes = m_confirmAnswer;
    note(m_confirmAnswer ? QStringLiteral("answered Yes") : QStringLiteral("answered No"));
    --m_boxDepth;
}

void ModelRun::closeAttempt(const std::function<void()>& close, const QString& how) {
    const bool asks = m_model.running;
    m_confirmAnswer = chance(50);
    m_boxes.answerYes = m_confirmAnswer;
    const qsizetype questions = m_boxes.confirmations.size();
    if (asks) {
        m_expectingQuestion = true;
        ++m_totals.closeQuestions;
    }
    log(QStringLiteral("close by %1%2").arg(how, asks ? QStringLiteral(" during a quiz") : QString()));
    close();
    if (m_expectingQuestion)
        fail(QStringLiteral("closing during a quiz asked nothing"));
    m_expectingQuestion = false;
    if (!asks && m_boxes.confirmations.size() != questions)
        fail(QStringLiteral("closing without a quiz asked a question"));
    const bool closes = !asks || m_confirmAnswer;
    if (m_form->isVisible() == closes)
        fail(closes ? QStringLiteral("the window stayed open") : QStringLiteral("the window closed after No"));
    if (closes) {
        m_model.windowOpen = false;
        ++m_totals.windowsClosed;
    }
}

// ---------------------------------------------------------------------------
// Commands, in the order of the options toolbar

QAction* ModelRun::commandAction(int index) const {
    QAction* const actions[] = {m_form->actNoteButtons, m_form->actPianoKeys,    m_form->actGuitar,
                                m_form->actTrebleNotes, m_form->actBassNotes,    m_form->actAllNotes,
                                m_form->actSingleOctave, m_form->actFullRange, m_form->actBeginQuiz,
                                m_form->actEndQuiz};
    return actions[index];
}

QToolButton* ModelRun::commandButton(int index) const {
    QToolButton* const buttons[] = {m_form->tbNoteButtons, m_form->tbPianoKeys,    m_form->tbGuitar,
                                    m_form->tbTrebleNotes, m_form->tbBassNotes,    m_form->tbAllNotes,
                                    m_form->tbSingleOctave, m_form->tbFullRange, m_form->tbBeginQuiz,
                                    m_form->tbEndQuiz};
    return buttons[index];
}

// What the model expects of choosing command `index` while it is enabled.
void ModelRun::command(int index) {
    Model& m = m_model;
    if (index <= 2) {
        if (!m.inputEnabled(index) || m.input == index)
            return;
        const int old = m.input;
        m.input = index;
        // A press still in progress ends with its instrument.
        m.tracking = false;
        m.selection = -1;
        if (index == Guitar && old != Guitar) {
            m.staff = Treble;
            m.fullRange = true;
        }
    } else if (index <= 5) {
        if (m.staffEnabled())
            m.staff = index - 3;
    } else if (index <= 7) {
        if (m.rangeEnabled())
            m.fullRange = index == 7;
    } else if (index == 8) {
        if (!m.running)
            beginQuiz();
    } else if (m.running) {
        endQuiz();
    }
}

// ---------------------------------------------------------------------------
// Events

void ModelRun::clickToolbar() {
    const int index = pickCommand(10);
    QToolButton* button = commandButton(index);
    const Qt::MouseButton mouse = chance(85) ? Qt::LeftButton : anyButton();
    log(QStringLiteral("click %1 (%2)").arg(button->objectName(), ButtonName(mouse)));
    const bool begins = mouse == Qt::LeftButton && index == 8 && !m_model.running;
    if (mouse == Qt::LeftButton)
        command(index);
    QTest::mouseClick(button, mouse);
    if (begins)
        nextNote();
}

void ModelRun::triggerMenuEntry() {
    QAction* const entries[] = {m_form->miNoteButtons, m_form->miPianoKeys,    m_form->miGuitar,
                                m_form->miTrebleNotes, m_form->miBassNotes,    m_form->miAllNotes,
                                m_form->miSingleOctave, m_form->miFullRange, m_form->miBeginQuiz,
                                m_form->miEndQuiz,     m_form->miHelpContents, m_form->miHelpKeyboard,
                                m_form->miUsingHelp,   m_form->miAbout};
    const int index = pickCommand(14);
    QAction* entry = entries[index];
    log(QStringLiteral("menu %1").arg(entry->objectName()));
    if (index < 10) {
        const bool begins = index == 8 && !m_model.running;
        command(index);
        entry->trigger();
        if (begins)
            nextNote();
        return;
    }
    const qsizetype calls = m_help.calls.size();
    if (index == 13) {
        aboutFromTheHelpMenu();
        if (m_help.calls.size() != calls)
            fail(QStringLiteral("About called the help engine"));
        return;
    }
    entry->trigger();
    const QPair<HelpCommand, int> expected[] = {
        {HelpCommand::Finder, 0}, {HelpCommand::Context, 20}, {HelpCommand::HelpOnHelp, 0}};
    if (m_help.calls.size() != calls + 1 || m_help.calls.last() != expected[index - 10])
        fail(QStringLiteral("%1 made the wrong help call").arg(entry->objectName()));
}

void ModelRun::aboutFromTheHelpMenu() {
    const int showings = m_aboutShowings;
    expectAbout(true, QStringLiteral("from the Help menu"));
    m_form->miAbout->trigger();
    expectAbout(false, QStringLiteral("unasked"));
    activate();
    if (m_aboutShowings != showings + 1)
        fail(QStringLiteral("the About dialog opened %1 times from the Help menu").arg(m_aboutShowings - showings));
    if (DlgAbout->isVisible())
        fail(QStringLiteral("the About dialog is still visible"));
}

void ModelRun::openOptionsMenu() {
    const bool popUp = chance(20);
    log(popUp ? QStringLiteral("pop up the Options menu") : QStringLiteral("open the Options menu"));
    if (popUp) {
        m_form->mnuOptions->popup(m_form->mapToGlobal(QPoint(40, 0)));
        m_form->mnuOptions->hide();
    } else {
        Q_EMIT m_form->mnuOptions->aboutToShow();
    }
    if (m_form->miFullRange->isChecked() != m_model.fullRange)
        fail(QStringLiteral("the menu's full range mark is %1").arg(m_form->miFullRange->isChecked()));
    if (m_model.fullRange && m_form->miSingleOctave->isChecked())
        fail(QStringLiteral("the menu marks both ranges"));
    QAction* const staves[] = {m_form->miTrebleNotes, m_form->miBassNotes, m_form->miAllNotes};
    for (int s = 0; s < 3; ++s)
        if (staves[s]->isChecked() != (s == m_model.staff))
            fail(QStringLiteral("the menu marks %1 wrongly").arg(staves[s]->objectName()));
}

void ModelRun::clickLetter() {
    int letter = pick(7);
    if (m_model.running && chance(40))
        letter = m_model.note().letter - 'A';
    const Qt::MouseButton mouse = chance(90) ? Qt::LeftButton : anyButton();
    log(QStringLiteral("click tbNote%1 (%2)").arg(letter).arg(ButtonName(mouse)));
    if (mouse == Qt::LeftButton)
        predictAnswer(100 + letter);
    QTest::mouseClick(m_form->tbNote[letter], mouse);
    settleAnswer();
}

void ModelRun::typeCharacter() {
    QWidget* target = keyTarget();
    Qt::Key key = Qt::Key_unknown;
    QString text;
    const int kind = pick(40);
    if (kind < 16) { // the seven answer letters, either case
        int letter = pick(7);
        if (m_model.running && chance(40))
            letter = m_model.note().letter - 'A';
        const bool upper = chance(50);
        key = Qt::Key(Qt::Key_A + letter);
        text = QChar(char((upper ? 'A' : 'a') + letter));
    } else if (kind < 20) { // other letters
        const int letter = between(7, 25);
        key = Qt::Key(Qt::Key_A + letter);
        text = QChar(char((chance(50) ? 'A' : 'a') + letter));
    } else if (kind < 22) {
        const int digit = pick(10);
        key = Qt::Key(Qt::Key_0 + digit);
        text = QChar(char('0' + digit));
    } else if (kind < 25) {
        static const char punctuation[] = "!\"#$%&'()*,./:;<=>?@[\\]^_`{|}~";
        const char c = punctuation[pick(int(sizeof(punctuation)) - 1)];
        key = Qt::Key(c);
        text = QChar(c);
    } else if (kind < 26) {
        key = Qt::Key_Space;
        text = QStringLiteral(" ");
    } else if (kind < 30) {
        key = Qt::Key_Plus;
        text = QStringLiteral("+");
    } else if (kind < 34) {
        key = Qt::Key_Minus;
        text = QStringLiteral("-");
    } else if (kind < 38) {
        static const char16_t* const others[] = {u"é", u"Ü", u"ß", u"Ω", u"ж", u"中", u"€", u"½", u"ÿ", u"À",
                                                 u"\U0001F3B5", u"\u00A0"};
        text = QString::fromUtf16(others[pick(12)]);
    } else {
        static const std::pair<Qt::Key, const char*> controls[] = {{Qt::Key_Tab, "\t"},      {Qt::Key_Return, "\r"},
                                                                   {Qt::Key_Enter, "\r"},    {Qt::Key_Escape, "\x1b"},
                                                                   {Qt::Key_Backspace, "\b"}};
        const auto& [k, t] = controls[pick(5)];
        key = k;
        text = QString::fromLatin1(t);
    }
    const QString shown = text.at(0).unicode() < 32 ? QStringLiteral("\\x%1").arg(text.at(0).unicode(), 2, 16, QLatin1Char('0')) : text;
    log(QStringLiteral("type \"%1\" on %2").arg(shown, target->objectName()));

    const QChar c = text.at(0);
    if (c == QLatin1Char('+')) {
        if (!m_model.running)
            m_model.level = std::min(12, m_model.level + 1);
    } else if (c == QLatin1Char('-')) {
        if (!m_model.running)
            m_model.level = std::max(1, m_model.level - 1);
    } else if (m_model.running) {
        const int code = (c >= QLatin1Char('a') && c <= QLatin1Char('z') ? c.unicode() - 32 : c.unicode()) - 65 + 100;
        predictAnswer(code);
    }
    // Space, Enter and Return still press the focused button after the
    // window has seen their character (never an answer): the Close button
    // closes.
    const bool pressesClose = target == m_form->cmdClose
        && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter);
    if (pressesClose) {
        closeAttempt([&] { QTest::sendKeyEvent(QTest::Click, target, key, text, Qt::NoModifier); settleAnswer(); },
                     QStringLiteral("the key"));
        return;
    }
    QTest::sendKeyEvent(QTest::Click, target, key, text, Qt::NoModifier);
    settleAnswer();
}

void ModelRun::pressF1() {
    QWidget* target = keyTarget();
    log(QStringLiteral("F1 on %1").arg(target->objectName()));
    const qsizetype calls = m_help.calls.size();
    QTest::keyClick(target, Qt::Key_F1);
    const int topic = target == m_form->sbLevel ? 10 : 1;
    if (m_help.calls.size() != calls + 1 || m_help.calls.last() != qMakePair(HelpCommand::Context, topic))
        fail(QStringLiteral("F1 on %1 did not open topic %2").arg(target->objectName()).arg(topic));
}

void ModelRun::tickEvent() {
    log(QStringLiteral("tick"));
    tick();
}

// The player waits: several ticks in a row, often to a timeout.
void ModelRun::tickBurst() {
    const int ticks = between(2, 14);
    log(QStringLiteral("%1 ticks").arg(ticks));
    for (int i = 0; i < ticks && m_model.running && m_failure.isEmpty(); ++i)
        tick();
}

QPoint ModelRun::instrumentPoint() {
    const int how = pick(10);
    if (how < 4)
        return {between(-50, 300), between(-50, 300)};
    if (how < 5)
        return {between(-5, 236), between(-5, 90)};
    if (m_model.input == Guitar) {
        int string = between(1, 6);
        int fret = pick(8);
        if (m_model.running && chance(50)) {
            // Aim at a position of the current note.
            for (int tries = 0; tries < 40; ++tries) {
                const int s = between(1, 6);
                const int f = pick(8);
                if (ModelFretSteps[std::size_t(s - 1)][std::size_t(f)] == m_model.note().step) {
                    string = s;
                    fret = f;
                    break;
                }
            }
        }
        const auto [low, high] = CellColumns[std::size_t(fret)];
        return {between(low, std::min(high, 240)), ModelStringY(string) + between(-5, 4)};
    }
    const ModelKeyboard& k = Keyboards[std::size_t(m_model.layout())];
    int key = pick(k.keyCount);
    if (m_model.running && chance(50)) {
        const ModelNote current = m_model.note();
        for (int tries = 0; tries < 40; ++tries) {
            const int candidate = pick(k.keyCount);
            const int step = k.firstStep + candidate;
            if (m_model.fullRange ? step == current.step : LetterOfStep(step) == current.letter) {
                key = candidate;
                break;
            }
        }
    }
    return {ModelKeyLeft(k, key) + pick(k.whiteWidth), chance(70) ? between(BlackKeyHeight, KeyHeight - 1) : pick(KeyHeight)};
}

void ModelRun::modelPress(int x, int y) {
    Model& m = m_model;
    if (m.tracking) {
        m.tracking = false;
        m.selection = -1;
    }
    const int step = m.input == Guitar ? ModelGuitarSearch(x, y, m.selString, m.selFret) : ModelPianoHit(m.layout(), x, y);
    if (step < 0)
        return;
    m.tracking = true;
    m.selection = step;
}

void ModelRun::modelMove(int x, int y) {
    Model& m = m_model;
    if (!m.tracking)
        return;
    int string = 0;
    int fret = 0;
    const bool guitar = m.input == Guitar;
    const int step = guitar ? ModelGuitarSearch(x, y, string, fret) : ModelPianoHit(m.layout(), x, y);
    if (step < 0)
        return;
    if (step == m.selection && (!guitar || (string == m.selString && fret == m.selFret)))
        return;
    m.selection = step;
    if (guitar) {
        m.selString = string;
        m.selFret = fret;
    }
}

std::optional<int> ModelRun::modelRelease(int x, int y) {
    Model& m = m_model;
    if (!m.tracking)
        return std::nullopt;
    m.tracking = false;
    int string = 0;
    int fret = 0;
    const bool guitar = m.input == Guitar;
    const int step = guitar ? ModelGuitarSearch(x, y, string, fret) : ModelPianoHit(m.layout(), x, y);
    m.selection = -1;
    if (step < 0)
        return std::nullopt;
    if (guitar) {
        m.selString = string;
        m.selFret = fret;
    }
    return m.fullRange ? step : 100 + (step + 4) % 7;
}

void ModelRun::pointerPress() {
    const QPoint p = instrumentPoint();
    const Qt::MouseButton button = anyButton();
    log(QStringLiteral("press (%1, %2) %3").arg(p.x()).arg(p.y()).arg(ButtonName(button)));
    modelPress(p.x(), p.y());
    m_form->pbxInstrumentMouseDown(button, anyModifiers(), p.x(), p.y());
}

void ModelRun::pointerMove() {
    const QPoint p = instrumentPoint();
    log(QStringLiteral("move (%1, %2)").arg(p.x()).arg(p.y()));
    modelMove(p.x(), p.y());
    m_form->pbxInstrumentMouseMove(anyModifiers(), p.x(), p.y());
}

void ModelRun::pointerRelease() {
    const QPoint p = instrumentPoint();
    const Qt::MouseButton button = anyButton();
    log(QStringLiteral("release (%1, %2) %3").arg(p.x()).arg(p.y()).arg(ButtonName(button)));
    const std::optional<int> code = modelRelease(p.x(), p.y());
    if (code && m_model.running) {
        ++m_totals.instrumentAnswers;
        predictAnswer(*code);
    }
    m_form->pbxInstrumentMouseUp(button, anyModifiers(), p.x(), p.y());
    settleAnswer();
}

// A press, a few moves and a release as Qt delivers them to the box that
// took the press.
void ModelRun::realDrag() {
    auto point = [this] {
        QPoint p = instrumentPoint();
        if (p.isNull()) // QTest reads a null point as the box's centre
            p.setY(1);
        return p;
    };
    const Qt::MouseButton button = anyButton();
    const Qt::KeyboardModifiers modifiers = anyModifiers();
    const QPoint from = point();
    QString line = QStringLiteral("real drag %1 from (%2, %3)").arg(ButtonName(button)).arg(from.x()).arg(from.y());
    modelPress(from.x(), from.y());
    QTest::mousePress(m_form->pbxInstrument, button, modifiers, from);
    const int moves = pick(4);
    for (int i = 0; i < moves; ++i) {
        const QPoint p = point();
        line += QStringLiteral(" over (%1, %2)").arg(p.x()).arg(p.y());
        modelMove(p.x(), p.y());
        QTest::mouseMove(m_form->pbxInstrument, p);
    }
    const QPoint to = point();
    line += QStringLiteral(" to (%1, %2)").arg(to.x()).arg(to.y());
    log(line);
    const std::optional<int> code = modelRelease(to.x(), to.y());
    if (code && m_model.running) {
        ++m_totals.instrumentAnswers;
        predictAnswer(*code);
    }
    QTest::mouseRelease(m_form->pbxInstrument, button, modifiers, to);
    settleAnswer();
}

void ModelRun::levelEvent() {
    QScrollBar* bar = m_form->sbLevel;
    const bool enabled = !m_model.running;
    const int how = pick(4);
    if (how < 2) {
        // A click on one of the scroll bar's arrows.
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.state |= QStyle::State_Horizontal;
        option.subControls = QStyle::SC_All;
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        const bool add = how == 1;
        const QRect arrow = bar->style()->subControlRect(
            QStyle::CC_ScrollBar, &option, add ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine, bar);
        log(QStringLiteral("click the level's %1 arrow").arg(add ? QStringLiteral("right") : QStringLiteral("left")));
        if (arrow.isEmpty())
            return;
        if (enabled)
            m_model.level = std::clamp(m_model.level + (add ? 1 : -1), 1, 12);
        QTest::mouseClick(bar, Qt::LeftButton, {}, arrow.center());
    } else if (how == 2) {
        if (!enabled)
            return; // a disabled scroll bar cannot be dragged
        const int value = between(1, 12);
        log(QStringLiteral("drag the level to %1").arg(value));
        m_model.level = value;
        bar->setValue(value);
    } else {
        // Keys on the focused control; the scroll bar steps by one level,
        // runs to its ends with Home and End, and has no page size.
        struct LevelKey {
            Qt::Key key;
            const char* name;
            int delta;      // -100: to the first level, 100: to the last
        };
        static const LevelKey keys[] = {{Qt::Key_Left, "Left", -1},   {Qt::Key_Right, "Right", 1},
                                        {Qt::Key_Up, "Up", -1},       {Qt::Key_Down, "Down", 1},
                                        {Qt::Key_PageUp, "PageUp", 0}, {Qt::Key_PageDown, "PageDown", 0},
                                        {Qt::Key_Home, "Home", -100}, {Qt::Key_End, "End", 100}};
        const LevelKey& key = keys[pick(int(std::size(keys)))];
        QWidget* target = keyTarget();
        log(QStringLiteral("key %1 on %2").arg(QLatin1String(key.name), target->objectName()));
        if (target == bar && enabled)
            m_model.level = std::clamp(m_model.level + key.delta, 1, 12);
        QTest::keyClick(target, key.key);
    }
}

void ModelRun::closeWindow() {
    switch (pick(3)) {
    case 0: closeAttempt([this] { m_form->close(); }, QStringLiteral("the window's frame")); break;
    case 1:
        closeAttempt([this] { QTest::mouseClick(m_form->cmdClose, Qt::LeftButton); }, QStringLiteral("the Close button"));
        break;
    default: {
        // Another button on Close does nothing.
        const Qt::MouseButton button = chance(50) ? Qt::RightButton : Qt::MiddleButton;
        log(QStringLiteral("click cmdClose (%1)").arg(ButtonName(button)));
        QTest::mouseClick(m_form->cmdClose, button);
        if (!m_form->isVisible())
            fail(QStringLiteral("the window closed on a %1 click").arg(ButtonName(button)));
        break;
    }
    }
}

void ModelRun::hintEvent() {
    static const std::pair<const char*, const char*> hints[] = {
        {"tbNote0", "Use these buttons or the keyboard to select notes"},
        {"tbNote4", "Use these buttons or the keyboard to select notes"},
        {"tbNote6", "Use these buttons or the keyboard to select notes"},
        {"tb_02", "Use these buttons or the keyboard to select notes"},
        {"tbarNotes", "Use these buttons or the keyboard to select notes"},
        {"tbNoteButtons", "Use the Note Button control"},
        {"tbPianoKeys", "Use the Piano control"},
        {"tbGuitar", "Use the Guitar control"},
        {"tbTrebleNotes", "Use notes in the treble staff only"},
        {"tbBassNotes", "Use notes in the bass staff only"},
        {"tbAllNotes", "Use notes from both staves"},
        {"tbSingleOctave", "(Piano) Show one octave only"},
        {"tbFullRange", "(Piano) Show the full range of notes"},
        {"tbBeginQuiz", "Begin a quiz"},
        {"tbEndQuiz", "End the current quiz now"},
        {"tb_07", ""},
        {"tbarOptions", ""},
        {"pbxStaff", "The notes in the quiz are displayed in this area"},
        {"cmdClose", "Exit Quavelet"},
        {"pnlCount", "Seconds remaining to identify the current note"},
        {"lblCount", "Seconds remaining to identify the current note"},
        {"Image1", "Seconds remaining to identify the current note"},
        {"pnlInstrument", ""},
        {"pbxInstrument", "Use these controls or the keyboard to select notes"},
        {"tbarStatus", ""},
        {"ToolButton1", ""},
        {"pnlLevel", "Choose a level, then start the quiz"},
        {"lblLevel", "Choose a level, then start the quiz"},
        {"sbLevel", "Choose a level, then start the quiz"},
        {"pnlScoreboard", "Your score is shown here during and after a quiz"},
        {"Label1", "Your score is shown here during and after a quiz"},
        {"pnlScore", "Your score is shown here during and after a quiz"},
        {"pnlMaxScore", "Your score is shown here during and after a quiz"},
        {"sbHints", "Describes the control under the mouse pointer"},
    };
    const auto& [name, hint] = hints[pick(int(std::size(hints)))];
    auto* control = m_form->findChild<QWidget*>(QString::fromLatin1(name));
    log(QStringLiteral("point at %1").arg(QLatin1String(name)));
    if (!control) {
        fail(QStringLiteral("no control named %1").arg(QLatin1String(name)));
        return;
    }
    if (!control->isVisible())
        return;
    m_form->sbHints->showMessage(QStringLiteral("stale"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(control, &enter);
    if (m_form->sbHints->currentMessage() != QString::fromUtf8(hint))
        fail(QStringLiteral("pointing at %1 shows \"%2\"").arg(QLatin1String(name), m_form->sbHints->currentMessage()));
}

// Lets queued work (repaints, activation) run; real countdown ticks that
// come with it are left out.
void ModelRun::processEvents() {
    log(QStringLiteral("process queued events"));
    QCoreApplication::processEvents();
}

void ModelRun::reopen() {
    if (chance(50)) {
        log(QStringLiteral("show the window again"));
        reshowWindow();
    } else {
        log(QStringLiteral("open a new window"));
        openNewWindow();
    }
}

void ModelRun::step() {
    ++m_event;
    if (!m_model.windowOpen) {
        reopen();
        return;
    }
    const bool timer = m_model.running;
    const bool panel = m_model.panelShown();
    const bool letters = !panel;
    struct Choice {
        int weight;
        void (ModelRun::*event)();
    };
    const Choice choices[] = {
        {12, &ModelRun::clickToolbar},
        {10, &ModelRun::triggerMenuEntry},
        {2, &ModelRun::openOptionsMenu},
        {letters ? (timer ? 28 : 4) : 0, &ModelRun::clickLetter},
        {timer ? 24 : 10, &ModelRun::typeCharacter},
        {1, &ModelRun::pressF1},
        {timer ? 24 : 0, &ModelRun::tickEvent},
        {timer ? 3 : 0, &ModelRun::tickBurst},
        {panel ? (timer ? 16 : 8) : 0, &ModelRun::pointerPress},
        {panel ? 8 : 0, &ModelRun::pointerMove},
        {panel ? (m_model.tracking ? 24 : 4) : 0, &ModelRun::pointerRelease},
        {panel ? (timer ? 8 : 3) : 0, &ModelRun::realDrag},
        {timer ? 1 : 6, &ModelRun::levelEvent},
        {1, &ModelRun::closeWindow},
        {2, &ModelRun::hintEvent},
        {1, &ModelRun::processEvents},
    };
    int total = 0;
    for (const Choice& c : choices)
        total += c.weight;
    int roll = pick(total);
    for (const Choice& c : choices) {
        if (roll < c.weight) {
            (this->*c.event)();
            return;
        }
        roll -= c.weight;
    }
}

QString ModelRun::play(int events) {
    openNewWindow();
    checkAll();
    for (int i = 0; i < events && m_failure.isEmpty(); ++i) {
        step();
        if (m_failure.isEmpty())
            checkAll();
        ++m_totals.events;
    }
    return m_failure.isEmpty() ? QString() : report();
}

// ---------------------------------------------------------------------------
// Checks

#define MODEL_CHECK(condition, ...)            \
    do {                                       \
        if (!(condition)) {                    \
            fail(__VA_ARGS__);                 \
            return;                            \
        }                                      \
    } while (false)

void ModelRun::checkAll() {
    if (!m_failure.isEmpty())
        return;
    if (m_boxDepth != 0)
        fail(QStringLiteral("a box is still open after the event"));
    if (!m_model.windowOpen) {
        MODEL_CHECK(!m_form->isVisible(), QStringLiteral("the closed window is visible"));
        return;
    }
    MODEL_CHECK(m_form->isVisible(), QStringLiteral("the window is not visible"));
    checkCommands();
    checkQuiz();
    checkPointer();
    checkLayout();
    checkPictures();
}

void ModelRun::checkCommands() {
    const Model& m = m_model;
    TFormQuavelet* f = m_form;
    MODEL_CHECK(int(f->FInputType) == m.input,
                QStringLiteral("input type %1, expected %2").arg(int(f->FInputType)).arg(QLatin1String(InputNames[m.input])));
    MODEL_CHECK(int(f->FStaffChoice) == m.staff,
                QStringLiteral("staff choice %1, expected %2").arg(int(f->FStaffChoice)).arg(QLatin1String(StaffNames[m.staff])));
    MODEL_CHECK(f->FFullRange == m.fullRange, QStringLiteral("full range %1, expected %2").arg(f->FFullRange).arg(m.fullRange));
    MODEL_CHECK(int(f->FLayout) == m.layout(), QStringLiteral("keyboard layout %1, expected %2").arg(int(f->FLayout)).arg(m.layout()));

    // Exactly one input type and one staff choice checked, the one whose Tag
    // is the option's value.
    int checkedInputs = 0;
    for (int i = 0; i < 3; ++i)
        if (commandAction(i)->isChecked()) {
            ++checkedInputs;
            MODEL_CHECK(commandAction(i)->data().toInt() == int(f->FInputType),
                        QStringLiteral("%1 is checked with input type %2").arg(commandAction(i)->objectName()).arg(int(f->FInputType)));
        }
    MODEL_CHECK(checkedInputs == 1, QStringLiteral("%1 input types checked").arg(checkedInputs));
    int checkedStaves = 0;
    for (int i = 3; i < 6; ++i)
        if (commandAction(i)->isChecked()) {
            ++checkedStaves;
            MODEL_CHECK(commandAction(i)->data().toInt() == int(f->FStaffChoice),
                        QStringLiteral("%1 is checked with staff choice %2").arg(commandAction(i)->objectName()).arg(int(f->FStaffChoice)));
        }
    MODEL_CHECK(checkedStaves == 1, QStringLiteral("%1 staff choices checked").arg(checkedStaves));

    // The range marks follow the panel and the range.
    const bool shown = !f->pnlInstrument->isHidden();
    MODEL_CHECK(shown == m.panelShown(), QStringLiteral("the instrument panel shown: %1").arg(shown));
    MODEL_CHECK(f->actSingleOctave->isChecked() == (shown && !f->FFullRange), QStringLiteral("single octave mark wrong"));
    MODEL_CHECK(f->actFullRange->isChecked() == (shown && f->FFullRange), QStringLiteral("full range mark wrong"));
    MODEL_CHECK(f->actSingleOctave->isEnabled() == m.rangeEnabled() && f->actFullRange->isEnabled() == m.rangeEnabled(),
                QStringLiteral("range commands enabled wrongly"));

    // Enabled states of the quiz state.
    for (int i = 0; i < 3; ++i)
        MODEL_CHECK(commandAction(i)->isEnabled() == m.inputEnabled(i),
                    QStringLiteral("%1 enabled: %2").arg(commandAction(i)->objectName()).arg(commandAction(i)->isEnabled()));
    for (int i = 3; i < 6; ++i)
        MODEL_CHECK(commandAction(i)->isEnabled() == m.staffEnabled(),
                    QStringLiteral("%1 enabled: %2").arg(commandAction(i)->objectName()).arg(commandAction(i)->isEnabled()));
    MODEL_CHECK(f->sbLevel->isEnabled() == !m.running, QStringLiteral("the level scroll bar enabled: %1").arg(f->sbLevel->isEnabled()));
    MODEL_CHECK(f->actBeginQuiz->isChecked() == m.running && f->actEndQuiz->isChecked() == !m.running,
                QStringLiteral("Begin/End checked wrongly"));
    MODEL_CHECK(f->actBeginQuiz->isEnabled() && f->actEndQuiz->isEnabled(), QStringLiteral("a quiz command is disabled"));

    // The toolbar buttons and menu entries show their commands.
    const QList<QAction*> entries = {f->miNoteButtons, f->miPianoKeys,    f->miGuitar,      f->miTrebleNotes,
                                     f->miBassNotes,   f->miAllNotes,     f->miSingleOctave, f->miFullRange,
                                     f->miBeginQuiz,   f->miEndQuiz};
    for (int i = 0; i < 10; ++i) {
        QAction* action = commandAction(i);
        QToolButton* button = commandButton(i);
        MODEL_CHECK(button->isChecked() == action->isChecked() && button->isEnabled() == action->isEnabled(),
                    QStringLiteral("%1 does not show its command").arg(button->objectName()));
        MODEL_CHECK(entries[i]->isEnabled() == action->isEnabled(),
                    QStringLiteral("%1 does not show its command's enabled state").arg(entries[i]->objectName()));
    }
}

void ModelRun::checkQuiz() {
    const Model& m = m_model;
    const QuizState& q = m_form->Quiz;
    MODEL_CHECK(q.QuizRunning == m.running, QStringLiteral("quiz running: %1").arg(q.QuizRunning));
    MODEL_CHECK(m_form->tmrCount->isEnabled() == m.running,
                QStringLiteral("the countdown runs: %1").arg(m_form->tmrCount->isEnabled()));
    MODEL_CHECK(q.NotesLeft >= 0 && q.NotesLeft <= QuizLength, QStringLiteral("NotesLeft %1").arg(q.NotesLeft));
    MODEL_CHECK(q.NotesLeft == m.notesLeft, QStringLiteral("NotesLeft %1, expected %2").arg(q.NotesLeft).arg(m.notesLeft));
    MODEL_CHECK(q.Score >= 0 && q.Score <= BestScore, QStringLiteral("score %1").arg(q.Score));
    MODEL_CHECK(q.Score == m.score, QStringLiteral("score %1, expected %2").arg(q.Score).arg(m.score));
    MODEL_CHECK(m_form->pnlScore->text() == QString::number(m.score), QStringLiteral("the score board shows %1").arg(m_form->pnlScore->text()));
    MODEL_CHECK(q.Level == m.level, QStringLiteral("level %1, expected %2").arg(q.Level).arg(m.level));
    MODEL_CHECK(m_form->sbLevel->value() == m.level, QStringLiteral("the scroll bar stands at %1").arg(m_form->sbLevel->value()));
    MODEL_CHECK(m_form->lblLevel->text() == QStringLiteral("Level %1").arg(m.level),
                QStringLiteral("the level label reads %1").arg(m_form->lblLevel->text()));
    if (m.running) {
        MODEL_CHECK(q.PoolSize == m.pool, QStringLiteral("pool %1, expected %2").arg(q.PoolSize).arg(m.pool));
        MODEL_CHECK(q.NoteIndex == m.noteIndex, QStringLiteral("note %1, expected %2").arg(q.NoteIndex).arg(m.noteIndex));
        MODEL_CHECK(q.SecondsLeft == m.secondsLeft(), QStringLiteral("%1 seconds left, expected %2").arg(q.SecondsLeft).arg(m.secondsLeft()));
        MODEL_CHECK(m_form->lblCount->text() == QString::number(m.secondsLeft()),
                    QStringLiteral("the countdown shows \"%1\"").arg(m_form->lblCount->text()));
        const TNoteEntry& entry = m_form->NoteTable[std::size_t(q.NoteIndex)];
        const ModelNote expected = m.note();
        MODEL_CHECK(entry.Letter == expected.letter && entry.Step == expected.step && entry.Top == expected.top
                        && entry.Glyph == expected.glyph,
                    QStringLiteral("note table entry %1 is %2 %3").arg(q.NoteIndex).arg(QChar(entry.Letter)).arg(entry.Step));
    } else {
        MODEL_CHECK(m_form->lblCount->text().isEmpty(), QStringLiteral("the countdown shows \"%1\" with no quiz").arg(m_form->lblCount->text()));
    }
}

void ModelRun::checkPointer() {
    const Model& m = m_model;
    TFormQuavelet* f = m_form;
    MODEL_CHECK(f->FTracking || f->FSelection == -1, QStringLiteral("selection %1 with no press in progress").arg(f->FSelection));
    MODEL_CHECK(f->FTracking == m.tracking, QStringLiteral("tracking %1, expected %2").arg(f->FTracking).arg(m.tracking));
    MODEL_CHECK(f->FSelection == m.selection, QStringLiteral("selection %1, expected %2").arg(f->FSelection).arg(m.selection));
    if (m.input == Guitar) {
        MODEL_CHECK(f->FSelString == m.selString && f->FSelFret == m.selFret,
                    QStringLiteral("guitar position string %1 fret %2, expected string %3 fret %4")
                        .arg(f->FSelString).arg(f->FSelFret).arg(m.selString).arg(m.selFret));
        if (m.selection >= 0) {
            // The marker shows a position that sounds the selected Step.
            const bool onBoard = m.selString >= 1 && m.selString <= 6 && m.selFret >= 0 && m.selFret <= 7;
            MODEL_CHECK(onBoard && ModelFretSteps[std::size_t(m.selString - 1)][std::size_t(m.selFret)] == m.selection,
                        QStringLiteral("guitar selection %1 sits at string %2 fret %3").arg(m.selection).arg(m.selString).arg(m.selFret));
        }
    }
}

void ModelRun::checkLayout() {
    TFormQuavelet* f = m_form;
    const Geometry& g = Geometries[std::size_t(m_model.input)];
    MODEL_CHECK(f->client->height() == g.clientHeight, QStringLiteral("client height %1").arg(f->client->height()));
    MODEL_CHECK(f->client->width() == 256, QStringLiteral("client width %1").arg(f->client->width()));
    MODEL_CHECK(f->height() == f->menuBar()->height() + g.clientHeight,
                QStringLiteral("window height %1 with menu bar %2").arg(f->height()).arg(f->menuBar()->height()));
    MODEL_CHECK(f->tbarStatus->geometry() == QRect(0, g.statusTop, 257, 34), QStringLiteral("tbarStatus at %1").arg(f->tbarStatus->y()));
    MODEL_CHECK(f->cmdClose->geometry() == QRect(200, g.closeTop, 51, 25), QStringLiteral("cmdClose at %1").arg(f->cmdClose->y()));
    MODEL_CHECK(f->pnlInstrument->geometry() == QRect(12, g.panelTop, 234, 89), QStringLiteral("pnlInstrument at %1").arg(f->pnlInstrument->y()));
    MODEL_CHECK(f->tbarNotes->isHidden() == (m_model.input != Letters), QStringLiteral("tbarNotes shown wrongly"));
    MODEL_CHECK(f->tbarNotes->pos() == QPoint(11, 199), QStringLiteral("tbarNotes moved"));
    MODEL_CHECK(f->sbHints->geometry() == QRect(0, g.clientHeight - 19, 256, 19), QStringLiteral("sbHints at %1").arg(f->sbHints->y()));
    MODEL_CHECK(f->pbxStaff->geometry() == QRect(8, 37, 201, 153), QStringLiteral("pbxStaff moved"));
}

QImage ModelRun::expectedStaff() const {
    const Model& m = m_model;
    QImage picture = m_refs.staff[m.input == Guitar ? 1 : 0][m.staff].copy();
    if (m.running) {
        const ModelNote current = m.note();
        Canvas canvas(picture);
        DrawNoteGlyphOn(canvas, m_refs.notes, current.glyph, m.noteLeft(), current.top, ButtonFace());
    }
    return picture;
}

// The plain instrument with the marker drawn as the design describes it.
QImage ModelRun::expectedInstrument() {
    const Model& m = m_model;
    if (m.input == Piano) {
        QImage picture = m_refs.piano[m.layout()].copy();
        const ModelKeyboard& k = Keyboards[std::size_t(m.layout())];
        const int key = m.selection - k.firstStep;
        if (m.selection >= 0 && key >= 0 && key < k.keyCount) {
            const int left = ModelKeyLeft(k, key) + k.markerOffset;
            const int top = KeyHeight - k.markerSize - 4;
            const QRgb keyColour = picture.pixel(left, top - 1);
            const int ring = (k.markerSize - k.innerSize) / 2;
            for (int y = 0; y < k.markerSize; ++y)
                for (int x = 0; x < k.markerSize; ++x) {
                    const bool inner = x >= ring && x < ring + k.innerSize && y >= ring && y < ring + k.innerSize;
                    picture.setPixel(left + x, top + y, inner ? keyColour : qRgb(255, 0, 0));
                }
        }
        return picture;
    }
    QImage picture = m_refs.guitar.copy();
    if (m.selection >= 0 && m.selString >= 1 && m.selString <= 6 && m.selFret >= 0 && m.selFret <= 7) {
        const int left = MarkerColumns[std::size_t(m.selFret)];
        const int top = ModelStringY(m.selString) - 3;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                const bool centre = x >= 2 && x < 5 && y >= 2 && y < 5;
                // The string runs across the marker's middle row.
                const QRgb colour = y == 3 ? qRgb(224, 224, 224) : centre ? qRgb(255, 0, 0) : qRgb(255, 255, 0);
                picture.setPixel(left + x, top + y, colour);
            }
    }
    return picture;
}

void ModelRun::checkPictures() {
    const QImage staff = expectedStaff();
    if (!SamePicture(m_form->pbxStaff->image(), staff)) {
        fail(QStringLiteral("the staff shows the wrong picture (%1, %2, %3): %4")
                 .arg(QLatin1String(InputNames[m_model.input]), QLatin1String(StaffNames[m_model.staff]),
                      m_model.running ? QStringLiteral("note %1 at x %2").arg(m_model.noteIndex).arg(m_model.noteLeft())
                                      : QStringLiteral("no note"),
                      FirstDifference(m_form->pbxStaff->image(), staff)));
        return;
    }
    if (m_model.input == Letters)
        return;
    const QImage instrument = expectedInstrument();
    if (!SamePicture(m_form->pbxInstrument->image(), instrument))
        fail(QStringLiteral("the instrument shows the wrong picture (%1, layout %2, selection %3 at string %4 fret %5): %6")
                 .arg(QLatin1String(InputNames[m_model.input])).arg(m_model.layout()).arg(m_model.selection)
                 .arg(m_model.selString).arg(m_model.selFret)
                 .arg(FirstDifference(m_form->pbxInstrument->image(), instrument)));
}

#undef MODEL_CHECK

struct RunPlan {
    QList<quint64> seeds;
    int eventsPerSeed = 0;
};

// The short round runs in every test run; the soak round is the long one.
// A seed's events do not depend on how many follow, so a failure found in
// either round replays alone with the soak round's length.
constexpr int ShortSeeds = 40;
constexpr int ShortEvents = 500;
constexpr int SoakFirstSeed = 1000;
constexpr int SoakSeeds = 200;
constexpr int SoakEvents = 1000;

RunPlan PlanFromEnvironment() {
    RunPlan plan;
    const bool soak = qEnvironmentVariableIntValue("QUAVELET_SOAK") != 0;
    bool ok = false;
    const quint64 replay = qEnvironmentVariable("QUAVELET_MODEL_SEED").toULongLong(&ok);
    if (ok) {
        plan.seeds = {replay};
        plan.eventsPerSeed = SoakEvents;
    } else if (soak) {
        for (int i = 0; i < SoakSeeds; ++i)
            plan.seeds << quint64(SoakFirstSeed + i);
        plan.eventsPerSeed = SoakEvents;
    } else {
        for (int i = 1; i <= ShortSeeds; ++i)
            plan.seeds << quint64(i);
        plan.eventsPerSeed = ShortEvents;
    }
    const int events = qEnvironmentVariableIntValue("QUAVELET_MODEL_EVENTS", &ok);
    if (ok && events > 0)
        plan.eventsPerSeed = events;
    return plan;
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void referencePicturesAreTheDesigned();
    void randomEventsKeepEveryInvariant();

private:
    References m_refs;
};

void TestModel::initTestCase() {
    previousHandler = qInstallMessageHandler(QuietHandler);
    const QColor face = ButtonFace();
    const ImageList clefs = LoadClefs();
    for (int guitar = 0; guitar < 2; ++guitar)
        for (int staff = 0; staff < 3; ++staff) {
            QImage& picture = m_refs.staff[guitar][staff];
            picture = QImage(201, 153, QImage::Format_RGB32);
            picture.fill(face);
            Canvas canvas(picture);
            DrawStaffOn(canvas, guitar != 0, face);
            DrawClefsOn(canvas, clefs, TStaffChoice(staff), guitar != 0, face);
        }
    for (int layout = 0; layout < 4; ++layout) {
        QImage& picture = m_refs.piano[layout];
        picture = QImage(BoxWidth, 87, QImage::Format_RGB32);
        picture.fill(Qt::magenta);
        Canvas canvas(picture);
        DrawPiano(canvas, KeyboardLayouts[std::size_t(layout)], layout != 0);
    }
    m_refs.guitar = QImage(BoxWidth, 87, QImage::Format_RGB32);
    m_refs.guitar.fill(Qt::magenta);
    Canvas canvas(m_refs.guitar);
    DrawFingerboard(canvas, -1, 0, 0);
}

void TestModel::cleanupTestCase() { qInstallMessageHandler(previousHandler); }

// The pictures the run compares with, checked where the design gives plain
// numbers: right of the clefs the staff is lines and background only, and
// the keys answer where the model's key tables say.
void TestModel::referencePicturesAreTheDesigned() {
    const QRgb face = ButtonFace().rgb() & 0xffffff;
    for (int guitar = 0; guitar < 2; ++guitar)
        for (int staff = 0; staff < 3; ++staff) {
            const QImage& picture = m_refs.staff[guitar][staff];
            const int bottom = guitar ? 62 : 137;
            for (int y = 0; y < 153; ++y) {
                const bool treble = y >= 22 && y <= 62 && (y - 22) % 10 == 0;
                const bool bass = !guitar && y >= 97 && y <= 137 && (y - 97) % 10 == 0;
                for (int x = 36; x < 201; ++x) {
                    const bool black = x == 200 ? (y >= 22 && y <= bottom) : (treble || bass);
                    QCOMPARE(picture.pixel(x, y) & 0xffffff, black ? 0u : face);
                }
            }
        }
    for (int layout = 0; layout < 4; ++layout)
        for (int y = -2; y < 90; ++y)
            for (int x = -2; x < 240; ++x)
                QCOMPARE(ModelPianoHit(layout, x, y), PianoHitTest(KeyboardLayouts[std::size_t(layout)], BoxWidth, x, y));
    for (int y = -2; y < 90; ++y)
        for (int x = -2; x < 240; ++x) {
            int modelString = 7, modelFret = 9, string = 7, fret = 9;
            QCOMPARE(ModelGuitarSearch(x, y, modelString, modelFret), GuitarHitTest(x, y, string, fret));
            QCOMPARE(modelString, string);
            QCOMPARE(modelFret, fret);
        }
}

void TestModel::randomEventsKeepEveryInvariant() {
    const RunPlan plan = PlanFromEnvironment();
    const bool splash = ShowSplash;
    const auto restoreSplash = qScopeGuard([splash] { ShowSplash = splash; });
    Totals totals;
    QElapsedTimer clock;
    clock.start();
    for (const quint64 seed : plan.seeds) {
        ModelRun run(seed, m_refs, totals);
        const QString failure = run.play(plan.eventsPerSeed);
        if (!failure.isEmpty()) {
            // Qt Test shortens long failure messages; the event log goes out
            // whole first.
            qInfo().noquote() << failure;
            QVERIFY2(false, qPrintable(failure.section(QLatin1Char('\n'), 0, 0)));
        }
    }
    qInfo("%d seeds, %ld events in %lld ms: %ld quizzes begun, %ld completed; %ld right answers, %ld wrong "
          "(%ld on the instruments), %ld timeouts; %ld close questions, %ld windows closed, %ld windows opened, "
          "%ld About dialogs; %ld real timer ticks left out",
          int(plan.seeds.size()), totals.events, clock.elapsed(), totals.quizzesBegun, totals.quizzesCompleted,
          totals.answersRight, totals.answersWrong, totals.instrumentAnswers, totals.timeouts, totals.closeQuestions,
          totals.windowsClosed, totals.newWindows, totals.aboutShown, totals.realTicksIgnored);
    // A run that never finishes a quiz or never times a note out checks
    // little of the quiz.
    QVERIFY(totals.quizzesCompleted > 0);
    QVERIFY(totals.timeouts > 0);
    QVERIFY(totals.aboutShown > 0);
}

QTEST_MAIN(TestModel)
#include "tst_model.moc"
