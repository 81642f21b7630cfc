#pragma once

#include "platform/CountdownTimer.h"
#include "platform/ImageList.h"
#include "platform/PaintBox.h"
#include "quiz/NoteTable.h"
#include "quiz/QuizRules.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QCloseEvent;
class QKeyEvent;
class QShowEvent;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QToolButton;
class QWidget;
class SettingsStore;

// The main window. Its controls keep the names of the design; the handlers
// named after a control and an event are public so that the start-up sequence
// and the tests can drive them as the toolkit would.
class TFormQuavelet : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormQuavelet(QWidget* parent = nullptr);
    ~TFormQuavelet() override;

    // --- Window and commands -------------------------------------------
    void FormCreate();
    void FormShow();
    void cmdCloseClick();
    void miHelpClick(QAction* sender);
    void miAboutClick();
    // The application's message hook: sees every posted event before it is
    // dispatched; brings the window forward on the activation message.
    bool AppMessage(QObject* receiver, QEvent* msg);
    // The topic F1 opens for a widget: its own number or the nearest
    // enclosing one's, the window's 1 ending the chain.
    int HelpTopicFor(const QObject* control) const;
    void ShowHint(const QString& hint);

    // --- Note table ------------------------------------------------------
    void BuildNoteTable();

    // --- Quiz engine -----------------------------------------------------
    void BeginQuiz();
    void NextNote();
    void ChooseNote();
    void CheckAnswer(int answerCode);
    void EndQuiz();
    void actBeginClick();
    void actEndClick();
    void tmrCountTimer();
    // Returns false when the window must stay open.
    bool FormClose();

    // --- Letter entry and level -----------------------------------------
    void tbNoteClick(QToolButton* sender);
    // Key is in-out: set to the null character to consume it.
    void FormKeyPress(QChar& key);
    void SetLevel(int value);
    void sbLevelChange();
    QToolButton* FindNoteButton(int n) const;

    // --- Staff renderer --------------------------------------------------
    void pbxStaffPaint();
    void DrawStaff();
    void DrawStaffLines(int left, int width);
    void DrawNote();
    void EraseNote();
    int NoteLeft() const;

    // --- Instruments -----------------------------------------------------
    void SelectKeyboardLayout();
    int KeyLeft(int n) const;
    void pbxInstrumentPaint();
    int PianoHitTest(int x, int y) const;
    void ShowSelection(bool show);
    void DrawFretColumn(int column, bool withMarker);
    int GuitarHitTest(int x, int y, int& string, int& fret) const;
    void pbxInstrumentMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void pbxInstrumentMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void pbxInstrumentMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    // --- Input type and options -----------------------------------------
    void SetInputType(TInputType newType);
    void SetStaffChoice(TStaffChoice value);
    void SetFullRange(bool value);
    void actInputTypeClick(QAction* sender);
    void actStaffClick(QAction* sender);
    void actKeyboardRangeClick(QAction* sender);
    void mnuOptionsClick();

    // --- State -------------------------------------------------------------
    TNoteTable NoteTable{};
    QuizState Quiz;

    // Option fields, in the order of the design.
    TStaffChoice FStaffChoice = TStaffChoice::scTreble;
    std::uint8_t FLayout = 0;
    bool FFullRange = false;
    bool FTracking = false;
    TInputType FInputType = TInputType::itNoteButtons;
    // Selection on the instrument.
    int FSelString = 0;
    int FSelFret = 0;
    int FSelection = 0;

    // --- Controls, as designed -------------------------------------------
    QWidget* client = nullptr; // the client area below the menu bar
    PaintBox* pbxStaff = nullptr;
    QPushButton* cmdClose = nullptr;
    QWidget* tbarNotes = nullptr;
    QToolButton* tbNote[7] = {};
    QFrame* pnlCount = nullptr;
    QLabel* lblCount = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* pnlInstrument = nullptr;
    PaintBox* pbxInstrument = nullptr;
    QWidget* tbarOptions = nullptr;
    QToolButton* tbNoteButtons = nullptr;
    QToolButton* tbPianoKeys = nullptr;
    QToolButton* tbGuitar = nullptr;
    QToolButton* tbTrebleNotes = nullptr;
    QToolButton* tbBassNotes = nullptr;
    QToolButton* tbAllNotes = nullptr;
    QToolButton* tbSingleOctave = nullptr;
    QToolButton* tbFullRange = nullptr;
    QToolButton* tbBeginQuiz = nullptr;
    QToolButton* tbEndQuiz = nullptr;
    QWidget* tbarStatus = nullptr;
    QFrame* pnlLevel = nullptr;
    QLabel* lblLevel = nullptr;
    QScrollBar* sbLevel = nullptr;
    QFrame* pnlScoreboard = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* pnlScore = nullptr;
    QLabel* pnlMaxScore = nullptr;
    QStatusBar* sbHints = nullptr;

    // The ten commands shared by the menu and the options toolbar.
    QAction* actNoteButtons = nullptr;
    QAction* actPianoKeys = nullptr;
    QAction* actTrebleNotes = nullptr;
    QAction* actBassNotes = nullptr;
    QAction* actAllNotes = nullptr;
    QAction* actSingleOctave = nullptr;
    QAction* actFullRange = nullptr;
    QAction* actBeginQuiz = nullptr;
    QAction* actEndQuiz = nullptr;
    QAction* actGuitar = nullptr;

    // The main menu; each entry is its own action linked one way to its
    // command, so that it can carry a mark of its own.
    QMenu* mnuGame = nullptr;
    QMenu* mnuOptions = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* miBeginQuiz = nullptr;
    QAction* miEndQuiz = nullptr;
    QAction* miNoteButtons = nullptr;
    QAction* miPianoKeys = nullptr;
    QAction* miGuitar = nullptr;
    QAction* miTrebleNotes = nullptr;
    QAction* miBassNotes = nullptr;
    QAction* miAllNotes = nullptr;
    QAction* miSingleOctave = nullptr;
    QAction* miFullRange = nullptr;
    QAction* miHelpContents = nullptr;
    QAction* miHelpKeyboard = nullptr;
    QAction* miUsingHelp = nullptr;
    QAction* miAbout = nullptr;

    CountdownTimer* tmrCount = nullptr;

    ImageList ilClefs;
    ImageList ilNotes;
    ImageList ilLettersEnabled;
    ImageList ilLettersDisabled;
    ImageList ilTBEnabled;
    ImageList ilTBDisabled;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateActions();
    void CreateMenu();
    void ConnectHandlers();
    void ConnectCommand(QAction* command, std::function<void(QAction*)> handler);
    // Typed characters reach FormKeyPress before the focused control.
    bool PreviewKeyPress(QObject* receiver, QKeyEvent* event);
    bool OwnsObject(const QObject* object) const;
    bool InThisWindow(const QObject* object) const;

    struct MenuLink {
        QAction* entry;
        QAction* command;
    };
    std::vector<MenuLink> m_menuLinks;
    bool m_shownBefore = false;
};

// The one main window, created by the start-up sequence.
extern TFormQuavelet* FormQuavelet;

// --- Module start and end steps of the main window's module ---------------
// The per-user settings store, from the module start to its end.
extern SettingsStore* Registry;
// The event type of the activation message "Check for Quavelet instance",
// registered by the start-up sequence; posted to the application object
// when a second copy asks this one to come forward.
extern int ActivateMsg;
// Whether the About dialog opens at start-up ("SplashScreen").
extern bool ShowSplash;

// Sets InstallDir from the settings, ending in "/"; throws StartupError with
// the message for the player when the folder cannot be found.
void LocateInstallDir();
// ShowSplash from "SplashScreen", true unless a stored integer says 0.
void LoadSettings();
// Writes ShowSplash as "SplashScreen"; never fails.
void SaveSettings();
// The module's start steps, ending with the help engine pointed at the help
// file in the installation folder; catches its own errors, shows them in a
// plain message box and records them in StartupFailed.
void MainModuleStart();
// The module's end steps: SaveSettings, then the settings store is freed.
// Runs at every end of the program.
void MainModuleEnd();
