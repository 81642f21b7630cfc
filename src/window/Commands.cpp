#include "Main.h"

#include "About.h"
#include "Header.h"
#include "platform/HelpEngine.h"
#include "platform/MessageBoxes.h"
#include "window/WindowParts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>

#include <exception>
#include <functional>

namespace {

// Help commands of the Help menu by the entry's Tag.
constexpr int KeyboardHelpTopic = 20;

QString ApplicationTitle() {
    const QString title = QApplication::applicationDisplayName();
    return title.isEmpty() ? QStringLiteral("Quavelet") : title;
}

} // namespace

void TFormQuavelet::ConnectCommand(QAction* command, std::function<void(QAction*)> handler) {
    // A checkable QAction toggles itself when triggered; the commands' states
    // are the program's to set, so the toggle is undone before the handler
    // reads the state as it was before the click.
    connect(command, &QAction::triggered, this, [command, handler = std::move(handler)](bool checked) {
        command->setChecked(!checked);
        handler(command);
    });
}

void TFormQuavelet::ConnectHandlers() {
    ConnectCommand(actBeginQuiz, [this](QAction*) { actBeginClick(); });
    ConnectCommand(actEndQuiz, [this](QAction*) { actEndClick(); });
    for (QAction* command : {actNoteButtons, actPianoKeys, actGuitar})
        ConnectCommand(command, [this](QAction* sender) { actInputTypeClick(sender); });
    for (QAction* command : {actTrebleNotes, actBassNotes, actAllNotes})
        ConnectCommand(command, [this](QAction* sender) { actStaffClick(sender); });
    for (QAction* command : {actSingleOctave, actFullRange})
        ConnectCommand(command, [this](QAction* sender) { actKeyboardRangeClick(sender); });
    connect(mnuOptions, &QMenu::aboutToShow, this, [this] { mnuOptionsClick(); });
    for (const MenuLink& link : m_menuLinks) {
        QAction* entry = link.entry;
        QAction* command = link.command;
        connect(command, &QAction::toggled, entry, &QAction::setChecked);
        connect(command, &QAction::enabledChanged, entry, &QAction::setEnabled);
        connect(entry, &QAction::triggered, this, [entry, command](bool checked) {
            entry->setChecked(!checked);
            if (command->isEnabled())
                command->trigger();
        });
    }
    for (QAction* entry : {miHelpContents, miHelpKeyboard, miUsingHelp})
        connect(entry, &QAction::triggered, this, [this, entry] { miHelpClick(entry); });
    connect(miAbout, &QAction::triggered, this, [this] { miAboutClick(); });
    for (QToolButton* button : tbNote)
        connect(button, &QToolButton::clicked, this, [this, button] { tbNoteClick(button); });
    connect(sbLevel, &QScrollBar::valueChanged, this, [this] { sbLevelChange(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdCloseClick(); });
    tmrCount->setOnTick([this] { tmrCountTimer(); });
    pbxStaff->setPaintHandler([this] { pbxStaffPaint(); });
    pbxInstrument->setPaintHandler([this] { pbxInstrumentPaint(); });
    pbxInstrument->setMouseDownHandler([this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
        pbxInstrumentMouseDown(button, shift, x, y);
    });
    pbxInstrument->setMouseMoveHandler([this](Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y) {
        pbxInstrumentMouseMove(shift, x, y);
    });
    pbxInstrument->setMouseUpHandler([this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
        pbxInstrumentMouseUp(button, shift, x, y);
    });
}

void TFormQuavelet::FormCreate() {
    // The message hook sees every event of the application before it is
    // dispatched; it is installed whatever happens below.
    qApp->installEventFilter(this);
    try {
        SetLevel(1);
        BuildNoteTable();
        DrawStaff();
        pnlInstrument->move(pnlInstrument->x(), tbarNotes->y());
        pnlInstrument->hide();
        // The type does not change, so there is no relayout: this sets the
        // input-type marks and the range commands' enabled states.
        FInputType = TInputType::itNoteButtons;
        SetInputType(TInputType::itNoteButtons);
        SetStaffChoice(TStaffChoice::scTreble);
        SelectKeyboardLayout();
        SetFullRange(false);
        EndQuiz();
    } catch (const std::exception& error) {
        MessageBoxes::current().plain(this, ApplicationTitle() + QStringLiteral(" encountered a problem on start-up: ") +
                                                QString::fromLocal8Bit(error.what()));
        StartupFailed = true;
    }
}

void TFormQuavelet::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownBefore || event->spontaneous())
        return;
    m_shownBefore = true;
    // Centred on the screen when first shown.
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    // The About dialog opens over the window once it is on screen, outside
    // the show event itself.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TFormQuavelet::FormShow() {
    if (ShowSplash && DlgAbout)
        DlgAbout->exec();
}

