#include "instruments/PianoKeyboard.h"
#include "platform/Canvas.h"

#include "TestSupport.h"

#include <QImage>
#include <QRegion>
#include <QTest>

#include <set>
#include <vector>

// The piano keyboard without a window: key boundaries, the hit test, the
// drawing of each layout and the selection marker, on a canvas the size of
// the instrument box.
class TestPiano : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutRule_data();
    void layoutRule();
    void keyLeft_data();
    void keyLeft();
    void hitTestPoints_data();
    void hitTestPoints();
    void everyKeyAnswersBelowTheBlackKeys_data();
    void everyKeyAnswersBelowTheBlackKeys();
    void blackKeyDeadZones_data();
    void blackKeyDeadZones();
    void drawnKeyboard_data();
    void drawnKeyboard();
    void outerHalfBlackKeys();
    void marker_data();
    void marker();
    void noMarkerOutsideTheLayout_data();
    void noMarkerOutsideTheLayout();
};

namespace {

constexpr int BoxWidth = 232;
constexpr int BoxHeight = 87;

const QString White = QStringLiteral("255,255,255");
const QString Grey = QStringLiteral("224,224,224");
const QString Tint = QStringLiteral("224,255,255");
const QString Black = QStringLiteral("0,0,0");
const QString Strip = QStringLiteral("192,64,0");
const QString Backdrop = QStringLiteral("64,0,0");
const QString Red = QStringLiteral("255,0,0");

// The key boundaries of each layout as first x and stride, and where their
// black keys are drawn, as the geometry table of the keyboard gives them.
struct LayoutGeometry {
    int firstLeft;
    int stride;
    int keyCount;
    std::vector<std::pair<int, int>> greyX;          // inclusive ranges
    std::pair<int, int> tintX;                       // {-1, -1} for none
    std::vector<std::pair<int, int>> blackX;         // inclusive ranges
};

std::vector<std::pair<int, int>> Layout3BlackKeys() {
    const std::set<int> none = {1, 5, 8, 12, 15, 19, 22};
    std::vector<std::pair<int, int>> keys;
    for (int i = 0; i <= 25; ++i)
        if (!none.count(i))
            keys.push_back({3 + 9 * i - 2, 3 + 9 * i + 2});
    return keys;
}

const LayoutGeometry& Geometry(int layout) {
    static const LayoutGeometry table[4] = {
        {11, 21, 10, {{0, 31}, {200, 231}}, {-1, -1},
         {{7, 15}, {49, 57}, {70, 78}, {112, 120}, {133, 141}, {154, 162}, {196, 204}, {217, 225}}},
        {5, 17, 13, {{0, 4}, {226, 231}}, {5, 21},
         {{19, 25}, {36, 42}, {70, 76}, {87, 93}, {104, 110}, {138, 144}, {155, 161}, {189, 195}, {206, 212},
          {223, 229}}},
        {5, 17, 13, {{0, 4}, {226, 231}}, {209, 225},
         {{2, 8}, {36, 42}, {53, 59}, {70, 76}, {104, 110}, {121, 127}, {155, 161}, {172, 178}, {189, 195},
          {223, 229}}},
        {3, 9, 25, {{0, 2}, {228, 231}}, {111, 119}, Layout3BlackKeys()},
    };
    return table[layout];
}

bool InRanges(int x, const std::vector<std::pair<int, int>>& ranges) {
    for (const auto& [first, last] : ranges)
        if (x >= first && x <= last)
            return true;
    return false;
}

QImage DrawnPiano(int layout, bool fullRange) {
    QImage image(BoxWidth, BoxHeight, QImage::Format_RGB32);
    image.fill(Qt::blue); // anything the drawing leaves out shows up
    Canvas canvas(image);
    DrawPiano(canvas, KeyboardLayouts[layout], fullRange);
    return image;
}

// Compares one pixel, naming its place when it differs.
void ComparePixel(const QImage& image, int x, int y, const QString& expected) {
    const QString where = QStringLiteral("(%1, %2) ").arg(x).arg(y);
    QCOMPARE(where + rgbAt(image, x, y), where + expected);
}

} // namespace

