#include "platform/Canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

Canvas::Canvas(QImage& image, TouchHandler touched)
    : m_image(image), m_touched(std::move(touched)) {}

void Canvas::touch(const QRect& rect) {
    const QRect clipped = rect.intersected(m_image.rect());
    if (m_touched && !clipped.isEmpty())
        m_touched(clipped);
}

void Canvas::plot(int x, int y, QRgb rgb) {
    if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
        reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = rgb;
}

void Canvas::fillRect(int x1, int y1, int x2, int y2) {
    const QRect rect = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).intersected(m_image.rect());
    if (x2 <= x1 || y2 <= y1 || rect.isEmpty())
        return;
    const QRgb rgb = m_brush.rgb();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        std::fill(row + rect.left(), row + rect.right() + 1, rgb);
    }
    touch(rect);
}

void Canvas::line(int x1, int y1, int x2, int y2) {
    // Bresenham from the start point, stopping before the end point.
    const QRgb rgb = m_pen.rgb();
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    int lastX = x1, lastY = y1;
    while (x != x2 || y != y2) {
        plot(x, y, rgb);
        lastX = x;
        lastY = y;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
    // Only the pixels drawn count as touched: the end point is left out.
    if (x1 != x2 || y1 != y2)
        touch(QRect(QPoint(std::min(x1, lastX), std::min(y1, lastY)), QPoint(std::max(x1, lastX), std::max(y1, lastY))));
}

void Canvas::ellipse(int x1, int y1, int x2, int y2) {
    if (x2 - x1 < 1 || y2 - y1 < 1)
        return;
    // Inscribed in the pixel cells x1..x2-1, y1..y2-1: a pixel belongs to the
    // ellipse when its centre lies inside it; the outline is every inside
    // pixel that has an outside 4-neighbour.
    const double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
    const double rx = (x2 - x1) / 2.0, ry = (y2 - y1) / 2.0;
    auto inside = [&](int x, int y) {
        if (x < x1 || x >= x2 || y < y1 || y >= y2)
            return false;
        const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
        return nx * nx + ny * ny <= 1.0;
    };
    const QRgb pen = m_pen.rgb(), brush = m_brush.rgb();
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) {
            if (!inside(x, y))
                continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            plot(x, y, edge ? pen : brush);
        }
    touch(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)));
}

void Canvas::drawOpaque(int x, int y, const QImage& bitmap) {
    copyBitmap(x, y, bitmap, std::nullopt);
}

void Canvas::drawTransparent(int x, int y, const QImage& bitmap, const QColor& key) {
    copyBitmap(x, y, bitmap, key.rgb() & RGB_MASK);
}

void Canvas::copyBitmap(int x, int y, const QImage& bitmap, std::optional<QRgb> key) {
    const QImage source = bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32
                              ? bitmap
                              : bitmap.convertToFormat(QImage::Format_RGB32);
    // Only the part that falls on the image is copied, a scan line at a time.
    const QRect placed(x, y, source.width(), source.height());
    const QRect visible = placed.intersected(m_image.rect());
    if (visible.isEmpty())
        return;
    for (int ty = visible.top(); ty <= visible.bottom(); ++ty) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(ty - y)) + (visible.left() - x);
        auto* to = reinterpret_cast<QRgb*>(m_image.scanLine(ty)) + visible.left();
        for (int i = 0; i < visible.width(); ++i)
            if (!key || (from[i] & RGB_MASK) != *key)
                to[i] = from[i] | 0xff000000u;
    }
    touch(placed);
}

QColor Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return QColor(Qt::black);
    return QColor(m_image.pixel(x, y));
}
