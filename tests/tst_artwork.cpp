#include "TestSupport.h"
#include "platform/ImageList.h"
#include "platform/SystemColors.h"
#include "staff/Artwork.h"

#include <QBitmap>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <QSet>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <functional>
#include <memory>

// Every picture the program shows: cell sizes and counts, the rows on which
// clefs and notes meet the staff, their colours and masks, and the fixed
// pictures, cursor and icon.
class TestArtwork : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lists_data();
    void lists();
    void palette_data();
    void palette();
    void clefLineSegments();
    void clefExtent_data();
    void clefExtent();
    void greyClefsMatchBlackOnes();
    void notes_data();
    void notes();
    void notesAvoidKeyColours();
    void letters();
    void commandPictures_data();
    void commandPictures();
    void firstCommandIsLetterA();
    void disabledIconShowsDisabledList();
    void stopwatch();
    void logo();
    void cursor();
    void icon();
};

namespace {

constexpr QRgb Black = 0xff000000u;
constexpr QRgb White = 0xffffffffu;
constexpr QRgb DarkGrey = 0xff7b7b7bu;
constexpr QRgb Yellow = 0xffffff00u;
constexpr QRgb DarkRed = 0xff7b0000u;
constexpr QRgb Cyan = 0xff00ffffu;
constexpr QRgb Red = 0xffff0000u;

constexpr int ClefLineRows[] = {14, 24, 34, 44, 54};

bool isLineRow(int y) {
    for (int row : ClefLineRows)
        if (row == y)
            return true;
    return false;
}

using Loader = std::function<ImageList()>;

struct ListInfo {
    const char* name;
    Loader load;
    QSize cell;
    int count;
};

const ListInfo Lists[] = {
    {"clefs", LoadClefs, {29, 72}, 4},
    {"notes", LoadNotes, {20, 68}, 10},
    {"letters enabled", LoadLettersEnabled, {16, 16}, 7},
    {"letters disabled", LoadLettersDisabled, {16, 16}, 7},
    {"commands enabled", LoadCommandsEnabled, {16, 16}, 10},
    {"commands disabled", LoadCommandsDisabled, {16, 16}, 10},
};

// The colour of an unmasked pixel, or 0 (fully transparent) for a masked one.
QRgb colourAt(const QImage& picture, int x, int y) {
    const QRgb pixel = picture.pixel(x, y);
    return qAlpha(pixel) == 0 ? 0 : pixel;
}

// The bounding box of the pixels for which keep() is true.
QRect boxOf(const QImage& picture, const std::function<bool(int x, int y, QRgb colour)>& keep) {
    QRect box;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (const QRgb c = colourAt(picture, x, y); c != 0 && keep(x, y, c))
                box |= QRect(x, y, 1, 1);
    return box;
}

QString describe(QRgb colour) { return qAlpha(colour) == 0 ? QStringLiteral("masked") : rgb(QColor(colour)); }

} // namespace

void TestArtwork::lists_data() {
    QTest::addColumn<int>("list");
    for (int i = 0; i < int(std::size(Lists)); ++i)
        QTest::newRow(Lists[i].name) << i;
}

void TestArtwork::lists() {
    QFETCH(int, list);
    const ListInfo& info = Lists[list];
    const ImageList images = info.load();
    QCOMPARE(images.cellSize(), info.cell);
    QCOMPARE(images.count(), info.count);
    for (int i = 0; i < info.count; ++i) {
        QCOMPARE(images.picture(i).size(), info.cell);
        // Every picture shows something and leaves something masked.
        QVERIFY2(!boxOf(images.picture(i), [](int, int, QRgb) { return true; }).isEmpty(),
                 qPrintable(QStringLiteral("picture %1 is empty").arg(i)));
    }
    QVERIFY(images.picture(info.count).isNull());
}

void TestArtwork::palette_data() { lists_data(); }

void TestArtwork::palette() {
    QFETCH(int, list);
    const ImageList images = Lists[list].load();
    const QSet<QRgb> allowed{Black, White, DarkGrey, Yellow, DarkRed, Cyan, Red};
    for (int i = 0; i < images.count(); ++i) {
        const QImage picture = images.picture(i);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = colourAt(picture, x, y);
                if (c != 0 && !allowed.contains(c))
                    QFAIL(qPrintable(QStringLiteral("picture %1 pixel (%2, %3) is %4").arg(i).arg(x).arg(y).arg(describe(c))));
            }
    }
}