void TestPiano::layoutRule_data() {
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<TStaffChoice>("staff");
    QTest::addColumn<int>("layout");
    QTest::newRow("octave, treble") << false << TStaffChoice::scTreble << 0;
    QTest::newRow("octave, bass") << false << TStaffChoice::scBass << 0;
    QTest::newRow("octave, all") << false << TStaffChoice::scAll << 0;
    QTest::newRow("full, treble") << true << TStaffChoice::scTreble << 1;
    QTest::newRow("full, bass") << true << TStaffChoice::scBass << 2;
    QTest::newRow("full, all") << true << TStaffChoice::scAll << 3;
}

void TestPiano::layoutRule() {
    QFETCH(bool, fullRange);
    QFETCH(TStaffChoice, staff);
    QFETCH(int, layout);
    QCOMPARE(KeyboardLayoutFor(fullRange, staff), layout);
}

void TestPiano::keyLeft_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("x");
    for (int layout = 0; layout < 4; ++layout) {
        const LayoutGeometry& g = Geometry(layout);
        for (int n = 0; n <= g.keyCount; ++n)
            QTest::addRow("layout %d, boundary %d", layout, n) << layout << n << g.firstLeft + g.stride * n;
    }
    // An odd pixel of margin goes to the right.
    QTest::newRow("last boundaries") << 0 << 10 << 221;
}

void TestPiano::keyLeft() {
    QFETCH(int, layout);
    QFETCH(int, n);
    QFETCH(int, x);
    QCOMPARE(KeyLeft(KeyboardLayouts[layout], BoxWidth, n), x);
}

void TestPiano::hitTestPoints_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("step");
    QTest::newRow("grey key left") << 0 << 20 << 60 << 11;
    QTest::newRow("grey key right") << 0 << 210 << 60 << 20;
    QTest::newRow("grey key left, top") << 0 << 20 << 0 << 11;
    QTest::newRow("left margin") << 0 << 10 << 60 << -1;
    QTest::newRow("first column of the keys") << 0 << 11 << 60 << 11;
    QTest::newRow("last column of the keys") << 0 << 220 << 60 << 20;
    QTest::newRow("right boundary") << 0 << 221 << 60 << -1;
    QTest::newRow("right margin") << 0 << 231 << 60 << -1;
    QTest::newRow("middle C, no black key on its left") << 0 << 33 << 10 << 12;
    QTest::newRow("C sharp") << 0 << 54 << 10 << -1;
    QTest::newRow("below C sharp") << 0 << 54 << 50 << 13;
    QTest::newRow("last key row") << 0 << 40 << 67 << 12;
    QTest::newRow("red strip") << 0 << 40 << 68 << -1;
    QTest::newRow("dark strip") << 0 << 40 << 80 << -1;
    QTest::newRow("above the box") << 0 << 40 << -1 << -1;
    QTest::newRow("left of the box") << 0 << -5 << 60 << -1;
    QTest::newRow("right of the box") << 0 << 300 << 60 << -1;
    QTest::newRow("half black key beyond boundary 0") << 0 << 8 << 10 << -1;
    QTest::newRow("D sharp side of E") << 1 << 40 << 10 << -1;
    QTest::newRow("E beside the drawn black key") << 1 << 43 << 10 << 14;
    QTest::newRow("layout 1, last key") << 1 << 225 << 60 << 24;
    QTest::newRow("layout 1, right boundary") << 1 << 226 << 60 << -1;
    QTest::newRow("layout 2, first key") << 2 << 5 << 60 << 0;
    QTest::newRow("layout 2, middle C") << 2 << 215 << 60 << 12;
    QTest::newRow("layout 3, middle C") << 3 << 115 << 60 << 12;
    QTest::newRow("layout 3, last key") << 3 << 227 << 60 << 24;
    QTest::newRow("layout 3, right boundary") << 3 << 228 << 60 << -1;
    QTest::newRow("layout 3, left margin") << 3 << 2 << 60 << -1;
}

void TestPiano::hitTestPoints() {
    QFETCH(int, layout);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, step);
    QCOMPARE(PianoHitTest(KeyboardLayouts[layout], BoxWidth, x, y), step);
}

void TestPiano::everyKeyAnswersBelowTheBlackKeys_data() {
    QTest::addColumn<int>("layout");
    for (int layout = 0; layout < 4; ++layout)
        QTest::addRow("layout %d", layout) << layout;
}

