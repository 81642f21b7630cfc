#include "Main.h"

#include "platform/SystemColors.h"
#include "staff/Artwork.h"
#include "window/MenuStyle.h"
#include "window/WindowParts.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr int ClientWidth = 256;
constexpr int ClientHeight = 323;
constexpr int HintBarHeight = 19;

// The design's font is a narrow bitmap face; where it is missing, a metric
// Arial equivalent one pixel smaller keeps every text inside its designed
// bounds.
QFont WindowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QLabel* NewLabel(QWidget* parent, const QRect& bounds, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(bounds);
    return label;
}

// A lowered panel whose caption is the score: white bold text on grey.
QLabel* NewScorePanel(QWidget* parent, const QRect& bounds, const QString& caption) {
    auto* panel = new QLabel(caption, parent);
    panel->setGeometry(bounds);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, QColor(128, 128, 128));
    colours.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(colours);
    QFont font = WindowFont();
    font.setBold(true);
    panel->setFont(font);
    return panel;
}

} // namespace

TFormQuavelet::TFormQuavelet(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      ilClefs(LoadClefs()), ilNotes(LoadNotes()), ilLettersEnabled(LoadLettersEnabled()),
      ilLettersDisabled(LoadLettersDisabled()), ilTBEnabled(LoadCommandsEnabled()),
      ilTBDisabled(LoadCommandsDisabled()) {
    setObjectName(QStringLiteral("FormQuavelet"));
    setWindowTitle(QStringLiteral("Quavelet"));
    setWindowIcon(ProgramIcon());
    setFont(WindowFont());
    SetHelpTopic(this, 1);
    tmrCount = new CountdownTimer(CountdownIntervalMs, this);
    CreateActions();
    CreateControls();
    CreateMenu();
    ConnectHandlers();
    // Not resizable: the window always takes the size of its client area and
    // menu bar, also when a change of input type makes the client taller.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FormCreate();
}

TFormQuavelet::~TFormQuavelet() {
    qApp->removeEventFilter(this);
    if (FormQuavelet == this)
        FormQuavelet = nullptr;
}

void TFormQuavelet::CreateActions() {
    struct Design {
        QAction** action;
        int tag;
        const char* category;
        const char* caption;
        const char* hint;
        int image;
        int help;
    };
    const Design designs[] = {
        {&actNoteButtons, 0, "Input type", "Use &Note Buttons", "Use the Note Button control", 0, 13},
        {&actPianoKeys, 1, "Input type", "Use &Piano Keys", "Use the Piano control", 1, 19},
        {&actTrebleNotes, 0, "", "&Treble Notes", "Use notes in the treble staff only.", 3, 7},
        {&actBassNotes, 1, "", "&Bass Notes", "Use notes in the bass staff only.", 4, 7},
        {&actAllNotes, 2, "", "&All Notes", "Use notes from both staves.", 5, 7},
        {&actSingleOctave, 0, "", "&Single Octave Only", "(Piano) Show one octave only", 6, 7},
        {&actFullRange, 1, "", "&Full Keyboard Range", "(Piano) Show the full range of notes", 7, 7},
        {&actBeginQuiz, 0, "", "&Begin Quiz", "Begin a quiz", 8, 14},
        {&actEndQuiz, 1, "", "&End Quiz", "End the current quiz now", 9, 14},
        {&actGuitar, 2, "Input type", "Use Guitar Frets", "Use the Guitar control", 2, 18},
    };
    for (const Design& design : designs) {
        auto* action = new QAction(QString::fromLatin1(design.caption), this);
        action->setObjectName(QString::fromLatin1(design.caption).remove(QLatin1Char('&')));
        action->setStatusTip(QString::fromLatin1(design.hint));
        action->setToolTip(QString());
        action->setIcon(ilTBEnabled.icon(design.image, &ilTBDisabled));
        action->setCheckable(true);
        action->setProperty("category", QString::fromLatin1(design.category));
        SetTag(action, design.tag);
        SetHint(action, QString::fromLatin1(design.hint));
        SetHelpTopic(action, design.help);
        *design.action = action;
    }
}

void TFormQuavelet::CreateControls() {
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    pbxStaff = new PaintBox(client);
    pbxStaff->setObjectName(QStringLiteral("pbxStaff"));
    pbxStaff->setGeometry(8, 37, 201, 153);
    SetHint(pbxStaff, QStringLiteral("The notes in the quiz are displayed in this area"));

    cmdClose = new QPushButton(QStringLiteral("Close"), client);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(200, 273, 51, 25);
    SetHint(cmdClose, QStringLiteral("Exit Quavelet"));
    // Enter presses the focused button as Space does; Qt's push buttons take
    // Enter only when they are auto-default, which outside a dialog they are
    // not unless told.
    cmdClose->setAutoDefault(true);

    // The letter toolbar: seven raised buttons with a gap between each two.
    tbarNotes = new QWidget(client);
    tbarNotes->setObjectName(QStringLiteral("tbarNotes"));
    tbarNotes->setGeometry(11, 199, 235, 27);
    SetHint(tbarNotes, QStringLiteral("Use these buttons or the keyboard to select notes"));
    for (int n = 0; n < 7; ++n) {
        auto* button = new QToolButton(tbarNotes);
        button->setObjectName(QStringLiteral("tbNote%1").arg(n));
        button->setGeometry(35 * n, 2, 25, 25);
        button->setIcon(ilLettersEnabled.icon(n, &ilLettersDisabled));
        button->setIconSize(QSize(16, 16));
        button->setFocusPolicy(Qt::NoFocus);
        SetTag(button, n);
        tbNote[n] = button;
        if (n < 6) {
            auto* separator = new ToolBarSeparator(tbarNotes, false);
            separator->setObjectName(QStringLiteral("tb_%1").arg(n, 2, 10, QLatin1Char('0')));
            separator->setGeometry(35 * n + 25, 2, 10, 25);
        }
    }

    pnlCount = NewPanel(client, QRect(216, 59, 34, 65));
    pnlCount->setObjectName(QStringLiteral("pnlCount"));
    SetHint(pnlCount, QStringLiteral("Seconds remaining to identify the current note"));
    SetHelpTopic(pnlCount, 16);
    Image1 = new QLabel(pnlCount);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(9, 5, 16, 16);
    Image1->setPixmap(StopwatchPicture().copy(0, 0, 16, 16));
    lblCount = NewLabel(pnlCount, QRect(10, 39, 15, 13), QStringLiteral("12"));
    lblCount->setObjectName(QStringLiteral("lblCount"));
    lblCount->setAlignment(Qt::AlignCenter);
    QFont bold = WindowFont();
    bold.setBold(true);
    lblCount->setFont(bold);

    pnlInstrument = NewPanel(client, QRect(12, 101, 234, 89));
    pnlInstrument->setObjectName(QStringLiteral("pnlInstrument"));
    pnlInstrument->setAutoFillBackground(true);
    QPalette instrumentColours = pnlInstrument->palette();
    instrumentColours.setColor(QPalette::Window, QColor(64, 0, 0));
    pnlInstrument->setPalette(instrumentColours);
    pbxInstrument = new PaintBox(pnlInstrument);
    pbxInstrument->setObjectName(QStringLiteral("pbxInstrument"));
    pbxInstrument->setGeometry(1, 1, 232, 87);
    SetHint(pbxInstrument, QStringLiteral("Use these controls or the keyboard to select notes"));

    // The options toolbar: flat check buttons in four groups.
    tbarOptions = new ToolBarFrame(client);
    tbarOptions->setObjectName(QStringLiteral("tbarOptions"));
    tbarOptions->setGeometry(0, 0, ClientWidth, 24);
    SetHelpTopic(tbarOptions, 6);
    struct OptionButton {
        QToolButton** button;
        const char* name;
        int left;
        QAction* action;
        const char* ownHint;
    };
    const OptionButton buttons[] = {
        {&tbNoteButtons, "tbNoteButtons", 1, actNoteButtons, nullptr},
        {&tbPianoKeys, "tbPianoKeys", 24, actPianoKeys, nullptr},
        {&tbGuitar, "tbGuitar", 47, actGuitar, nullptr},
        {&tbTrebleNotes, "tbTrebleNotes", 78, actTrebleNotes, "Use notes in the treble staff only"},
        {&tbBassNotes, "tbBassNotes", 101, actBassNotes, "Use notes in the bass staff only"},
        {&tbAllNotes, "tbAllNotes", 124, actAllNotes, "Use notes from both staves"},
        {&tbSingleOctave, "tbSingleOctave", 155, actSingleOctave, nullptr},
        {&tbFullRange, "tbFullRange", 178, actFullRange, nullptr},
        {&tbBeginQuiz, "tbBeginQuiz", 209, actBeginQuiz, nullptr},
        {&tbEndQuiz, "tbEndQuiz", 232, actEndQuiz, nullptr},
    };
    for (const OptionButton& design : buttons) {
        auto* button = new QToolButton(tbarOptions);
        button->setObjectName(QString::fromLatin1(design.name));
        button->setDefaultAction(design.action);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setIconSize(QSize(16, 16));
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(design.left, 1, 23, 22);
        SetHint(button, design.ownHint ? QString::fromLatin1(design.ownHint) : HintOf(design.action));
        *design.button = button;
    }
    for (const auto& [name, left] : {std::pair{"tb_06", 70}, std::pair{"tb_07", 147}, std::pair{"tb_08", 201}}) {
        auto* separator = new ToolBarSeparator(tbarOptions, true);
        separator->setObjectName(QString::fromLatin1(name));
        separator->setGeometry(left, 1, 8, 22);
    }

    // The status toolbar: the level and the score board side by side.
    tbarStatus = new ToolBarFrame(client);
    tbarStatus->setObjectName(QStringLiteral("tbarStatus"));
    tbarStatus->setGeometry(0, 232, 257, 34);
    pnlLevel = NewPanel(tbarStatus, QRect(0, 2, 126, 28));
    pnlLevel->setObjectName(QStringLiteral("pnlLevel"));
    SetHint(pnlLevel, QStringLiteral("Choose a level, then start the quiz"));
    SetHelpTopic(pnlLevel, 10);
    lblLevel = NewLabel(pnlLevel, QRect(76, 7, 41, 13), QStringLiteral("Level 12"));
    lblLevel->setObjectName(QStringLiteral("lblLevel"));
    sbLevel = new HorizontalScrollBar(pnlLevel);
    sbLevel->setObjectName(QStringLiteral("sbLevel"));
    sbLevel->setGeometry(8, 7, 60, 13);
    sbLevel->setRange(MinLevel, MaxLevel);
    sbLevel->setPageStep(0);
    sbLevel->setSingleStep(1);
    sbLevel->setValue(1);
    sbLevel->setFocusPolicy(Qt::StrongFocus);
    SetHelpTopic(sbLevel, 10);
    auto* statusSeparator = new ToolBarSeparator(tbarStatus, false);
    statusSeparator->setObjectName(QStringLiteral("ToolButton1"));
    statusSeparator->setGeometry(126, 2, 4, 28);
    pnlScoreboard = NewPanel(tbarStatus, QRect(130, 2, 126, 28));
    pnlScoreboard->setObjectName(QStringLiteral("pnlScoreboard"));
    SetHint(pnlScoreboard, QStringLiteral("Your score is shown here during and after a quiz"));
    SetHelpTopic(pnlScoreboard, 15);
    Label1 = NewLabel(pnlScoreboard, QRect(48, 7, 27, 13), QStringLiteral("out of"));
    Label1->setObjectName(QStringLiteral("Label1"));
    pnlScore = NewScorePanel(pnlScoreboard, QRect(12, 4, 28, 20), QStringLiteral("0"));
    pnlScore->setObjectName(QStringLiteral("pnlScore"));
    SetHelpTopic(pnlScore, 15);
    pnlMaxScore = NewScorePanel(pnlScoreboard, QRect(85, 4, 28, 20), QStringLiteral("200"));
    pnlMaxScore->setObjectName(QStringLiteral("pnlMaxScore"));
    SetHelpTopic(pnlMaxScore, 15);

    sbHints = new QStatusBar(client);
    sbHints->setObjectName(QStringLiteral("sbHints"));
    sbHints->setSizeGripEnabled(false);
    sbHints->setGeometry(0, ClientHeight - HintBarHeight, ClientWidth, HintBarHeight);
    SetHint(sbHints, QStringLiteral("Describes the control under the mouse pointer"));

    // Tab order among the windowed controls: Close first, so it has the focus
    // after start-up.
    cmdClose->setFocus();
    setTabOrder(cmdClose, sbLevel);
}

void TFormQuavelet::CreateMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    mnuGame = bar->addMenu(QStringLiteral("&Game"));
    mnuGame->setObjectName(QStringLiteral("mnuGame"));
    mnuOptions = bar->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));

    // Each entry bound to a command is its own action: it mirrors the
    // command's caption, image, enabled and checked state one way and keeps a
    // mark of its own.
    auto bound = [this](QMenu* menu, const char* name, QAction* command, QActionGroup* radioGroup) {
        auto* entry = menu->addAction(command->icon(), command->text());
        entry->setObjectName(QString::fromLatin1(name));
        entry->setCheckable(true);
        entry->setStatusTip(command->statusTip());
        SetHint(entry, command->statusTip());
        SetTag(entry, TagOf(command));
        SetHelpTopic(entry, HelpTopicOf(command));
        if (radioGroup)
            radioGroup->addAction(entry);
        m_menuLinks.push_back({entry, command});
        return entry;
    };
    auto radioGroup = [this] {
        auto* group = new QActionGroup(this);
        // Optional exclusivity draws the entries as radio items and lets the
        // program clear every mark of a group.
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        return group;
    };

    miBeginQuiz = bound(mnuGame, "miBeginQuiz", actBeginQuiz, nullptr);
    miEndQuiz = bound(mnuGame, "miEndQuiz", actEndQuiz, nullptr);

    QActionGroup* inputGroup = radioGroup();
    QActionGroup* staffGroup = radioGroup();
    QActionGroup* rangeGroup = radioGroup();
    miNoteButtons = bound(mnuOptions, "miNoteButtons", actNoteButtons, inputGroup);
    miPianoKeys = bound(mnuOptions, "miPianoKeys", actPianoKeys, inputGroup);
    miGuitar = bound(mnuOptions, "miGuitar", actGuitar, nullptr);
    mnuOptions->addSeparator()->setObjectName(QStringLiteral("N1"));
    miTrebleNotes = bound(mnuOptions, "miTrebleNotes", actTrebleNotes, staffGroup);
    miBassNotes = bound(mnuOptions, "miBassNotes", actBassNotes, staffGroup);
    miAllNotes = bound(mnuOptions, "miAllNotes", actAllNotes, staffGroup);
    mnuOptions->addSeparator()->setObjectName(QStringLiteral("N3"));
    miSingleOctave = bound(mnuOptions, "miSingleOctave", actSingleOctave, rangeGroup);
    miFullRange = bound(mnuOptions, "miFullRange", actFullRange, rangeGroup);

    auto help = [this](const char* name, const char* caption, int tag) {
        auto* entry = mnuHelp->addAction(QString::fromLatin1(caption));
        entry->setObjectName(QString::fromLatin1(name));
        SetTag(entry, tag);
        SetHelpTopic(entry, 11);
        return entry;
    };
    miHelpContents = help("miHelpContents", "&Contents", 0);
    miHelpKeyboard = help("miHelpKeyboard", "&Keyboard", 1);
    miUsingHelp = help("miUsingHelp", "&Using Help", 2);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("N2"));
    miAbout = help("miAbout", "&About", 3);

    for (QMenu* menu : {mnuGame, mnuOptions, mnuHelp}) {
        menu->setToolTipsVisible(false);
        // Disabled entries (the range commands with letter buttons) still
        // show their hints when highlighted.
        auto* style = new MenuStyle;
        style->setParent(menu);
        menu->setStyle(style);
    }
}