void TestArtwork::clefLineSegments() {
    const ImageList clefs = LoadClefs();
    for (int i = 0; i < 4; ++i) {
        const bool grey = i >= 2;
        const QImage picture = clefs.picture(i);
        int greyOnLines = 0;
        for (int y : ClefLineRows)
            for (int x = 0; x < 29; ++x) {
                const QRgb c = colourAt(picture, x, y);
                const bool ok = c == Black || (grey && c == DarkGrey);
                QVERIFY2(ok, qPrintable(QStringLiteral("clef %1 (%2, %3) is %4").arg(i).arg(x).arg(y).arg(describe(c))));
                greyOnLines += c == DarkGrey;
            }
        // A grey clef is painted over the segments where it crosses them.
        if (grey)
            QVERIFY(greyOnLines > 10);
    }
}

void TestArtwork::clefExtent_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("extent");
    QTest::addColumn<QList<QRect>>("solid");
    // Solid parts: the bass clef's head on the F line and its two dots, the
    // treble clef's dot at the end of its tail.
    const QList<QRect> bassSolid{QRect(QPoint(3, 22), QPoint(8, 26)), QRect(QPoint(25, 19), QPoint(27, 21)),
                                 QRect(QPoint(25, 27), QPoint(27, 30))};
    const QList<QRect> trebleSolid{QRect(QPoint(8, 62), QPoint(13, 68))};
    const QRect bass(QPoint(0, 15), QPoint(28, 45));
    const QRect treble(QPoint(0, 1), QPoint(26, 71));
    QTest::newRow("bass black") << 0 << bass << bassSolid;
    QTest::newRow("treble black") << 1 << treble << trebleSolid;
    QTest::newRow("bass grey") << 2 << bass << bassSolid;
    QTest::newRow("treble grey") << 3 << treble << trebleSolid;
}

void TestArtwork::clefExtent() {
    QFETCH(int, index);
    QFETCH(QRect, extent);
    QFETCH(QList<QRect>, solid);
    const QImage picture = LoadClefs().picture(index);
    // The clef itself: every unmasked pixel but the black line segments.
    const QRect box = boxOf(picture, [](int, int y, QRgb c) { return !(isLineRow(y) && c == Black); });
    QCOMPARE(box, extent);
    const QRgb ink = index >= 2 ? DarkGrey : Black;
    for (const QRect& part : solid)
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left(); x <= part.right(); ++x)
                if (!isLineRow(y))
                    QCOMPARE(describe(colourAt(picture, x, y)), describe(ink));
}

void TestArtwork::greyClefsMatchBlackOnes() {
    // The grey clefs have the shapes of the black ones, in solid dark grey.
    const ImageList clefs = LoadClefs();
    for (int black = 0; black < 2; ++black) {
        const QImage a = clefs.picture(black);
        const QImage b = clefs.picture(black + 2);
        for (int y = 0; y < 72; ++y) {
            if (isLineRow(y))
                continue;
            for (int x = 0; x < 29; ++x) {
                const QRgb expected = colourAt(a, x, y) == 0 ? 0 : DarkGrey;
                QCOMPARE(describe(colourAt(b, x, y)), describe(expected));
            }
        }
    }
}

void TestArtwork::notes_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("stemUp");
    QTest::addColumn<int>("headCentre");
    QTest::addColumn<QList<int>>("ledgers");
    QTest::addColumn<int>("stemTop");
    QTest::addColumn<int>("stemBottom");
    QTest::addRow("0 up") << 0 << true << 36 << QList<int>{} << 1 << 35;
    QTest::addRow("1 up, ledger through head") << 1 << true << 36 << QList<int>{36} << 1 << 35;
    QTest::addRow("2 down") << 2 << false << 6 << QList<int>{} << 12 << 41;
    QTest::addRow("3 down, ledger through head") << 3 << false << 6 << QList<int>{6} << 12 << 41;
    QTest::addRow("4 below one ledger") << 4 << true << 41 << QList<int>{36} << 3 << 40;
    QTest::addRow("5 on second ledger") << 5 << true << 46 << QList<int>{36, 46} << 4 << 45;
    QTest::addRow("6 below two ledgers") << 6 << true << 51 << QList<int>{36, 46} << 9 << 50;
    QTest::addRow("7 on third ledger") << 7 << true << 56 << QList<int>{36, 46, 56} << 11 << 55;
    QTest::addRow("8 below three ledgers") << 8 << true << 61 << QList<int>{36, 46, 56} << 13 << 60;
    QTest::addRow("9 down, on a ledger") << 9 << false << 6 << QList<int>{11} << 12 << 44;
}

