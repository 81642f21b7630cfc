#include "platform/ImageList.h"

#include <QPixmap>

ImageList::ImageList(const QString& stripPath, QSize cell) : m_cell(cell) {
    QImage strip(stripPath);
    if (strip.isNull() || cell.isEmpty() || strip.height() != cell.height() || strip.width() % cell.width() != 0)
        return;
    m_strip = strip.convertToFormat(QImage::Format_ARGB32);
    // Masks are 1-bit: any partly transparent pixel counts as masked.
    for (int y = 0; y < m_strip.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_strip.scanLine(y));
        for (int x = 0; x < m_strip.width(); ++x)
            row[x] = qAlpha(row[x]) == 255 ? row[x] : qRgba(0, 0, 0, 0);
    }
    m_count = m_strip.width() / cell.width();
}

QImage ImageList::picture(int index) const {
    if (index < 0 || index >= m_count)
        return {};
    return m_strip.copy(index * m_cell.width(), 0, m_cell.width(), m_cell.height());
}

bool ImageList::isMasked(int index, int x, int y) const {
    if (index < 0 || index >= m_count || x < 0 || y < 0 || x >= m_cell.width() || y >= m_cell.height())
        return true;
    return qAlpha(m_strip.pixel(index * m_cell.width() + x, y)) == 0;
}

void ImageList::draw(QImage& target, int x, int y, int index) const {
    if (index < 0 || index >= m_count)
        return;
    // The part of the cell that falls on the target, a scan line at a time;
    // masked pixels (alpha 0) leave the target as it was.
    if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32)
        target = target.convertToFormat(QImage::Format_ARGB32);
    const QRect visible = QRect(x, y, m_cell.width(), m_cell.height()).intersected(target.rect());
    if (visible.isEmpty())
        return;
    const int left = index * m_cell.width() + (visible.left() - x);
    for (int ty = visible.top(); ty <= visible.bottom(); ++ty) {
        const auto* from = reinterpret_cast<const QRgb*>(m_strip.constScanLine(ty - y)) + left;
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(ty)) + visible.left();
        for (int i = 0; i < visible.width(); ++i)
            if (qAlpha(from[i]) != 0)
                to[i] = from[i] | 0xff000000u;
    }
}

QIcon ImageList::icon(int index, const ImageList* disabled) const {
    QIcon result;
    const QImage enabledPicture = picture(index);
    if (enabledPicture.isNull())
        return result;
    // Both states carry the pictures, so a checked button shows the same
    // picture as an unchecked one, enabled or disabled.
    const auto addBoth = [&result](const QImage& image, QIcon::Mode mode) {
        const QPixmap pixmap = QPixmap::fromImage(image);
        result.addPixmap(pixmap, mode, QIcon::Off);
        result.addPixmap(pixmap, mode, QIcon::On);
    };
    addBoth(enabledPicture, QIcon::Normal);
    if (disabled) {
        const QImage disabledPicture = disabled->picture(index);
        if (!disabledPicture.isNull())
            addBoth(disabledPicture, QIcon::Disabled);
    }
    return result;
}
