#include "About.h"
#include "Main.h"
#include "TestSupport.h"
#include "platform/CountdownTimer.h"
#include "platform/Cursors.h"
#include "platform/RandomSource.h"
#include "platform/RoundedShape.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

// Receives the addresses the dialog hands to the desktop, with the pointer
// shape at that moment.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
    QList<Qt::CursorShape> pointers;
public Q_SLOTS:
    void open(const QUrl& url) {
        urls << url;
        const QCursor* pointer = QGuiApplication::overrideCursor();
        pointers << (pointer ? pointer->shape() : Qt::ArrowCursor);
    }
};

class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void creationState();
    void promotionalLinesInOrder();
    void hoverStyle_data();
    void hoverStyle();
    void hoverChangesFontOnlyOnChange();
    void clickOpensAddressWithBusyPointer();
    void checkBoxSurvivesRestart();
    void closing_data();
    void closing();
    void escapeDoesNothing();

private:
    std::unique_ptr<TDlgAbout> m_dialog;
    std::unique_ptr<QTemporaryDir> m_config;
};

namespace {
// Counts the font changes of one widget.
class FontChangeCounter : public QObject {
public:
    explicit FontChangeCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FontChange)
            ++count;
        return false;
    }
};

QColor textColour(const QWidget* widget) { return widget->palette().color(QPalette::WindowText); }
} // namespace

void TestAbout::initTestCase() {
    QApplication::setApplicationName(QStringLiteral("Quavelet"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quavelet"));
}

void TestAbout::init() {
    m_config = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config->path());
    Cursors::registerCursor(1, QCursor(Qt::PointingHandCursor));
    ShowSplash = true;
    m_dialog = std::make_unique<TDlgAbout>();
}

void TestAbout::cleanup() {
    m_dialog.reset();
    delete Registry;
    Registry = nullptr;
    Cursors::clear();
}

void TestAbout::creationState() {
    TDlgAbout& dialog = *m_dialog;
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Quavelet: About"));
    QCOMPARE(dialog.size(), QSize(427, 278));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.lblVersion->text(), QStringLiteral("2.0.1"));
    QVERIFY(dialog.chkShowScreen->isChecked());
    QVERIFY(dialog.cmdOK->isDefault());
    QCOMPARE(dialog.lblURL->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(!dialog.URLHot());
    QVERIFY(!dialog.lblURL->font().underline());
    QVERIFY(dialog.lblURL->text().size() <= 79);
    QCOMPARE(dialog.imgLogo->geometry(), QRect(13, 14, 100, 100));
    QVERIFY(!dialog.imgLogo->pixmap().isNull());

    // The first line on show is the second one, in one of the six colours.
    QCOMPARE(dialog.tmrFlashTag, 1);
    QCOMPARE(dialog.lblHomeOf->text(), TDlgAbout::PromoLines[1]);
    QVERIFY(std::find(TDlgAbout::FlashColors.begin(), TDlgAbout::FlashColors.end(), textColour(dialog.lblHomeOf)) !=
            TDlgAbout::FlashColors.end());
    QVERIFY(dialog.tmrFlash->isEnabled());
    QCOMPARE(dialog.tmrFlash->interval(), 4000);

    const int lengths[] = {51, 43, 47, 50};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(TDlgAbout::PromoLines[i].size(), lengths[i]);

    // Unticked preference: the box starts unticked.
    ShowSplash = false;
    TDlgAbout quiet;
    QVERIFY(!quiet.chkShowScreen->isChecked());
    QVERIFY(!ShowSplash);
}

void TestAbout::promotionalLinesInOrder() {
    TDlgAbout& dialog = *m_dialog;
    RandomSource::global().seed(7);
    RandomSource replay;
    replay.seed(7);
    for (const int expected : {2, 3, 0, 1, 2}) {
        dialog.tmrFlashTimer();
        QCOMPARE(dialog.tmrFlashTag, expected);
        QCOMPARE(dialog.lblHomeOf->text(), TDlgAbout::PromoLines[expected]);
        QCOMPARE(rgb(textColour(dialog.lblHomeOf)), rgb(TDlgAbout::FlashColors[replay.next(6)]));
    }
}

void TestAbout::hoverStyle_data() {
    QTest::addColumn<QPoint>("point"); // in the dialog's client area
    QTest::addColumn<int>("effect");   // 1: lights up, 0: turns back, -1: leaves as it is
    QTest::newRow("address") << QPoint(200, 140) << 1;
    QTest::newRow("white frame beside the address") << QPoint(99, 140) << 1;
    QTest::newRow("dialog background") << QPoint(3, 3) << 0;
    QTest::newRow("sunken frame") << QPoint(9, 200) << 0;
    QTest::newRow("product name") << QPoint(260, 60) << 0;
    QTest::newRow("yellow box text") << QPoint(57, 140) << 0;
    QTest::newRow("yellow box edge") << QPoint(21, 158) << 0;
    QTest::newRow("logo") << QPoint(60, 60) << 0;
    QTest::newRow("version") << QPoint(335, 40) << 0;
    QTest::newRow("credit line") << QPoint(200, 225) << 0;
    QTest::newRow("promotional line") << QPoint(200, 180) << -1;
    QTest::newRow("OK button") << QPoint(370, 262) << -1;
    QTest::newRow("check box") << QPoint(60, 268) << -1;
}

// Real pointer movement, from both styles, reaches the handler the design
// gives the control under the pointer.
void TestAbout::hoverStyle() {
    QFETCH(QPoint, point);
    QFETCH(int, effect);
    TDlgAbout& dialog = *m_dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const bool before : {false, true}) {
        // From a place without a handler, so that every move is a real one.
        QTest::mouseMove(&dialog, QPoint(406, 185));
        dialog.SetURLHot(before);
        QTest::mouseMove(&dialog, point);
        QCOMPARE(dialog.URLHot(), effect < 0 ? before : effect == 1);
    }
}