void TestArtwork::notes() {
    QFETCH(int, index);
    QFETCH(bool, stemUp);
    QFETCH(int, headCentre);
    QFETCH(QList<int>, ledgers);
    QFETCH(int, stemTop);
    QFETCH(int, stemBottom);
    const QImage picture = LoadNotes().picture(index);
    const int stemLeft = stemUp ? 15 : (index == 9 ? 3 : 4);
    const int headLeft = index == 9 ? 3 : 4;
    const int headRight = stemUp ? 16 : (index == 9 ? 14 : 15);

    for (int y : ledgers)
        for (int x = 0; x < 20; ++x)
            QCOMPARE(describe(colourAt(picture, x, y)), describe(Black));

    // The stem: a black column with a dark-grey one to its right, exactly
    // over its rows; the ledger lines cross it.
    for (int y = 0; y < 68; ++y) {
        if (ledgers.contains(y))
            continue;
        const bool inStem = y >= stemTop && y <= stemBottom;
        const bool beyondStem = stemUp ? y < stemTop : y > stemBottom;
        if (inStem) {
            QCOMPARE(describe(colourAt(picture, stemLeft, y)), describe(Black));
            QCOMPARE(describe(colourAt(picture, stemLeft + 1, y)), describe(DarkGrey));
        } else if (beyondStem) {
            QVERIFY2(colourAt(picture, stemLeft, y) == 0 && colourAt(picture, stemLeft + 1, y) == 0,
                     qPrintable(QStringLiteral("stem reaches row %1").arg(y)));
        }
    }

    // The head: what is left beside the stem and the ledger lines, 13 (or
    // 12) columns wide and 11 rows high around its centre row; it is hollow.
    const QRect head = boxOf(picture, [&](int x, int y, QRgb) {
        const bool stem = y >= stemTop && y <= stemBottom && (x == stemLeft || x == stemLeft + 1);
        return !stem && !ledgers.contains(y);
    });
    QCOMPARE(head.left(), headLeft);
    QCOMPARE(head.right(), headRight);
    const int top = headCentre - 5;
    const int bottom = headCentre + 5;
    QCOMPARE(head.top(), ledgers.contains(top) ? top + 1 : top);
    QCOMPARE(head.bottom(), ledgers.contains(bottom) ? bottom - 1 : bottom);
    const int hollowRow = headCentre - 1;
    int firstInk = -1, lastInk = -1, gaps = 0;
    for (int x = headLeft; x <= headRight; ++x)
        if (colourAt(picture, x, hollowRow) != 0) {
            if (firstInk < 0)
                firstInk = x;
            lastInk = x;
        }
    for (int x = firstInk; x <= lastInk; ++x)
        gaps += colourAt(picture, x, hollowRow) == 0;
    QVERIFY2(gaps >= 2, "the head is not hollow");

    // Nothing outside the head, the stem and the ledger lines.
    QRect allowed = QRect(QPoint(headLeft, top), QPoint(headRight, bottom));
    allowed |= QRect(QPoint(stemLeft, stemTop), QPoint(stemLeft + 1, stemBottom));
    const QRect stray = boxOf(picture, [&](int x, int y, QRgb) { return !ledgers.contains(y) && !allowed.contains(x, y); });
    QVERIFY2(stray.isEmpty(), qPrintable(QStringLiteral("stray pixels at row %1").arg(stray.top())));
}

