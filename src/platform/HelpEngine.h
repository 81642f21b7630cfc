#pragma once

#include <QPointer>
#include <QString>

class HelpWindow;

// The commands of the help engine, numbered as the original engine numbered
// them, so that a menu entry's command travels as a plain number.
enum class HelpCommand { Context = 1, HelpOnHelp = 4, Finder = 11 };

// The help engine the window calls: F1, the Help menu. The program never looks
// at an outcome; the engine tells the player itself when help is missing.
class HelpEngine {
public:
    virtual ~HelpEngine() = default;

    // The application's help file.
    virtual void setHelpFile(const QString& path) = 0;
    virtual QString helpFile() const = 0;
    // Context: opens help topic `data`. Finder: the contents and the index.
    // HelpOnHelp: how to use help. `data` matters for Context only.
    virtual void call(HelpCommand command, int data) = 0;

    // The engine in use: the real one unless a test installed another.
    static HelpEngine& current();
    // Installs another engine (a test's recorder); nullptr restores the real one.
    static void install(HelpEngine* engine);
};

// The real engine: one help window, created on the first call and reused.
class QtHelpEngine : public HelpEngine {
public:
    QtHelpEngine() = default;
    ~QtHelpEngine() override;
    QtHelpEngine(const QtHelpEngine&) = delete;
    QtHelpEngine& operator=(const QtHelpEngine&) = delete;

    void setHelpFile(const QString& path) override { m_helpFile = path; }
    QString helpFile() const override { return m_helpFile; }
    void call(HelpCommand command, int data) override;

    // The help window, or nullptr before the first call.
    HelpWindow* window() const;

private:
    QString m_helpFile;
    // Guarded: the window is deleted with the application if that ends first.
    QPointer<HelpWindow> m_window;
};
