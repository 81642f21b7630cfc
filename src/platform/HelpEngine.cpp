#include "platform/HelpEngine.h"

#include "platform/HelpWindow.h"

namespace {
HelpEngine* installed = nullptr;
} // namespace

HelpEngine& HelpEngine::current() {
    static QtHelpEngine real;
    return installed ? *installed : real;
}

void HelpEngine::install(HelpEngine* engine) { installed = engine; }

QtHelpEngine::~QtHelpEngine() {
    // Null once the application has taken its help windows down with it.
    delete m_window.data();
}

HelpWindow* QtHelpEngine::window() const { return m_window.data(); }

void QtHelpEngine::call(HelpCommand command, int data) {
    if (!m_window)
        m_window = new HelpWindow;
    switch (command) {
    case HelpCommand::Context:
        m_window->showTopic(m_helpFile, data);
        return;
    case HelpCommand::Finder:
        m_window->showFinder(m_helpFile);
        return;
    case HelpCommand::HelpOnHelp:
        m_window->showUsingHelp(m_helpFile);
        return;
    }
    // A number that names no command, passed on as the original engine took it.
    m_window->showUnknownCommand(m_helpFile, int(command));
}