void TestPiano::everyKeyAnswersBelowTheBlackKeys() {
    QFETCH(int, layout);
    const TKeyboardLayout& keys = KeyboardLayouts[layout];
    const LayoutGeometry& g = Geometry(layout);
    static const int firstSteps[4] = {11, 12, 0, 0};
    for (int k = 0; k < g.keyCount; ++k) {
        const int left = g.firstLeft + g.stride * k;
        const int right = left + g.stride - 1;
        for (const int y : {44, 67}) {
            QCOMPARE(PianoHitTest(keys, BoxWidth, left, y), firstSteps[layout] + k);
            QCOMPARE(PianoHitTest(keys, BoxWidth, right, y), firstSteps[layout] + k);
        }
    }
}

void TestPiano::blackKeyDeadZones_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("leftDeadTo");    // offsets 0..leftDeadTo are dead beside a black key on the left
    QTest::addColumn<int>("rightDeadFrom"); // offsets rightDeadFrom.. are dead beside one on the right
    QTest::newRow("layout 0") << 0 << 3 << 18;
    QTest::newRow("layout 1") << 1 << 2 << 15;
    QTest::newRow("layout 2") << 2 << 2 << 15;
    QTest::newRow("layout 3") << 3 << 1 << 8;
}

// Above BlackHeight every offset of every key answers either the key or -1,
// and -1 exactly inside the dead zones of the black keys drawn at its two
// boundaries.
void TestPiano::blackKeyDeadZones() {
    QFETCH(int, layout);
    QFETCH(int, leftDeadTo);
    QFETCH(int, rightDeadFrom);
    const TKeyboardLayout& keys = KeyboardLayouts[layout];
    const LayoutGeometry& g = Geometry(layout);
    auto blackAt = [&](int boundary) {
        const int x = g.firstLeft + g.stride * boundary;
        return InRanges(x, g.blackX);
    };
    for (int k = 0; k < g.keyCount; ++k) {
        const int left = g.firstLeft + g.stride * k;
        for (int offset = 0; offset < g.stride; ++offset) {
            const bool dead = (blackAt(k) && offset <= leftDeadTo) || (blackAt(k + 1) && offset >= rightDeadFrom);
            const int expected = dead ? -1 : keys.FirstStep + k;
            for (const int y : {0, 43}) {
                const QString where = QStringLiteral("key %1 offset %2 y %3: ").arg(k).arg(offset).arg(y);
                QCOMPARE(where + QString::number(PianoHitTest(keys, BoxWidth, left + offset, y)),
                         where + QString::number(expected));
            }
        }
    }
}

void TestPiano::drawnKeyboard_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("fullRange");
    QTest::newRow("single octave") << 0 << false;
    QTest::newRow("treble") << 1 << true;
    QTest::newRow("bass") << 2 << true;
    QTest::newRow("both staves") << 3 << true;
}

// Every pixel of the box against the geometry table: keys and boundary
// lines in rows 0 to 67 with black keys over rows 0 to 43, then the two
// strips.
void TestPiano::drawnKeyboard() {
    QFETCH(int, layout);
    QFETCH(bool, fullRange);
    const QImage image = DrawnPiano(layout, fullRange);
    const LayoutGeometry& g = Geometry(layout);
    auto boundaryAt = [&](int x) {
        return x >= g.firstLeft && (x - g.firstLeft) % g.stride == 0 && (x - g.firstLeft) / g.stride <= g.keyCount;
    };
    for (int y = 0; y < BoxHeight; ++y) {
        for (int x = 0; x < BoxWidth; ++x) {
            QString expected;
            if (y >= 73)
                expected = Backdrop;
            else if (y >= 68)
                expected = Strip;
            else if ((y < 44 && InRanges(x, g.blackX)) || boundaryAt(x))
                expected = Black;
            else if (InRanges(x, g.greyX))
                expected = Grey;
            else if (x >= g.tintX.first && x <= g.tintX.second)
                expected = Tint;
            else
                expected = White;
            const QString where = QStringLiteral("(%1, %2) ").arg(x).arg(y);
            if (rgbAt(image, x, y) != expected)
                QCOMPARE(where + rgbAt(image, x, y), where + expected);
        }
    }
}

void TestPiano::outerHalfBlackKeys() {
    const QImage image = DrawnPiano(3, true);
    int keys = 0;
    int run = 0;
    for (int x = 0; x <= BoxWidth; ++x) {
        if (x < BoxWidth && rgbAt(image, x, 20) == Black) {
            ++run;
            continue;
        }
        if (run > 1) // a lone black column is a boundary line
            ++keys;
        run = 0;
    }
    QCOMPARE(keys, 19);
    ComparePixel(image, 0, 20, Grey);
    for (int x = 1; x <= 5; ++x)
        ComparePixel(image, x, 20, Black);
    for (int x = 226; x <= 230; ++x)
        ComparePixel(image, x, 20, Black);
    ComparePixel(image, 231, 20, Grey);
}