void TestArtwork::notesAvoidKeyColours() {
    // A note is drawn through the button-face colour as its key; whichever
    // scheme supplies that colour, no note pixel may vanish.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QVERIFY(fusion);
    const QSet<QRgb> keys{qRgb(192, 192, 192), ButtonFace().rgb(),
                          QGuiApplication::palette().color(QPalette::Window).rgb(),
                          fusion->standardPalette().color(QPalette::Window).rgb()};
    const ImageList notes = LoadNotes();
    for (int i = 0; i < notes.count(); ++i) {
        const QImage picture = notes.picture(i);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = colourAt(picture, x, y);
                QVERIFY2(c == 0 || c == Black || c == DarkGrey,
                         qPrintable(QStringLiteral("note %1 (%2, %3) is %4").arg(i).arg(x).arg(y).arg(describe(c))));
                QVERIFY(c == 0 || !keys.contains(c));
            }
    }
}

void TestArtwork::letters() {
    const ImageList enabled = LoadLettersEnabled();
    const ImageList disabled = LoadLettersDisabled();
    for (int i = 0; i < 7; ++i) {
        const QImage on = enabled.picture(i);
        const QImage off = disabled.picture(i);
        // Black strokes 13 rows high, rows 2 to 14, with a white highlight.
        const QRect strokes = boxOf(on, [](int, int, QRgb c) { return c == Black; });
        QCOMPARE(strokes.top(), 2);
        QCOMPARE(strokes.bottom(), 14);
        QVERIFY(!boxOf(on, [](int, int, QRgb c) { return c == White; }).isEmpty());
        // The disabled letter is the same letter with dark-grey strokes.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb c = colourAt(on, x, y);
                QCOMPARE(describe(colourAt(off, x, y)), describe(c == Black ? DarkGrey : c));
            }
    }
}

void TestArtwork::commandPictures_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("extent");
    QTest::addColumn<QList<QRgb>>("colours");
    QTest::newRow("piano") << 1 << QRect(QPoint(0, 0), QPoint(14, 12)) << QList<QRgb>{Black, White, DarkGrey};
    QTest::newRow("guitar") << 2 << QRect(QPoint(0, 0), QPoint(15, 15)) << QList<QRgb>{Black, DarkGrey, Yellow, DarkRed};
    QTest::newRow("treble clef") << 3 << QRect(QPoint(4, 0), QPoint(9, 15)) << QList<QRgb>{Black, DarkGrey};
    QTest::newRow("bass clef") << 4 << QRect(QPoint(3, 3), QPoint(11, 11)) << QList<QRgb>{Black, DarkGrey};
    QTest::newRow("both clefs") << 5 << QRect(QPoint(0, 0), QPoint(15, 15)) << QList<QRgb>{Black, DarkGrey};
    QTest::newRow("single octave") << 6 << QRect(QPoint(3, 3), QPoint(12, 12)) << QList<QRgb>{Black, White};
    QTest::newRow("full range") << 7 << QRect(QPoint(0, 3), QPoint(15, 12)) << QList<QRgb>{Black, White};
    QTest::newRow("begin quiz") << 8 << QRect(QPoint(0, 0), QPoint(14, 14)) << QList<QRgb>{Cyan, Black, White, DarkGrey};
    QTest::newRow("end quiz") << 9 << QRect(QPoint(0, 0), QPoint(15, 15)) << QList<QRgb>{Cyan, Black, White, DarkGrey};
}

void TestArtwork::commandPictures() {
    QFETCH(int, index);
    QFETCH(QRect, extent);
    QFETCH(QList<QRgb>, colours);
    const QImage enabled = LoadCommandsEnabled().picture(index);
    const QImage disabled = LoadCommandsDisabled().picture(index);
    QCOMPARE(boxOf(enabled, [](int, int, QRgb) { return true; }), extent);
    QSet<QRgb> used;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (const QRgb c = colourAt(enabled, x, y))
                used.insert(c);
            // Disabled pictures keep no colour: dark grey, black and white.
            const QRgb d = colourAt(disabled, x, y);
            QVERIFY2(d == 0 || d == DarkGrey || d == Black || d == White,
                     qPrintable(QStringLiteral("disabled (%1, %2) is %3").arg(x).arg(y).arg(describe(d))));
        }
    QCOMPARE(used, QSet<QRgb>(colours.begin(), colours.end()));
    QVERIFY(!boxOf(disabled, [](int, int, QRgb) { return true; }).isEmpty());
}

