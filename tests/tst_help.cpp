#include "platform/HelpEngine.h"
#include "platform/HelpFile.h"
#include "platform/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <utility>
#include <vector>

Q_DECLARE_METATYPE(HelpCommand)

// The real help engine with the real help file, and the seam tests use.
class TestHelp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void contextOpensTopic_data();
    void contextOpensTopic();
    void finderShowsContentsAndIndex();
    void helpOnHelpShowsUsingHelp();
    void failuresAreExplained_data();
    void failuresAreExplained();
    void fileThatAppearsLaterIsRead();
    void linksIndexAndHistory();
    void everyLinkLeadsToASection();
    void installedEngineReceivesCalls();
};

namespace {
const QString HelpPath = QStringLiteral(QUAVELET_SOURCE_ASSETS "/quavelet.html");

// Topic numbers the program asks for, with the title of the page they open.
const std::vector<std::pair<int, QString>> Topics = {
    {1, QStringLiteral("The Quavelet window")},
    {6, QStringLiteral("The options toolbar")},
    {7, QStringLiteral("Staff and keyboard range options")},
    {10, QStringLiteral("Choosing a level")},
    {11, QStringLiteral("The Help menu")},
    {13, QStringLiteral("Note buttons")},
    {14, QStringLiteral("Beginning and ending a quiz")},
    {15, QStringLiteral("The score board")},
    {16, QStringLiteral("The countdown")},
    {18, QStringLiteral("Guitar frets")},
    {19, QStringLiteral("Piano keys")},
    {20, QStringLiteral("Using the keyboard")},
};

// The first line of the page on show: a section's title or a message's heading.
QString heading(const HelpWindow* window) { return window->browser()->document()->firstBlock().text(); }

class RecordingHelpEngine : public HelpEngine {
public:
    void setHelpFile(const QString& path) override { file = path; }
    QString helpFile() const override { return file; }
    void call(HelpCommand command, int data) override { calls.emplace_back(command, data); }

    QString file;
    std::vector<std::pair<HelpCommand, int>> calls;
};
} // namespace

void TestHelp::contextOpensTopic_data() {
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("title");
    for (const auto& [topic, title] : Topics)
        QTest::addRow("topic %d", topic) << topic << title;
}

void TestHelp::contextOpensTopic() {
    QFETCH(int, topic);
    QFETCH(QString, title);
    QtHelpEngine engine;
    engine.setHelpFile(HelpPath);
    engine.call(HelpCommand::Context, topic);

    HelpWindow* window = engine.window();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QVERIFY(!window->isModal());
    QVERIFY(!window->testAttribute(Qt::WA_QuitOnClose)); // help never keeps the program running
    QCOMPARE(window->windowTitle(), QStringLiteral("Quavelet Help"));
    QCOMPARE(window->currentSection(), QStringLiteral("topic-%1").arg(topic));
    QCOMPARE(heading(window), title);
}

void TestHelp::finderShowsContentsAndIndex() {
    QtHelpEngine engine;
    engine.setHelpFile(HelpPath);
    engine.call(HelpCommand::Context, 16);
    HelpWindow* window = engine.window();
    QVERIFY(!window->navigationVisible());

    engine.call(HelpCommand::Finder, 0);
    QCOMPARE(engine.window(), window); // one window, reused
    QVERIFY(window->navigationVisible());
    QCOMPARE(window->currentSection(), QStringLiteral("topic-16")); // the page stays

    HelpFile file;
    QCOMPARE(file.load(HelpPath), HelpFile::Status::Loaded);
    QStringList titles;
    QStringList ids;
    for (const HelpFile::Section& section : file.sections()) {
        titles << section.title;
        ids << section.id;
    }
    QCOMPARE(window->contentsTitles(), titles);
    QCOMPARE(ids.size(), int(Topics.size()) + 1);
    for (const auto& [topic, title] : Topics)
        QVERIFY2(ids.contains(HelpFile::topicId(topic)), qPrintable(title));
    QVERIFY(ids.contains(HelpFile::usingHelpId()));

    // The index is alphabetical and leads to every section.
    const QStringList entries = window->visibleIndexEntries();
    const auto outOfOrder = std::adjacent_find(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) > 0;
    });
    if (outOfOrder != entries.end())
        QFAIL(qPrintable(*outOfOrder + QStringLiteral(" comes too early")));
    QStringList reached;
    for (const QString& entry : entries)
        reached << window->indexTarget(entry);
    for (const QString& id : ids)
        QVERIFY2(reached.contains(id), qPrintable(id));
}

