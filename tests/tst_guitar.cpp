#include "instruments/GuitarFingerboard.h"
#include "platform/Canvas.h"

#include "TestSupport.h"

#include <QImage>
#include <QRegion>
#include <QTest>

// The guitar fingerboard without a window: wire and string positions, the
// hit test with what it leaves in its outputs, and the drawing of the board,
// of one column and of the marker, on a canvas the size of the instrument
// box.
class TestGuitar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fretX_data();
    void fretX();
    void stringY_data();
    void stringY();
    void hitTest_data();
    void hitTest();
    void everyPositionAnswersItsStep_data();
    void everyPositionAnswersItsStep();
    void drawnBoard();
    void dots_data();
    void dots();
    void marker_data();
    void marker();
    void columnRedrawnAlone_data();
    void columnRedrawnAlone();
};

namespace {

constexpr int BoxWidth = 232;
constexpr int BoxHeight = 87;
constexpr int Untouched = 99;

const QString Band = QStringLiteral("32,80,32");
const QString Black = QStringLiteral("0,0,0");
const QString NutLight = QStringLiteral("192,160,160");
const QString Shadow = QStringLiteral("128,128,128");
const QString WireLight = QStringLiteral("192,192,192");
const QString Cell = QStringLiteral("96,32,32");
const QString OpenZone = QStringLiteral("144,64,64");
const QString StringColour = QStringLiteral("224,224,224");
const QString DotOutline = QStringLiteral("96,96,96");
const QString DotFill = QStringLiteral("160,192,224");
const QString Yellow = QStringLiteral("255,255,0");
const QString Red = QStringLiteral("255,0,0");

// The wires' x and the strings' y in the box.
constexpr int Wires[8] = {8, 43, 75, 104, 131, 156, 179, 200};
constexpr int Strings[7] = {0, 15, 26, 37, 48, 59, 70};

// The Step of each string at frets 0 to 7, -1 for sharps and flats.
constexpr int Steps[7][8] = {
    {},
    {21, 22, -1, 23, -1, 24, -1, 25},
    {18, 19, -1, 20, -1, 21, 22, -1},
    {16, -1, 17, -1, 18, 19, -1, 20},
    {13, -1, 14, 15, -1, 16, -1, 17},
    {10, -1, 11, 12, -1, 13, -1, 14},
    {7, 8, -1, 9, -1, 10, -1, 11},
};

// The answering x of each fret cell (cell 0 is open to the right).
constexpr int CellFirstX[8] = {203, 11, 46, 78, 107, 134, 159, 182};
constexpr int CellLastX[8] = {231, 41, 73, 102, 129, 154, 177, 198};

QImage DrawnBoard(int selection = -1, int string = 0, int fret = 0) {
    QImage image(BoxWidth, BoxHeight, QImage::Format_RGB32);
    image.fill(Qt::blue); // anything the drawing leaves out shows up
    Canvas canvas(image);
    DrawFingerboard(canvas, selection, string, fret);
    return image;
}

void ComparePixel(const QImage& image, int x, int y, const QString& expected) {
    const QString where = QStringLiteral("(%1, %2) ").arg(x).arg(y);
    QCOMPARE(where + rgbAt(image, x, y), where + expected);
}

bool OnString(int y) {
    for (int s = 1; s <= 6; ++s)
        if (y == Strings[s])
            return true;
    return false;
}

} // namespace

void TestGuitar::fretX_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("x");
    for (int n = 0; n <= 7; ++n)
        QTest::addRow("wire %d", n) << n << Wires[n];
    QTest::newRow("before the nut") << -1 << 8;
}

void TestGuitar::fretX() {
    QFETCH(int, n);
    QFETCH(int, x);
    QCOMPARE(FretX(n), x);
}

void TestGuitar::stringY_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("y");
    for (int n = 1; n <= 6; ++n)
        QTest::addRow("string %d", n) << n << Strings[n];
}

