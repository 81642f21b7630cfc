#include "platform/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QShortcut>
#include <QSize>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {
constexpr int SectionRole = Qt::UserRole;

// Used for the pages the window writes itself, when the file's own style may
// be missing along with the file.
const char* const MessageStyle =
    "body { color: #202020; }"
    "h2 { color: #1f4e79; font-size: x-large; margin-bottom: 10px; }"
    "p { margin-top: 0px; margin-bottom: 8px; }";

// Help windows are top-level widgets owned by no widget. They must go before
// the application object does, which tears down what widgets rely on; a
// static engine would otherwise delete its window too late.
void deleteHelpWindows() {
    // Picked out first: deleting one window takes windows of its own along.
    QList<QPointer<HelpWindow>> helpWindows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* helpWindow = qobject_cast<HelpWindow*>(widget))
            helpWindows << helpWindow;
    for (const QPointer<HelpWindow>& helpWindow : helpWindows)
        delete helpWindow.data();
}

QString page(const QString& title, const QString& body) {
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}
} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    static const bool cleanupRegistered = [] {
        qAddPostRoutine(deleteHelpWindows);
        return true;
    }();
    Q_UNUSED(cleanupRegistered);
    // Closing the main window ends the program even while help is open.
    setAttribute(Qt::WA_QuitOnClose, false);

    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Quavelet Help"));
    buildUi();
    resize(760, 520);
}

void HelpWindow::buildUi() {
    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->setMovable(false);

    m_topicsAction = toolBar->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                        QStringLiteral("Help &Topics"));
    m_topicsAction->setObjectName(QStringLiteral("topics"));
    m_topicsAction->setCheckable(true);
    connect(m_topicsAction, &QAction::toggled, this, &HelpWindow::setNavigationVisible);
    m_backAction = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"));
    m_backAction->setObjectName(QStringLiteral("back"));
    m_backAction->setShortcut(QKeySequence::Back);
    connect(m_backAction, &QAction::triggered, this, &HelpWindow::goBack);
    m_forwardAction = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"));
    m_forwardAction->setObjectName(QStringLiteral("forward"));
    m_forwardAction->setShortcut(QKeySequence::Forward);
    connect(m_forwardAction, &QAction::triggered, this, &HelpWindow::goForward);

    m_navigation = new QTabWidget;
    m_contents = new QListWidget;
    m_contents->setObjectName(QStringLiteral("contents"));
    m_contents->setSpacing(1);
    m_contents->setIconSize(QSize(16, 16));
    m_contents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_navigation->addTab(m_contents, QStringLiteral("&Contents"));
    connect(m_contents, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            showSection(item->data(SectionRole).toString());
    });

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* filterLabel = new QLabel(QStringLiteral("&Type a word to look for:"));
    m_indexFilter = new QLineEdit;
    m_indexFilter->setObjectName(QStringLiteral("indexFilter"));
    m_indexFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(m_indexFilter);
    m_index = new QListWidget;
    m_index->setObjectName(QStringLiteral("index"));
    m_index->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    indexLayout->addWidget(filterLabel);
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(m_index);
    m_navigation->addTab(indexPage, QStringLiteral("&Index"));
    connect(m_indexFilter, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this] { openIndexItem(m_index->currentItem()); });
    connect(m_index, &QListWidget::itemClicked, this, &HelpWindow::openIndexItem);
    connect(m_index, &QListWidget::itemActivated, this, &HelpWindow::openIndexItem);

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("page"));
    // Links only ever lead to other sections of the file; nothing leaves the
    // window, and the window decides which page a link opens.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->document()->setDocumentMargin(14);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme().isEmpty() && url.path().isEmpty() && m_file.find(url.fragment()))
            showSection(url.fragment());
    });

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->addWidget(m_navigation);
    m_splitter->addWidget(m_browser);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setSizes({240, 520});
    m_navigation->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_splitter, 1);

    auto* usingHelp = new QShortcut(QKeySequence::HelpContents, this);
    connect(usingHelp, &QShortcut::activated, this, [this] {
        if (m_file.find(HelpFile::usingHelpId()))
            showSection(HelpFile::usingHelpId());
    });
    auto* closeWindow = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeWindow, &QShortcut::activated, this, &QWidget::close);

    updateHistoryActions();
}

