#include "staff/Artwork.h"

#include <QBitmap>
#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>
#include <mutex>

// The resource initialiser that AUTORCC generates is declared at global
// scope, so the macro must be used outside any namespace. Being in a static
// library, the resources are only linked in and registered through this call.
static void registerQuaveletResources() { Q_INIT_RESOURCE(quavelet); }

void InitAssetResources() {
    static std::once_flag once;
    std::call_once(once, registerQuaveletResources);
}

namespace {

ImageList loadList(const char* path, QSize cell) {
    InitAssetResources();
    return ImageList(QString::fromLatin1(path), cell);
}

// A picture whose transparent colour is the colour of its bottom left pixel,
// as the fixed pictures of the windows are made transparent.
QPixmap keyedPicture(const char* path) {
    InitAssetResources();
    QImage image = QImage(QString::fromLatin1(path)).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (row[x] == key)
                row[x] = qRgba(0, 0, 0, 0);
    }
    return QPixmap::fromImage(image);
}

} // namespace

ImageList LoadClefs() { return loadList(":/clefs.xpm", ClefCellSize); }
ImageList LoadNotes() { return loadList(":/notes.xpm", NoteCellSize); }
ImageList LoadLettersEnabled() { return loadList(":/letters-enabled.xpm", ToolCellSize); }
ImageList LoadLettersDisabled() { return loadList(":/letters-disabled.xpm", ToolCellSize); }
ImageList LoadCommandsEnabled() { return loadList(":/commands-enabled.xpm", ToolCellSize); }
ImageList LoadCommandsDisabled() { return loadList(":/commands-disabled.xpm", ToolCellSize); }

QPixmap StopwatchPicture() { return keyedPicture(":/stopwatch.xpm"); }
QPixmap LogoPicture() { return keyedPicture(":/logo.xpm"); }

QCursor HandPointCursor() {
    InitAssetResources();
    // A two-colour cursor: one bitmap sets the black pixels, the mask the
    // visible ones (white where only the mask is set), so it looks the same
    // on every platform.
    const QImage hand = QImage(QStringLiteral(":/cursor-hand.xpm")).convertToFormat(QImage::Format_ARGB32);
    const int stride = (hand.width() + 7) / 8;
    QByteArray ink(stride * hand.height(), '\0');
    QByteArray visible(stride * hand.height(), '\0');
    for (int y = 0; y < hand.height(); ++y) {
        for (int x = 0; x < hand.width(); ++x) {
            const QRgb pixel = hand.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            const int byte = y * stride + x / 8;
            const auto bit = static_cast<char>(1 << (x % 8));
            visible[byte] = static_cast<char>(visible[byte] | bit);
            if (qGray(pixel) < 128)
                ink[byte] = static_cast<char>(ink[byte] | bit);
        }
    }
    const auto bits = [](const QByteArray& data) { return reinterpret_cast<const uchar*>(data.constData()); };
    return QCursor(QBitmap::fromData(hand.size(), bits(ink), QImage::Format_MonoLSB),
                   QBitmap::fromData(hand.size(), bits(visible), QImage::Format_MonoLSB), HandHotSpot.x(),
                   HandHotSpot.y());
}

QIcon ProgramIcon() {
    InitAssetResources();
    QIcon icon;
    // The 32 x 32 picture is the program's own icon; the other sizes are
    // renderings of the same design for the desktop.
    icon.addFile(QStringLiteral(":/quavelet.xpm"), QSize(32, 32));
    constexpr std::array otherSizes{16, 22, 24, 48, 64, 128, 256};
    for (int size : otherSizes)
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/quavelet.png").arg(size), QSize(size, size));
    return icon;
}