void TFormQuavelet::cmdCloseClick() { close(); }

void TFormQuavelet::miAboutClick() {
    if (DlgAbout)
        DlgAbout->exec();
}

void TFormQuavelet::miHelpClick(QAction* sender) {
    HelpEngine& help = HelpEngine::current();
    switch (TagOf(sender)) {
    case 0: help.call(HelpCommand::Finder, 0); break;
    case 1: help.call(HelpCommand::Context, KeyboardHelpTopic); break;
    case 2: help.call(HelpCommand::HelpOnHelp, 0); break;
    default: help.call(HelpCommand::Context, 0); break;
    }
}

bool TFormQuavelet::AppMessage(QObject*, QEvent* msg) {
    if (ActivateMsg == 0 || msg->type() != static_cast<QEvent::Type>(ActivateMsg))
        return false;
    // A modal dialog or box holds the input: bring it forward instead, since
    // the window cannot take the focus while it is open.
    QWidget* target = QApplication::activeModalWidget();
    if (!target)
        target = this;
    if (target == this && isMinimized())
        showNormal();
    if (!target->isActiveWindow()) {
        target->raise();
        target->activateWindow();
    }
    return false;
}

int TFormQuavelet::HelpTopicFor(const QObject* control) const {
    for (const QObject* object = control; object; object = object->parent()) {
        if (const int topic = HelpTopicOf(object))
            return topic;
        if (object == this)
            break;
    }
    return HelpTopicOf(this);
}

void TFormQuavelet::ShowHint(const QString& hint) {
    if (hint.isEmpty())
        sbHints->clearMessage();
    else
        sbHints->showMessage(hint);
}

bool TFormQuavelet::OwnsObject(const QObject* object) const {
    for (; object; object = object->parent())
        if (object == this)
            return true;
    return false;
}

void TFormQuavelet::closeEvent(QCloseEvent* event) {
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool TFormQuavelet::event(QEvent* event) {
    // A highlighted menu entry sends its hint up to the window.
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TFormQuavelet::PreviewKeyPress(QObject* receiver, QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        QObject* focus = QApplication::focusWidget();
        HelpEngine::current().call(HelpCommand::Context, HelpTopicFor(focus ? focus : receiver));
        return true;
    }
    if (qobject_cast<QMenuBar*>(receiver))
        return false; // the menu bar takes its own keys
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    QChar key = text.front();
    FormKeyPress(key);
    // The character is consumed; keys whose action comes from the key itself
    // rather than its character (Space and Enter press the focused button,
    // Tab moves the focus) still reach the control.
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        return true;
    }
}

bool TFormQuavelet::InThisWindow(const QObject* object) const {
    return object && object->isWidgetType() && static_cast<const QWidget*>(object)->window() == this;
}

bool TFormQuavelet::eventFilter(QObject* watched, QEvent* event) {
    AppMessage(watched, event);
    switch (event->type()) {
    case QEvent::ToolTip:
        // Hints go to the status bar only; no control shows pop-up tips.
        return OwnsObject(watched);
    case QEvent::StatusTip:
        // A tool button would announce its command's hint; the window shows
        // the hint of the control under the pointer instead. Menus keep
        // theirs.
        if (watched != this && InThisWindow(watched) && !qobject_cast<QMenuBar*>(watched))
            return true;
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto* menu = qobject_cast<QMenu*>(watched); menu && OwnsObject(menu)) {
            if (key->key() != Qt::Key_F1)
                break;
            // F1 on a highlighted entry: its topic, else its menu's.
            int topic = menu->activeAction() ? HelpTopicOf(menu->activeAction()) : 0;
            if (topic == 0)
                topic = HelpTopicFor(menu->menuAction());
            HelpEngine::current().call(HelpCommand::Context, topic);
            return true;
        }
        if (InThisWindow(watched))
            return PreviewKeyPress(watched, key);
        break;
    }
    case QEvent::Enter:
        if (InThisWindow(watched)) {
            // The hint of the control under the pointer, or of the nearest
            // enclosing control that has one.
            QString hint;
            for (const QObject* object = watched; object && object != this && hint.isEmpty(); object = object->parent())
                hint = HintOf(object);
            ShowHint(hint);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