void HelpWindow::showTopic(const QString& path, int topic) {
    bringForward();
    if (!ensureLoaded(path))
        return;
    const QString id = HelpFile::topicId(topic);
    if (m_file.find(id)) {
        showSection(id);
        return;
    }
    setNavigationVisible(true);
    showMessage(QStringLiteral("Topic not found"),
                {QStringLiteral("Help topic %1 is not in the help file.").arg(topic),
                 QStringLiteral("Choose a topic from the contents or the index on the left.")});
}

void HelpWindow::showFinder(const QString& path) {
    bringForward();
    setNavigationVisible(true);
    m_navigation->setCurrentWidget(m_contents);
    if (!ensureLoaded(path))
        return;
    if (m_current.isEmpty())
        showSection(m_file.sections().front().id);
    m_contents->setFocus();
}

void HelpWindow::showUsingHelp(const QString& path) {
    bringForward();
    if (!ensureLoaded(path))
        return;
    if (m_file.find(HelpFile::usingHelpId())) {
        showSection(HelpFile::usingHelpId());
        return;
    }
    setNavigationVisible(true);
    showMessage(QStringLiteral("Topic not found"),
                {QStringLiteral("The section on using help is not in the help file."),
                 QStringLiteral("Choose a topic from the contents or the index on the left.")});
}

void HelpWindow::showUnknownCommand(const QString& path, int command) {
    bringForward();
    if (!ensureLoaded(path))
        return;
    setNavigationVisible(true);
    showMessage(QStringLiteral("Help is not available"),
                {QStringLiteral("Help command %1 is not known.").arg(command),
                 QStringLiteral("Choose a topic from the contents or the index on the left.")});
}

bool HelpWindow::ensureLoaded(const QString& path) {
    if (m_file.isStale(path)) {
        m_file.load(path);
        m_history.clear();
        m_historyPos = -1;
        m_current.clear();
        rebuildLists();
        updateHistoryActions();
    }
    switch (m_file.status()) {
    case HelpFile::Status::Loaded:
        return true;
    case HelpFile::Status::NotLoaded:
    case HelpFile::Status::Missing:
        showMessage(QStringLiteral("Help is not available"),
                    {path.isEmpty() ? QStringLiteral("No help file has been named.")
                                    : QStringLiteral("The help file %1 could not be found.").arg(path),
                     QStringLiteral("The help file is installed with Quavelet. Installing the program again "
                                    "puts it back in place.")});
        return false;
    case HelpFile::Status::Unreadable:
        showMessage(QStringLiteral("Help is not available"),
                    {QStringLiteral("The help file %1 could not be read: %2.").arg(path, m_file.error()),
                     QStringLiteral("The help file is installed with Quavelet. Installing the program again "
                                    "puts it back in place.")});
        return false;
    }
    return false;
}

void HelpWindow::rebuildLists() {
    const QSignalBlocker contentsBlocker(m_contents);
    m_contents->clear();
    m_index->clear();

    // A word that leads to several sections names, in each entry, the
    // section it opens.
    QHash<QString, int> uses;
    for (const HelpFile::Section& section : m_file.sections())
        for (const QString& keyword : section.keywords)
            ++uses[keyword.toCaseFolded()];

    std::vector<std::pair<QString, QString>> entries; // text, section id
    const QIcon pageIcon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const HelpFile::Section& section : m_file.sections()) {
        auto* item = new QListWidgetItem(pageIcon, section.title, m_contents);
        item->setData(SectionRole, section.id);
        for (const QString& keyword : section.keywords) {
            const bool shared = uses.value(keyword.toCaseFolded()) > 1;
            entries.emplace_back(shared ? QStringLiteral("%1 (%2)").arg(keyword, section.title) : keyword,
                                 section.id);
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto& [text, id] : entries) {
        auto* item = new QListWidgetItem(text, m_index);
        item->setData(SectionRole, id);
    }
    filterIndex(m_indexFilter->text());
}