void TestArtwork::firstCommandIsLetterA() {
    QCOMPARE(LoadCommandsEnabled().picture(0), LoadLettersEnabled().picture(0));
    QCOMPARE(LoadCommandsDisabled().picture(0), LoadLettersDisabled().picture(0));
}

void TestArtwork::disabledIconShowsDisabledList() {
    // A disabled tool button shows the disabled list's picture, checked or
    // not; an enabled one the list's own.
    const ImageList enabled = LoadCommandsEnabled();
    const ImageList disabled = LoadCommandsDisabled();
    const QIcon icon = enabled.icon(8, &disabled);
    const auto shown = [&icon](QIcon::Mode mode, QIcon::State state) {
        return icon.pixmap(QSize(16, 16), mode, state).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    for (QIcon::State state : {QIcon::Off, QIcon::On}) {
        QCOMPARE(shown(QIcon::Normal, state), enabled.picture(8));
        QCOMPARE(shown(QIcon::Disabled, state), disabled.picture(8));
    }
}

void TestArtwork::stopwatch() {
    const QImage strip = StopwatchPicture().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(strip.size(), QSize(32, 16));
    // The olive background is transparent, and no olive is left.
    for (const QPoint corner : {QPoint(0, 0), QPoint(0, 15), QPoint(15, 15), QPoint(16, 0), QPoint(31, 0), QPoint(31, 15)})
        QCOMPARE(qAlpha(strip.pixel(corner)), 0);
    const QRgb olive = qRgb(128, 128, 0);
    QSet<QRgb> left, right;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb c = colourAt(strip, x, y);
            QVERIFY(c != olive);
            if (c)
                (x < 16 ? left : right).insert(c);
        }
    // The left watch: black outline, white face, red hand; the right one
    // greyed, without red.
    QVERIFY(left.contains(Black) && left.contains(White) && left.contains(Red));
    QVERIFY(!right.contains(Red) && !right.contains(Black) && right.contains(White));
    QCOMPARE(describe(colourAt(strip, 5, 9)), describe(White));
}

void TestArtwork::logo() {
    const QImage logo = LogoPicture().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(logo.size(), QSize(100, 100));
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool frame = std::min({x, y, 99 - x, 99 - y}) < 2;
            const QRgb c = colourAt(logo, x, y);
            QVERIFY2(frame ? c == 0 : c != 0 && c != qRgb(255, 0, 255),
                     qPrintable(QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(describe(c))));
        }
}

void TestArtwork::cursor() {
    const QCursor hand = HandPointCursor();
    QCOMPARE(hand.shape(), Qt::BitmapCursor);
    QCOMPARE(hand.hotSpot(), QPoint(13, 7));
    const QImage ink = hand.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage mask = hand.mask().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(ink.size(), QSize(32, 32));
    QCOMPARE(mask.size(), QSize(32, 32));
    // Set bits read black. The hot spot is on the black outline of the
    // fingertip, with nothing above it; inside the finger is white.
    QCOMPARE(rgbAt(mask, 13, 7), QStringLiteral("0,0,0"));
    QCOMPARE(rgbAt(ink, 13, 7), QStringLiteral("0,0,0"));
    for (int y = 0; y < 7; ++y)
        QCOMPARE(rgbAt(mask, 13, y), QStringLiteral("255,255,255"));
    QCOMPARE(rgbAt(mask, 13, 10), QStringLiteral("0,0,0"));
    QCOMPARE(rgbAt(ink, 13, 10), QStringLiteral("255,255,255"));
}

void TestArtwork::icon() {
    const QIcon icon = ProgramIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int n : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QVERIFY2(sizes.contains(QSize(n, n)), qPrintable(QStringLiteral("no %1 x %1").arg(n)));
        QCOMPARE(icon.pixmap(QSize(n, n)).size(), QSize(n, n));
    }
    // The program's own picture: 32 x 32, 16 colours at most, no
    // transparent pixel.
    const QImage main = icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            QCOMPARE(qAlpha(main.pixel(x, y)), 255);
            colours.insert(main.pixel(x, y));
        }
    QVERIFY(colours.size() <= 16);
    QVERIFY(colours.contains(qRgb(192, 192, 192)) && colours.contains(Red) && colours.contains(Black));
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
