#pragma once

#include "platform/HelpFile.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QAction;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSplitter;
class QTabWidget;
class QTextBrowser;

// The help viewer: one page per section of the help file, a contents list and
// a keyword index beside it, and a history to go back and forward. A top-level
// window that stays alive between calls; closing it only hides it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The engine's commands. Each reads the help file at `path` when it has
    // changed, brings the window forward and shows the page asked for, or a
    // page that says why it cannot.
    void showTopic(const QString& path, int topic);
    void showFinder(const QString& path);
    void showUsingHelp(const QString& path);
    void showUnknownCommand(const QString& path, int command);

    // The id of the section on show; empty while a message is shown instead.
    const QString& currentSection() const { return m_current; }
    // The plain text of the page on show.
    QString pageText() const;
    // Whether the contents and the index are on show beside the page.
    bool navigationVisible() const;
    // The contents: section titles in the order of the file.
    QStringList contentsTitles() const;
    // The index entries that the filter lets through, in their order.
    QStringList visibleIndexEntries() const;
    // The section an index entry leads to, or an empty string.
    QString indexTarget(const QString& entry) const;
    // Types into the index's filter box, as the player would.
    void setIndexFilter(const QString& text);

    QTextBrowser* browser() const { return m_browser; }

private:
    void buildUi();
    // Reads the file if needed; false (with a message shown) when it has no help.
    bool ensureLoaded(const QString& path);
    void rebuildLists();
    void bringForward();
    void setNavigationVisible(bool visible);
    void showSection(const QString& id, bool remember = true);
    void showMessage(const QString& heading, const QStringList& paragraphs);
    void syncContents();
    void filterIndex(const QString& text);
    void openIndexItem(QListWidgetItem* item);
    void goBack();
    void goForward();
    void updateHistoryActions();

    HelpFile m_file;
    QString m_current;
    // Section ids visited, and the position of the one on show.
    std::vector<QString> m_history;
    int m_historyPos = -1;

    QAction* m_topicsAction = nullptr;
    QAction* m_backAction = nullptr;
    QAction* m_forwardAction = nullptr;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_navigation = nullptr;
    QListWidget* m_contents = nullptr;
    QLineEdit* m_indexFilter = nullptr;
    QListWidget* m_index = nullptr;
    QTextBrowser* m_browser = nullptr;
};