void TestAbout::hoverChangesFontOnlyOnChange() {
    TDlgAbout& dialog = *m_dialog;
    FontChangeCounter changes(dialog.lblURL);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    for (const int x : {150, 160, 170, 180})
        QTest::mouseMove(&dialog, QPoint(x, 140));
    QCOMPARE(changes.count, 1);
    QVERIFY(dialog.lblURL->font().underline());
    QVERIFY(dialog.lblURL->font().bold());
    QCOMPARE(rgb(textColour(dialog.lblURL)), QStringLiteral("0,0,255"));

    for (const int y : {3, 4, 5})
        QTest::mouseMove(&dialog, QPoint(3, y));
    QCOMPARE(changes.count, 2);
    QVERIFY(!dialog.lblURL->font().underline());
    QVERIFY(dialog.lblURL->font().bold());
    QCOMPARE(rgb(textColour(dialog.lblURL)), QStringLiteral("0,0,0"));
}

void TestAbout::clickOpensAddressWithBusyPointer() {
    TDlgAbout& dialog = *m_dialog;
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    const auto unset = qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // The white frame outside the address opens nothing.
    QTest::mouseClick(dialog.Shape3, Qt::LeftButton, {}, QPoint(1, 12));
    QVERIFY(recorder.urls.isEmpty());

    QTest::mouseClick(dialog.lblURL, Qt::LeftButton, {}, QPoint(200, 10));
    QCOMPARE(recorder.urls, QList<QUrl>{QUrl(TDlgAbout::WebAddress)});
    QCOMPARE(recorder.pointers, QList<Qt::CursorShape>{Qt::WaitCursor});
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    // Pressed on the address, released outside it: no click.
    QTest::mousePress(dialog.lblURL, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(dialog.lblURL, Qt::LeftButton, {}, QPoint(300, 10));
    QCOMPARE(recorder.urls.size(), 1);
}

// The box sets the preference at once; the end of the program stores it and
// the next start reads it back.
void TestAbout::checkBoxSurvivesRestart() {
    TDlgAbout& dialog = *m_dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.chkShowScreen, Qt::LeftButton);
    QVERIFY(!ShowSplash);

    Registry = new SettingsStore;
    SaveSettings();
    ShowSplash = true;
    LoadSettings();
    QVERIFY(!ShowSplash);
    QCOMPARE(QSettings(m_config->path() + QStringLiteral("/Oblimo Software/Quavelet.conf"), QSettings::IniFormat)
                 .value(QStringLiteral("SplashScreen"))
                 .toString(),
             QStringLiteral("0"));
    TDlgAbout next;
    QVERIFY(!next.chkShowScreen->isChecked());

    QTest::mouseClick(dialog.chkShowScreen, Qt::LeftButton);
    QVERIFY(ShowSplash);
}

void TestAbout::closing_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("OK button") << 0;
    QTest::newRow("Enter") << 1;
    QTest::newRow("title bar") << 2;
}

// Each way of closing ends the modal showing and only hides the dialog,
// which can be shown again.
void TestAbout::closing() {
    QFETCH(int, how);
    TDlgAbout& dialog = *m_dialog;
    for (int showing = 0; showing < 2; ++showing) {
        bool closedFromInside = false;
        QTimer::singleShot(0, &dialog, [&] {
            QVERIFY(dialog.isVisible());
            if (how == 0)
                QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
            else if (how == 1)
                QTest::keyClick(&dialog, Qt::Key_Return);
            else
                dialog.close();
            closedFromInside = !dialog.isVisible();
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject); // a hung test ends
        dialog.exec();
        QVERIFY(closedFromInside);
        QVERIFY(!dialog.isVisible());
    }
}

void TestAbout::escapeDoesNothing() {
    TDlgAbout& dialog = *m_dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(dialog.cmdOK, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
