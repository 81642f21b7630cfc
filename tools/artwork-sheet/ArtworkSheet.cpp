// Writes one PNG that shows every picture of the program enlarged eight
// times, on the classic button-face grey and on white, with labels, and
// each picture at its real size beside them.
//
//   artwork-sheet [output.png]

#include "staff/Artwork.h"

#include <QBitmap>
#include <QColor>
#include <QCoreApplication>
#include <QCursor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int Zoom = 8;
constexpr int Pad = 8;
constexpr int LabelHeight = 18;
constexpr int TitleHeight = 28;
constexpr int MaxWidth = 2700;
const QColor ButtonFaceGrey(192, 192, 192);
const QColor SheetColour(96, 104, 112);

struct Tile {
    QString label;
    QImage picture;
    int zoom = Zoom;
};

struct Section {
    QString title;
    std::vector<Tile> tiles;
};

std::vector<Tile> tilesOf(const ImageList& list, const QStringList& names) {
    std::vector<Tile> tiles;
    for (int i = 0; i < list.count(); ++i)
        tiles.push_back({QStringLiteral("%1 %2").arg(i).arg(names.value(i)), list.picture(i)});
    return tiles;
}

// The two-colour cursor as a picture: black where its bitmap is set, white
// where only its mask is, transparent elsewhere.
QImage cursorPicture(const QCursor& cursor) {
    const QImage ink = cursor.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage mask = cursor.mask().toImage().convertToFormat(QImage::Format_RGB32);
    QImage picture(ink.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x)
            if (qGray(mask.pixel(x, y)) < 128)
                picture.setPixel(x, y, qGray(ink.pixel(x, y)) < 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return picture;
}

std::vector<Section> sections() {
    std::vector<Section> result;
    result.push_back({QStringLiteral("Clefs (29 x 72)"),
                      tilesOf(LoadClefs(), {"bass", "treble", "bass grey", "treble grey"})});
    result.push_back({QStringLiteral("Notes (20 x 68)"), tilesOf(LoadNotes(), {})});
    const QStringList letters{"A", "B", "C", "D", "E", "F", "G"};
    result.push_back({QStringLiteral("Letters (16 x 16)"), tilesOf(LoadLettersEnabled(), letters)});
    result.push_back({QStringLiteral("Letters, disabled"), tilesOf(LoadLettersDisabled(), letters)});
    const QStringList commands{"note buttons", "piano keys", "guitar", "treble", "bass",
                               "all notes", "single octave", "full range", "begin quiz", "end quiz"};
    result.push_back({QStringLiteral("Commands (16 x 16)"), tilesOf(LoadCommandsEnabled(), commands)});
    result.push_back({QStringLiteral("Commands, disabled"), tilesOf(LoadCommandsDisabled(), commands)});
    const QCursor hand = HandPointCursor();
    result.push_back({QStringLiteral("Stopwatch, cursor, program icon"),
                      {{QStringLiteral("stopwatch 32 x 16"), StopwatchPicture().toImage()},
                       {QStringLiteral("hand cursor, hot spot %1,%2").arg(hand.hotSpot().x()).arg(hand.hotSpot().y()),
                        cursorPicture(hand)},
                       {QStringLiteral("icon 32 x 32"), ProgramIcon().pixmap(QSize(32, 32)).toImage()}}});
    result.push_back({QStringLiteral("Logo (100 x 100)"), {{QStringLiteral("logo"), LogoPicture().toImage()}}});
    Section icons{QStringLiteral("Program icon for the desktop, real size"), {}};
    for (int n : {16, 22, 24, 32, 48, 64, 128, 256})
        icons.tiles.push_back({QStringLiteral("%1 x %1").arg(n), ProgramIcon().pixmap(QSize(n, n)).toImage(), 1});
    result.push_back(icons);
    return result;
}

QSize tileSize(const Tile& tile) {
    const QSize big = tile.picture.size() * tile.zoom;
    // The picture enlarged on grey and on white, one above the other, and
    // at its real size on both at the right.
    const int small = tile.zoom > 1 ? tile.picture.width() * 2 + 3 * Pad : 0;
    return {std::max(big.width() + 2 * Pad + small, 120), LabelHeight + 2 * big.height() + 3 * Pad};
}

void drawTile(QPainter& painter, const Tile& tile, QPoint at) {
    const QSize big = tile.picture.size() * tile.zoom;
    painter.setPen(Qt::white);
    painter.drawText(QRect(at, QSize(tileSize(tile).width(), LabelHeight)), Qt::AlignLeft | Qt::AlignVCenter,
                     tile.label);
    const QColor grounds[] = {ButtonFaceGrey, Qt::white};
    int top = at.y() + LabelHeight;
    for (const QColor& ground : grounds) {
        const QRect area(at.x(), top, big.width() + 2 * Pad, big.height() + Pad);
        painter.fillRect(area, ground);
        painter.drawImage(QRect(QPoint(at.x() + Pad, top + Pad / 2), big), tile.picture);
        if (tile.zoom > 1) {
            const QRect real(QPoint(area.right() + 1 + Pad, top), QSize(tile.picture.width() + Pad, tile.picture.height() + Pad));
            painter.fillRect(real, ground);
            painter.drawImage(real.topLeft() + QPoint(Pad / 2, Pad / 2), tile.picture);
        }
        top += big.height() + 2 * Pad;
    }
}

QImage sheet() {
    const std::vector<Section> all = sections();
    // Lay out first, then draw on an image of the size found.
    struct Placed {
        const Tile* tile;
        QPoint at;
    };
    std::vector<Placed> placed;
    std::vector<std::pair<QString, QPoint>> titles;
    int y = Pad;
    int width = 0;
    for (const Section& section : all) {
        titles.emplace_back(section.title, QPoint(Pad, y));
        y += TitleHeight;
        int x = Pad;
        int rowHeight = 0;
        for (const Tile& tile : section.tiles) {
            const QSize size = tileSize(tile);
            if (x > Pad && x + size.width() > MaxWidth) {
                x = Pad;
                y += rowHeight + Pad;
                rowHeight = 0;
            }
            placed.push_back({&tile, QPoint(x, y)});
            x += size.width() + 2 * Pad;
            rowHeight = std::max(rowHeight, size.height());
            width = std::max(width, x);
        }
        y += rowHeight + 2 * Pad;
    }
    QImage image(width, y, QImage::Format_RGB32);
    image.fill(SheetColour);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    QFont titleFont = painter.font();
    titleFont.setBold(true);
    titleFont.setPixelSize(16);
    QFont labelFont = painter.font();
    labelFont.setPixelSize(12);
    painter.setFont(titleFont);
    painter.setPen(Qt::white);
    for (const auto& [title, at] : titles)
        painter.drawText(QRect(at, QSize(width, TitleHeight)), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setFont(labelFont);
    for (const Placed& p : placed)
        drawTile(painter, *p.tile, p.at);
    painter.end();
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    // Draws without a screen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString output = args.size() > 1 ? args.at(1) : QStringLiteral("artwork-sheet.png");
    QTextStream err(stderr);
    if (!sheet().save(output, "PNG")) {
        err << "cannot write " << output << "\n";
        return 1;
    }
    err << "wrote " << output << "\n";
    return 0;
}
