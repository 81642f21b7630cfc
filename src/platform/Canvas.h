#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <functional>
#include <optional>

// Drawing on an image with the pixel rules the program's pictures are
// designed for: a filled rectangle from (x1, y1) to (x2, y2) covers x1..x2-1
// and y1..y2-1; a line leaves out its end point; an ellipse is inscribed in a
// rectangle without its right and bottom edges. Nothing is antialiased.
class Canvas {
public:
    using TouchHandler = std::function<void(const QRect&)>;

    explicit Canvas(QImage& image, TouchHandler touched = {});

    QImage& image() { return m_image; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    void setPenColor(const QColor& colour) { m_pen = colour; }
    QColor penColor() const { return m_pen; }
    void setBrushColor(const QColor& colour) { m_brush = colour; }
    QColor brushColor() const { return m_brush; }

    // Fills x1..x2-1, y1..y2-1 with the brush colour.
    void fillRect(int x1, int y1, int x2, int y2);
    // Fills the w by h rectangle at (x, y) with the brush colour.
    void fillRectAt(int x, int y, int w, int h) { fillRect(x, y, x + w, y + h); }
    // A one-pixel line in the pen colour from (x1, y1) towards (x2, y2),
    // without the end point itself.
    void line(int x1, int y1, int x2, int y2);
    // The ellipse inscribed in x1..x2-1, y1..y2-1: outline in the pen
    // colour, inside in the brush colour.
    void ellipse(int x1, int y1, int x2, int y2);
    // Copies a bitmap with its top left corner at (x, y), every pixel.
    void drawOpaque(int x, int y, const QImage& bitmap);
    // Copies only the pixels of a bitmap that differ from the key colour.
    void drawTransparent(int x, int y, const QImage& bitmap, const QColor& key);
    // The colour of one pixel; black outside the image.
    QColor pixel(int x, int y) const;

private:
    void touch(const QRect& rect);
    // Copies a bitmap; with a key colour, pixels of that colour are skipped.
    void copyBitmap(int x, int y, const QImage& bitmap, std::optional<QRgb> key);
    void plot(int x, int y, QRgb rgb);

    QImage& m_image;
    TouchHandler m_touched;
    QColor m_pen{Qt::black};
    QColor m_brush{Qt::white};
};