void TestPiano::marker_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("left");  // of the marker square
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("ring");  // width of the red ring
    QTest::addColumn<QString>("keyColour");
    QTest::newRow("middle C, single octave") << 0 << false << 12 << 38 << 54 << 10 << 3 << White;
    QTest::newRow("grey B") << 0 << false << 11 << 17 << 54 << 10 << 3 << Grey;
    QTest::newRow("grey D") << 0 << false << 20 << 206 << 54 << 10 << 3 << Grey;
    QTest::newRow("tinted middle C, treble") << 1 << true << 12 << 10 << 56 << 8 << 2 << Tint;
    QTest::newRow("top A, treble") << 1 << true << 24 << 214 << 56 << 8 << 2 << White;
    QTest::newRow("tinted middle C, bass") << 2 << true << 12 << 214 << 56 << 8 << 2 << Tint;
    QTest::newRow("low E, bass") << 2 << true << 0 << 10 << 56 << 8 << 2 << White;
    QTest::newRow("tinted middle C, both") << 3 << true << 12 << 114 << 60 << 4 << 1 << Tint;
    QTest::newRow("low E, both") << 3 << true << 0 << 6 << 60 << 4 << 1 << White;
}

// The marker is a red ring whose centre shows the key's colour; it changes
// nothing outside its square, and erasing it restores the key exactly.
void TestPiano::marker() {
    QFETCH(int, layout);
    QFETCH(bool, fullRange);
    QFETCH(int, step);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, size);
    QFETCH(int, ring);
    QFETCH(QString, keyColour);
    const TKeyboardLayout& keys = KeyboardLayouts[layout];
    const QImage plain = DrawnPiano(layout, fullRange);
    const QRect square(left, top, size, size);
    QCOMPARE(PianoMarkerRect(keys, BoxWidth, step), square);

    QImage image = plain;
    QRegion touched;
    Canvas canvas(image, [&](const QRect& rect) { touched += rect; });
    ShowPianoSelection(canvas, keys, step, true);
    QCOMPARE(touched.boundingRect(), square);
    for (int y = 0; y < BoxHeight; ++y)
        for (int x = 0; x < BoxWidth; ++x) {
            QString expected = rgbAt(plain, x, y);
            if (square.contains(x, y)) {
                const bool centre = x >= left + ring && x < left + size - ring && y >= top + ring
                    && y < top + size - ring;
                QCOMPARE(rgbAt(plain, x, y), keyColour);
                expected = centre ? keyColour : Red;
            }
            if (rgbAt(image, x, y) != expected)
                return ComparePixel(image, x, y, expected);
        }

    touched = QRegion();
    ShowPianoSelection(canvas, keys, step, false);
    QCOMPARE(touched.boundingRect(), square);
    QCOMPARE(image, plain);
}

void TestPiano::noMarkerOutsideTheLayout_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("step");
    QTest::newRow("no selection") << 0 << -1;
    QTest::newRow("below the octave") << 0 << 10;
    QTest::newRow("above the octave") << 0 << 21;
    QTest::newRow("below the treble keys") << 1 << 11;
    QTest::newRow("above the treble keys") << 1 << 25;
    QTest::newRow("above the bass keys") << 2 << 13;
    QTest::newRow("above both staves") << 3 << 25;
}

void TestPiano::noMarkerOutsideTheLayout() {
    QFETCH(int, layout);
    QFETCH(int, step);
    const QImage plain = DrawnPiano(layout, layout != 0);
    QImage image = plain;
    int touches = 0;
    Canvas canvas(image, [&](const QRect&) { ++touches; });
    QVERIFY(PianoMarkerRect(KeyboardLayouts[layout], BoxWidth, step).isEmpty());
    for (const bool show : {true, false}) {
        ShowPianoSelection(canvas, KeyboardLayouts[layout], step, show);
        QCOMPARE(touches, 0);
        QCOMPARE(image, plain);
    }
}

QTEST_GUILESS_MAIN(TestPiano)
#include "tst_piano.moc"