void TestHelp::helpOnHelpShowsUsingHelp() {
    QtHelpEngine engine;
    engine.setHelpFile(HelpPath);
    engine.call(HelpCommand::HelpOnHelp, 0);
    QCOMPARE(engine.window()->currentSection(), QStringLiteral("using-help"));
    QCOMPARE(heading(engine.window()), QStringLiteral("Using help"));
}

void TestHelp::failuresAreExplained_data() {
    QTest::addColumn<QString>("content"); // written to the file unless null
    QTest::addColumn<bool>("named");      // whether the engine is given a path
    QTest::addColumn<HelpCommand>("command");
    QTest::addColumn<int>("data");
    QTest::addColumn<QString>("message"); // %1: the file's path

    const QString real = [] {
        QFile file(HelpPath);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    const QString onlyTopic1 = QStringLiteral(
        "<html><body><section id=\"topic-1\" data-keywords=\"one\"><h2>One</h2></section></body></html>");

    QTest::newRow("missing file, topic") << QString() << true << HelpCommand::Context << 1
                                         << QStringLiteral("The help file %1 could not be found.");
    QTest::newRow("missing file, finder") << QString() << true << HelpCommand::Finder << 0
                                          << QStringLiteral("The help file %1 could not be found.");
    QTest::newRow("no file named") << QString() << false << HelpCommand::Context << 1
                                   << QStringLiteral("No help file has been named.");
    QTest::newRow("malformed file") << QStringLiteral("<html><body><section id=\"topic-1\"><p>open</body></html>")
                                    << true << HelpCommand::Context << 1
                                    << QStringLiteral("The help file %1 could not be read");
    QTest::newRow("file without sections") << QStringLiteral("<html><body><p>nothing</p></body></html>") << true
                                           << HelpCommand::Finder << 0
                                           << QStringLiteral("The help file %1 could not be read");
    QTest::newRow("missing topic") << real << true << HelpCommand::Context << 99
                                   << QStringLiteral("Help topic 99 is not in the help file.");
    QTest::newRow("topic 0") << real << true << HelpCommand::Context << 0
                             << QStringLiteral("Help topic 0 is not in the help file.");
    QTest::newRow("no using-help section") << onlyTopic1 << true << HelpCommand::HelpOnHelp << 0
                                           << QStringLiteral("The section on using help is not in the help file.");
    QTest::newRow("unknown command") << real << true << HelpCommand(7) << 0
                                     << QStringLiteral("Help command 7 is not known.");
}

void TestHelp::failuresAreExplained() {
    QFETCH(QString, content);
    QFETCH(bool, named);
    QFETCH(HelpCommand, command);
    QFETCH(int, data);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("quavelet.html"));
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content.toUtf8());
    }
    QtHelpEngine engine;
    if (named)
        engine.setHelpFile(path);
    engine.call(command, data);

    HelpWindow* window = engine.window();
    QVERIFY(window && window->isVisible());
    QVERIFY(window->currentSection().isEmpty());
    const QString expected = message.contains(QLatin1String("%1")) ? message.arg(path) : message;
    QVERIFY2(window->pageText().contains(expected), qPrintable(window->pageText()));
}

void TestHelp::fileThatAppearsLaterIsRead() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("quavelet.html"));
    QtHelpEngine engine;
    engine.setHelpFile(path);
    engine.call(HelpCommand::Context, 1);
    QVERIFY(engine.window()->pageText().contains(QStringLiteral("could not be found")));

    QVERIFY(QFile::copy(HelpPath, path));
    engine.call(HelpCommand::Context, 1);
    QCOMPARE(engine.window()->currentSection(), QStringLiteral("topic-1"));
}