void HelpWindow::bringForward() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void HelpWindow::setNavigationVisible(bool visible) {
    m_navigation->setVisible(visible);
    const QSignalBlocker blocker(m_topicsAction);
    m_topicsAction->setChecked(visible);
}

bool HelpWindow::navigationVisible() const { return !m_navigation->isHidden(); }

void HelpWindow::showSection(const QString& id, bool remember) {
    const HelpFile::Section* section = m_file.find(id);
    if (!section)
        return;
    if (id != m_current) {
        m_browser->document()->setDefaultStyleSheet(m_file.styleSheet());
        m_browser->setHtml(page(section->title, section->html));
        m_current = id;
    }
    if (remember && (m_historyPos < 0 || m_history[m_historyPos] != id)) {
        m_history.resize(m_historyPos + 1);
        m_history.push_back(id);
        m_historyPos = int(m_history.size()) - 1;
    }
    syncContents();
    updateHistoryActions();
}

void HelpWindow::showMessage(const QString& heading, const QStringList& paragraphs) {
    QString body = QStringLiteral("<h2>%1</h2>").arg(heading.toHtmlEscaped());
    for (const QString& paragraph : paragraphs)
        body += QStringLiteral("<p>%1</p>").arg(paragraph.toHtmlEscaped());
    m_browser->document()->setDefaultStyleSheet(QString::fromLatin1(MessageStyle));
    m_browser->setHtml(page(heading, body));
    m_current.clear();
    syncContents();
    updateHistoryActions();
}

void HelpWindow::syncContents() {
    const QSignalBlocker blocker(m_contents);
    for (int row = 0; row < m_contents->count(); ++row) {
        QListWidgetItem* item = m_contents->item(row);
        if (item->data(SectionRole).toString() == m_current) {
            m_contents->setCurrentItem(item);
            return;
        }
    }
    m_contents->setCurrentItem(nullptr);
}

void HelpWindow::filterIndex(const QString& text) {
    const QString wanted = text.trimmed();
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < m_index->count(); ++row) {
        QListWidgetItem* item = m_index->item(row);
        const bool match = item->text().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && !first)
            first = item;
    }
    m_index->setCurrentItem(first);
    if (first)
        m_index->scrollToItem(first);
}

void HelpWindow::openIndexItem(QListWidgetItem* item) {
    if (item && !item->isHidden())
        showSection(item->data(SectionRole).toString());
}

void HelpWindow::goBack() {
    // From a message page, Back returns to the page that was on show before it.
    const int target = m_current.isEmpty() ? m_historyPos : m_historyPos - 1;
    if (target < 0)
        return;
    m_historyPos = target;
    showSection(m_history[target], false);
}

void HelpWindow::goForward() {
    if (m_historyPos + 1 >= int(m_history.size()))
        return;
    ++m_historyPos;
    showSection(m_history[m_historyPos], false);
}

void HelpWindow::updateHistoryActions() {
    m_backAction->setEnabled(m_historyPos > 0 || (m_current.isEmpty() && m_historyPos >= 0));
    m_forwardAction->setEnabled(m_historyPos + 1 < int(m_history.size()));
}

QString HelpWindow::pageText() const { return m_browser->toPlainText(); }

QStringList HelpWindow::contentsTitles() const {
    QStringList titles;
    for (int row = 0; row < m_contents->count(); ++row)
        titles << m_contents->item(row)->text();
    return titles;
}

QStringList HelpWindow::visibleIndexEntries() const {
    QStringList entries;
    for (int row = 0; row < m_index->count(); ++row)
        if (!m_index->item(row)->isHidden())
            entries << m_index->item(row)->text();
    return entries;
}

QString HelpWindow::indexTarget(const QString& entry) const {
    const QList<QListWidgetItem*> items = m_index->findItems(entry, Qt::MatchExactly);
    return items.isEmpty() ? QString() : items.front()->data(SectionRole).toString();
}

void HelpWindow::setIndexFilter(const QString& text) { m_indexFilter->setText(text); }
