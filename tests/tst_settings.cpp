#include "Header.h"
#include "Main.h"
#include "TestSupport.h"
#include "platform/HelpEngine.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

// The settings store and the module start and end steps that read and write
// it, each test with a settings folder of its own.
class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void firstStartExplainsAndCreatesKey();
    void locateInstallDir_data();
    void locateInstallDir();
    void splashScreen_data();
    void splashScreen();
    void savingKeepsEverythingElse();
    void damagedFileLeftAlone_data();
    void damagedFileLeftAlone();
    void unopenableProgramKey();

private:
    QString programFile() const { return m_config->path() + QStringLiteral("/Oblimo Software/Quavelet.conf"); }
    QString makerFile() const { return m_config->path() + QStringLiteral("/Oblimo Software.conf"); }
    // "@" in a stored value stands for the test's scratch folder.
    QString scratch(QString text) const { return text.replace(u'@', m_scratch->path()); }
    void writeProgramKey(const QByteArray& text) const;
    void writeMakerKey(const QByteArray& text) const;
    QByteArray programKeyBytes() const;

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_scratch;
    std::unique_ptr<RecordingMessageBoxes> m_boxes;
};

namespace {
const QString FirstMessage = QStringLiteral(
    "Unable to locate name of installation folder under registry entry "
    "\"Software\\Oblimo Software\\Quavelet\\Directory\". Please re-install and try again.");

QString secondMessage(const QString& folder) {
    return QStringLiteral("Unable to locate installation folder \"") + folder +
           QStringLiteral("\". Please re-install and try again.");
}

void writeFile(const QString& name, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(name).absolutePath()));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

void TestSettings::init() {
    m_config = std::make_unique<QTemporaryDir>();
    m_scratch = std::make_unique<QTemporaryDir>();
    QVERIFY(m_config->isValid() && m_scratch->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config->path());
    m_boxes = std::make_unique<RecordingMessageBoxes>();
    InstallDir.clear();
    HelpEngine::current().setHelpFile(QString());
    StartupFailed = false;
    ShowSplash = true;
}

void TestSettings::cleanup() {
    delete Registry;
    Registry = nullptr;
    m_boxes.reset();
}

void TestSettings::writeProgramKey(const QByteArray& text) const { writeFile(programFile(), text); }
void TestSettings::writeMakerKey(const QByteArray& text) const { writeFile(makerFile(), text); }
QByteArray TestSettings::programKeyBytes() const { return readFile(programFile()); }

void TestSettings::firstStartExplainsAndCreatesKey() {
    MainModuleStart();
    QCOMPARE(m_boxes->plains, QStringList{FirstMessage});
    QVERIFY(StartupFailed);
    QVERIFY(InstallDir.isEmpty());
    QVERIFY(QFileInfo(programFile()).isFile());
    QVERIFY2(!QFileInfo::exists(makerFile()), "the maker's key is never created");

    MainModuleEnd();
    QCOMPARE(Registry, nullptr);
    QSettings stored(programFile(), QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("SplashScreen")).toString(), QStringLiteral("1"));
}

void TestSettings::locateInstallDir_data() {
    QTest::addColumn<QString>("directory");   // stored "Directory"; null: none
    QTest::addColumn<QString>("devHome");     // stored "DevHome"; null: no maker's key
    QTest::addColumn<QStringList>("folders"); // folders that exist
    QTest::addColumn<QString>("installDir");  // expected; null when it fails
    QTest::addColumn<QString>("message");     // expected message; null when it succeeds

    const QString none;
    QTest::newRow("folder exists") << "@/app" << none << QStringList{"@/app"} << "@/app/" << none;
    QTest::newRow("trailing separator kept single")
        << "@/app/" << none << QStringList{"@/app"} << "@/app/" << none;
    QTest::newRow("missing folder, no DevHome")
        << "@/gone" << none << QStringList{} << none << secondMessage("@/gone");
    QTest::newRow("missing folder, DevHome has it")
        << "@/gone" << "@/dev" << QStringList{"@/dev/quavelet"} << "@/dev/quavelet/" << none;
    QTest::newRow("missing folder, DevHome lacks it")
        << "@/gone" << "@/dev" << QStringList{"@/dev"} << none << secondMessage("@/dev/quavelet");
    QTest::newRow("no Directory, DevHome has it")
        << none << "@/dev" << QStringList{"@/dev/quavelet"} << "@/dev/quavelet/" << none;
    QTest::newRow("no Directory, empty DevHome") << none << "" << QStringList{} << none << FirstMessage;
    QTest::newRow("Directory names a file") << "@/file" << none << QStringList{} << none << secondMessage("@/file");
    // An unquoted comma makes the value a list: another type, read as empty.
    QTest::newRow("Directory of another type") << "@/a, @/b" << none << QStringList{"@/a"} << none << FirstMessage;
}

void TestSettings::locateInstallDir() {
    QFETCH(QString, directory);
    QFETCH(QString, devHome);
    QFETCH(QStringList, folders);
    QFETCH(QString, installDir);
    QFETCH(QString, message);

    for (const QString& folder : folders)
        QVERIFY(QDir().mkpath(scratch(folder)));
    writeFile(scratch(QStringLiteral("@/file")), "not a folder");
    if (!directory.isNull())
        writeProgramKey("[General]\nDirectory=" + scratch(directory).toUtf8() + "\n");
    if (!devHome.isNull())
        writeMakerKey("[General]\nDevHome=" + scratch(devHome).toUtf8() + "\n");

    MainModuleStart();
    if (message.isNull()) {
        QCOMPARE(m_boxes->plains, QStringList{});
        QVERIFY(!StartupFailed);
        QCOMPARE(InstallDir, scratch(installDir));
        QCOMPARE(HelpEngine::current().helpFile(), scratch(installDir) + QStringLiteral("quavelet.html"));
    } else {
        QCOMPARE(m_boxes->plains, QStringList{scratch(message)});
        QVERIFY(StartupFailed);
        QVERIFY(HelpEngine::current().helpFile().isEmpty());
    }
    MainModuleEnd();
}