void TestGuitar::stringY() {
    QFETCH(int, n);
    QFETCH(int, y);
    QCOMPARE(StringSpacing(), 11);
    QCOMPARE(StringY(n), y);
}

void TestGuitar::hitTest_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("string");
    QTest::addColumn<int>("fret"); // Untouched: the search never writes it
    QTest::newRow("string 1 open") << 220 << 15 << 21 << 1 << 0;
    QTest::newRow("string 6, cell 1") << 30 << 70 << 8 << 6 << 1;
    QTest::newRow("F sharp on string 6") << 60 << 70 << -1 << 6 << 2;
    QTest::newRow("first wire") << 43 << 15 << -1 << 1 << -1;
    QTest::newRow("left of the first wire") << 42 << 15 << -1 << 1 << -1;
    QTest::newRow("right of the first wire") << 45 << 15 << -1 << 1 << -1;
    QTest::newRow("last x of cell 1") << 41 << 15 << 22 << 1 << 1;
    QTest::newRow("F sharp right of the first wire") << 46 << 15 << -1 << 1 << 2;
    QTest::newRow("left of the nut") << 5 << 37 << -1 << 3 << -1;
    QTest::newRow("box edge") << 0 << 37 << -1 << 3 << -1;
    QTest::newRow("nut dead zone, left") << 7 << 37 << -1 << 3 << -1;
    QTest::newRow("nut dead zone, right") << 10 << 37 << -1 << 3 << -1;
    QTest::newRow("between strings 1 and 2") << 100 << 20 << -1 << 0 << Untouched;
    QTest::newRow("below string 6") << 150 << 75 << -1 << 0 << Untouched;
    QTest::newRow("above string 1") << 150 << 9 << -1 << 0 << Untouched;
    QTest::newRow("far above") << 150 << -20 << -1 << 0 << Untouched;
    QTest::newRow("far below") << 150 << 200 << -1 << 0 << Untouched;
    QTest::newRow("string 5, cell 5") << 150 << 59 << 13 << 5 << 5;
    QTest::newRow("string 4, cell 5") << 150 << 48 << 16 << 4 << 5;
    QTest::newRow("open string right of the box") << 400 << 70 << 7 << 6 << 0;
    QTest::newRow("last wire dead zone") << 202 << 70 << -1 << 6 << -1;
    QTest::newRow("first open x") << 203 << 70 << 7 << 6 << 0;
    // The rows of each string's band, and the rows between bands.
    static const int firstRows[7] = {0, 10, 21, 32, 43, 54, 65};
    for (int s = 1; s <= 6; ++s) {
        QTest::addRow("string %d, first row", s) << 220 << firstRows[s] << Steps[s][0] << s << 0;
        QTest::addRow("string %d, last row", s) << 220 << firstRows[s] + 9 << Steps[s][0] << s << 0;
    }
    for (const int y : {20, 31, 42, 53, 64})
        QTest::addRow("row %d between bands", y) << 220 << y << -1 << 0 << Untouched;
    // The answering columns of each cell and the dead columns of each wire.
    for (int cell = 1; cell <= 7; ++cell) {
        QTest::addRow("cell %d, first x", cell) << CellFirstX[cell] << 26 << Steps[2][cell] << 2 << cell;
        QTest::addRow("cell %d, last x", cell) << CellLastX[cell] << 26 << Steps[2][cell] << 2 << cell;
        QTest::addRow("wire %d, first dead x", cell) << Wires[cell] - 1 << 26 << -1 << 2 << -1;
        QTest::addRow("wire %d, last dead x", cell) << Wires[cell] + 2 << 26 << -1 << 2 << -1;
    }
}

void TestGuitar::hitTest() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, step);
    QFETCH(int, string);
    QFETCH(int, fret);
    int foundString = Untouched;
    int foundFret = Untouched;
    QCOMPARE(GuitarHitTest(x, y, foundString, foundFret), step);
    QCOMPARE(foundString, string);
    QCOMPARE(foundFret, fret);
}