void TestHelp::linksIndexAndHistory() {
    QtHelpEngine engine;
    engine.setHelpFile(HelpPath);
    engine.call(HelpCommand::Context, 1);
    HelpWindow* window = engine.window();
    auto* back = window->findChild<QAction*>(QStringLiteral("back"));
    auto* forward = window->findChild<QAction*>(QStringLiteral("forward"));
    QVERIFY(back && forward);
    QVERIFY(!back->isEnabled());

    // A link within the file opens its section as a page of its own.
    Q_EMIT window->browser()->anchorClicked(QUrl(QStringLiteral("#topic-13")));
    QCOMPARE(window->currentSection(), QStringLiteral("topic-13"));
    QCOMPARE(heading(window), QStringLiteral("Note buttons"));
    // A link that leaves the file goes nowhere.
    Q_EMIT window->browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
    QCOMPARE(window->currentSection(), QStringLiteral("topic-13"));

    back->trigger();
    QCOMPARE(window->currentSection(), QStringLiteral("topic-1"));
    QVERIFY(!back->isEnabled());
    forward->trigger();
    QCOMPARE(window->currentSection(), QStringLiteral("topic-13"));
    QVERIFY(!forward->isEnabled());

    // From a message page, Back returns to the last page read.
    engine.call(HelpCommand::Context, 99);
    QVERIFY(window->currentSection().isEmpty());
    QVERIFY(back->isEnabled());
    back->trigger();
    QCOMPARE(window->currentSection(), QStringLiteral("topic-13"));

    // The filter keeps the matching keywords; Enter opens the first of them.
    window->setIndexFilter(QStringLiteral("score BOARD"));
    const QStringList matches = window->visibleIndexEntries();
    QVERIFY(!matches.isEmpty());
    for (const QString& entry : matches)
        QVERIFY2(entry.contains(QStringLiteral("score board"), Qt::CaseInsensitive), qPrintable(entry));
    auto* filter = window->findChild<QLineEdit*>(QStringLiteral("indexFilter"));
    QVERIFY(filter);
    QTest::keyClick(filter, Qt::Key_Return);
    QCOMPARE(window->currentSection(), QStringLiteral("topic-15"));
    window->setIndexFilter(QStringLiteral("no such word"));
    QVERIFY(window->visibleIndexEntries().isEmpty());
}

void TestHelp::everyLinkLeadsToASection() {
    HelpFile file;
    QCOMPARE(file.load(HelpPath), HelpFile::Status::Loaded);
    static const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    int links = 0;
    for (const HelpFile::Section& section : file.sections()) {
        QVERIFY2(!section.title.isEmpty(), qPrintable(section.id));
        QVERIFY2(!section.keywords.isEmpty(), qPrintable(section.id));
        for (const QRegularExpressionMatch& match : link.globalMatch(section.html)) {
            const QString target = match.captured(1);
            QVERIFY2(target.startsWith(u'#') && file.find(target.mid(1)),
                     qPrintable(section.id + QStringLiteral(" links to ") + target));
            ++links;
        }
    }
    QVERIFY(links > 0);
}

void TestHelp::installedEngineReceivesCalls() {
    {
        RecordingHelpEngine recorder;
        HelpEngine::install(&recorder);
        HelpEngine::current().setHelpFile(QStringLiteral("help.html"));
        HelpEngine::current().call(HelpCommand::Context, 20);
        HelpEngine::current().call(HelpCommand::Finder, 0);
        HelpEngine::install(nullptr);

        QCOMPARE(recorder.file, QStringLiteral("help.html"));
        const std::vector<std::pair<HelpCommand, int>> expected = {{HelpCommand::Context, 20},
                                                                   {HelpCommand::Finder, 0}};
        QVERIFY(recorder.calls == expected);
    }
    // The real engine is back; its window lives on until the application ends.
    auto* real = dynamic_cast<QtHelpEngine*>(&HelpEngine::current());
    QVERIFY(real);
    QVERIFY(!real->window());
    real->setHelpFile(HelpPath);
    real->call(HelpCommand::Context, 10);
    QVERIFY(real->window() && real->window()->isVisible());
    QCOMPARE(real->window()->currentSection(), QStringLiteral("topic-10"));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