void TestSettings::splashScreen_data() {
    QTest::addColumn<QByteArray>("line"); // the stored line; empty: none
    QTest::addColumn<bool>("showSplash");
    QTest::newRow("missing") << QByteArray() << true;
    QTest::newRow("0") << QByteArray("SplashScreen=0") << false;
    QTest::newRow("1") << QByteArray("SplashScreen=1") << true;
    QTest::newRow("any other integer") << QByteArray("SplashScreen=-7") << true;
    QTest::newRow("signed zero") << QByteArray("SplashScreen=+0") << false;
    QTest::newRow("text") << QByteArray("SplashScreen=no") << true;
    QTest::newRow("hexadecimal") << QByteArray("SplashScreen=0x0") << true;
    QTest::newRow("zero with a space") << QByteArray("SplashScreen=\"0 \"") << true;
    QTest::newRow("zero with a final newline") << QByteArray("SplashScreen=0\\n") << true;
    QTest::newRow("beyond 32 bits") << QByteArray("SplashScreen=4294967296") << true;
    QTest::newRow("a list") << QByteArray("SplashScreen=0, 0") << true;
}

// The stored preference is read strictly, and the end of the program writes
// back exactly what was read (or 1) when nothing changed it.
void TestSettings::splashScreen() {
    QFETCH(QByteArray, line);
    QFETCH(bool, showSplash);
    QVERIFY(QDir().mkpath(m_scratch->path() + QStringLiteral("/app")));
    writeProgramKey("[General]\nDirectory=" + m_scratch->path().toUtf8() + "/app\n" + line + "\n");

    MainModuleStart();
    QVERIFY(!StartupFailed);
    QCOMPARE(ShowSplash, showSplash);
    MainModuleEnd();

    QSettings stored(programFile(), QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("SplashScreen")).toString(), showSplash ? QStringLiteral("1") : QStringLiteral("0"));
}

void TestSettings::savingKeepsEverythingElse() {
    writeProgramKey("[General]\nDirectory=\"/opt/a, b/\"\nNote=kept\n\n[Window]\nLeft=12\n");
    Registry = new SettingsStore;
    ShowSplash = false;
    SaveSettings();

    QSettings stored(programFile(), QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("Directory")).toString(), QStringLiteral("/opt/a, b/"));
    QCOMPARE(stored.value(QStringLiteral("Note")).toString(), QStringLiteral("kept"));
    QCOMPARE(stored.value(QStringLiteral("Window/Left")).toString(), QStringLiteral("12"));
    QCOMPARE(stored.value(QStringLiteral("SplashScreen")).toString(), QStringLiteral("0"));

    // And the next start reads the preference back.
    ShowSplash = true;
    LoadSettings();
    QCOMPARE(ShowSplash, false);
}

void TestSettings::damagedFileLeftAlone_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("readable"); // its values are still understood
    QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n\x00\x01garbage SplashScreen=0\x00", 33) << false;
    QTest::newRow("unterminated section") << QByteArray("[Quavelet\nSplashScreen=0\n") << false;
    QTest::newRow("truncated line") << QByteArray("[General]\nSplashScreen=0\nDirec") << false;
    QTest::newRow("truncated quoted value") << QByteArray("[General]\nSplashScreen=0\nDirectory=\"/opt/qu") << false;
    QTest::newRow("not UTF-8") << QByteArray("[General]\nSplashScreen=0\nName=\xff\xfe\n") << false;
    QTest::newRow("continued line") << QByteArray("[General]\nSplash\\\nScreen=0\n") << false;
    // Comments are understood, but a rewrite by QSettings would drop them.
    QTest::newRow("comment") << QByteArray("; mine\n[General]\nSplashScreen=0\n") << true;
    // An unquoted semicolon starts a comment after a value too: a rewrite
    // would cut the value short there.
    QTest::newRow("comment after a value") << QByteArray("[General]\nSplashScreen=0\nNote=kept ; why\n") << true;
    QTest::newRow("semicolon in a value") << QByteArray("[General]\nSplashScreen=0\nPath=/opt/a;b\n") << true;
}

// A file the store cannot fully understand starts the program with the
// defaults and is never written over: not at the start (the key is not
// re-created), not at the end.
void TestSettings::damagedFileLeftAlone() {
    QFETCH(QByteArray, text);
    QFETCH(bool, readable);
    writeProgramKey(text);

    MainModuleStart();
    QCOMPARE(ShowSplash, !readable);
    QCOMPARE(m_boxes->plains, QStringList{FirstMessage});
    ShowSplash = true;
    MainModuleEnd();
    QCOMPARE(programKeyBytes(), text);
}

// When the program's key can be neither found nor created, nothing is read
// or written and the first message tells the player what to do.
void TestSettings::unopenableProgramKey() {
    const QString blocker = m_scratch->path() + QStringLiteral("/not-a-folder");
    writeFile(blocker, "x");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker);

    SettingsStore store;
    QVERIFY(!store.openProgramKey());
    QVERIFY(!store.openMakerKey());
    MainModuleStart();
    QVERIFY(ShowSplash);
    QCOMPARE(m_boxes->plains, QStringList{FirstMessage});
    MainModuleEnd();
    QCOMPARE(readFile(blocker), QByteArray("x"));
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