void TestGuitar::everyPositionAnswersItsStep_data() {
    QTest::addColumn<int>("string");
    for (int s = 1; s <= 6; ++s)
        QTest::addRow("string %d", s) << s;
}

// Every cell of the string at its centre and on its string's line: the Step
// of that position, sharps and flats -1 with the position still reported.
void TestGuitar::everyPositionAnswersItsStep() {
    QFETCH(int, string);
    for (int cell = 0; cell <= 7; ++cell) {
        const int x = (CellFirstX[cell] + CellLastX[cell]) / 2;
        int foundString = Untouched;
        int foundFret = Untouched;
        QCOMPARE(GuitarHitTest(x, Strings[string], foundString, foundFret), Steps[string][cell]);
        QCOMPARE(foundString, string);
        QCOMPARE(foundFret, cell);
    }
}

// The board's every column outside the dots: bands, the black area, the
// nut, the wires, the cell backgrounds and the six strings over them.
void TestGuitar::drawnBoard() {
    const QImage image = DrawnBoard();
    auto dotSquare = [](int x, int y) {
        return (x >= 85 && x <= 94 && y >= 38 && y <= 47) || (x >= 185 && x <= 194 && y >= 38 && y <= 47)
            || (x >= 139 && x <= 148 && ((y >= 21 && y <= 30) || (y >= 55 && y <= 64)));
    };
    for (int y = 0; y < BoxHeight; ++y)
        for (int x = 0; x < BoxWidth; ++x) {
            if (dotSquare(x, y))
                continue;
            QString expected;
            if (y < 10 || y > 76)
                expected = Band;
            else if (OnString(y))
                expected = StringColour;
            else if (x < 8)
                expected = Black;
            else if (x == 8)
                expected = NutLight;
            else if (x >= 202)
                expected = OpenZone;
            else {
                expected = Cell;
                for (int n = 0; n <= 7; ++n) {
                    if (n > 0 && x == Wires[n])
                        expected = WireLight;
                    if (x == Wires[n] + 1)
                        expected = Shadow;
                }
            }
            if (rgbAt(image, x, y) != expected)
                return ComparePixel(image, x, y, expected);
        }
}

void TestGuitar::dots_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("cell 3") << 85 << 38;
    QTest::newRow("cell 7") << 185 << 38;
    QTest::newRow("cell 5, upper") << 139 << 21;
    QTest::newRow("cell 5, lower") << 139 << 55;
}

// Each dot is the ellipse inscribed in its 10 by 10 square: it reaches all
// four sides, stays inside, and has an outline around a filled centre.
void TestGuitar::dots() {
    QFETCH(int, left);
    QFETCH(int, top);
    const QImage image = DrawnBoard();
    const int right = left + 9;
    const int bottom = top + 9;
    auto dotPixel = [&](int x, int y) {
        const QString c = rgbAt(image, x, y);
        return c == DotOutline || c == DotFill;
    };
    bool leftSide = false, rightSide = false, topSide = false, bottomSide = false;
    for (int i = 0; i <= 9; ++i) {
        leftSide |= dotPixel(left, top + i);
        rightSide |= dotPixel(right, top + i);
        topSide |= dotPixel(left + i, top);
        bottomSide |= dotPixel(left + i, bottom);
        for (const auto& [x, y] : {std::pair{left - 1, top + i}, std::pair{right + 1, top + i},
                                   std::pair{left + i, top - 1}, std::pair{left + i, bottom + 1}})
            QVERIFY2(!dotPixel(x, y), qPrintable(QStringLiteral("dot pixel outside at (%1, %2)").arg(x).arg(y)));
    }
    QVERIFY(leftSide && rightSide && topSide && bottomSide);
    // The corners stay background, the middle of each side is outline, the
    // centre is filled (a string may cross the dot: pick a row without one).
    const int row = OnString(top + 4) ? top + 5 : top + 4;
    ComparePixel(image, left, top, Cell);
    ComparePixel(image, left, row, DotOutline);
    ComparePixel(image, right, row, DotOutline);
    ComparePixel(image, left + 4, row, DotFill);
    ComparePixel(image, left + 5, row, DotFill);
}

void TestGuitar::marker_data() {
    QTest::addColumn<int>("string");
    QTest::addColumn<int>("fret");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("string 3, cell 3") << 3 << 3 << 94 << 34;
    QTest::newRow("string 6, open") << 6 << 0 << 210 << 67;
    QTest::newRow("string 1, cell 1") << 1 << 1 << 33 << 12;
    QTest::newRow("string 2, cell 5") << 2 << 5 << 146 << 23;
    QTest::newRow("string 4, cell 7") << 4 << 7 << 190 << 45;
}

// A 7 by 7 yellow square with a 3 by 3 red centre, crossed along its middle
// row by the string, and nothing else changed.
void TestGuitar::marker() {
    QFETCH(int, string);
    QFETCH(int, fret);
    QFETCH(int, left);
    QFETCH(int, top);
    const QImage plain = DrawnBoard();
    const QImage marked = DrawnBoard(20, string, fret);
    for (int y = 0; y < BoxHeight; ++y)
        for (int x = 0; x < BoxWidth; ++x) {
            QString expected = rgbAt(plain, x, y);
            if (x >= left && x < left + 7 && y >= top && y < top + 7) {
                if (y == top + 3)
                    expected = StringColour;
                else if (x >= left + 2 && x < left + 5 && y >= top + 2 && y < top + 5)
                    expected = Red;
                else
                    expected = Yellow;
            }
            if (rgbAt(marked, x, y) != expected)
                return ComparePixel(marked, x, y, expected);
        }
}

void TestGuitar::columnRedrawnAlone_data() {
    QTest::addColumn<int>("column");
    for (int column = 0; column <= 7; ++column)
        QTest::addRow("column %d", column) << column;
}

// One column drawn on its own touches only its own stretch, and the board
// it leaves is the fully drawn board pixel for pixel: with and without the
// marker, in both directions.
void TestGuitar::columnRedrawnAlone() {
    QFETCH(int, column);
    const int string = column % 6 + 1;
    const int step = 20;
    const QImage plain = DrawnBoard();
    const QImage marked = DrawnBoard(step, string, column);
    QVERIFY(plain != marked);

    QImage image = plain;
    QRegion touched;
    Canvas canvas(image, [&](const QRect& rect) { touched += rect; });
    DrawFretColumn(canvas, column, true, step, string, column);
    QCOMPARE(image, marked);
    QCOMPARE(touched.boundingRect(), FretColumnRect(column, BoxWidth));

    touched = QRegion();
    DrawFretColumn(canvas, column, false, step, string, column);
    QCOMPARE(image, plain);
    QCOMPARE(touched.boundingRect(), FretColumnRect(column, BoxWidth));

    // A marker in another column is not this column's to draw.
    DrawFretColumn(canvas, column, true, step, string, (column + 1) % 8);
    QCOMPARE(image, plain);
    // Nor is a marker without a selection.
    DrawFretColumn(canvas, column, true, -1, string, column);
    QCOMPARE(image, plain);

    static const QRect stretches[8] = {
        {QPoint(200, 10), QPoint(231, 76)}, {QPoint(0, 10), QPoint(44, 76)},   {QPoint(43, 10), QPoint(76, 76)},
        {QPoint(75, 10), QPoint(105, 76)},  {QPoint(104, 10), QPoint(132, 76)}, {QPoint(131, 10), QPoint(157, 76)},
        {QPoint(156, 10), QPoint(180, 76)}, {QPoint(179, 10), QPoint(201, 76)}};
    QCOMPARE(FretColumnRect(column, BoxWidth), stretches[column]);
}

QTEST_GUILESS_MAIN(TestGuitar)
#include "tst_guitar.moc"
