#pragma once

#include "platform/Canvas.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <vector>

// A control without a picture of its own: it holds a backing image the size
// of the box, which its paint handler redraws in full when the box is first
// shown, resized or explicitly repainted. Drawing done at other times goes
// into the same image and shows at once, so the screen always shows what the
// canvas holds and any pixel can be read back.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    using PaintHandler = std::function<void()>;
    using PointerHandler = std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)>;

    explicit PaintBox(QWidget* parent = nullptr);

    // A canvas on the backing image; whatever it draws is scheduled for the
    // screen. The image follows the box's size.
    Canvas canvas();
    const QImage& image() const { return m_image; }

    void setPaintHandler(PaintHandler handler) { m_paint = std::move(handler); }
    void setMouseDownHandler(PointerHandler handler) { m_mouseDown = std::move(handler); }
    void setMouseMoveHandler(PointerHandler handler) { m_mouseMove = std::move(handler); }
    void setMouseUpHandler(PointerHandler handler) { m_mouseUp = std::move(handler); }

    // Runs the paint handler now (erasing to the background first when asked)
    // and shows the result: the original's Invalidate followed by Update.
    void repaintNow(bool eraseBackground = true);

    // Every rectangle drawn since the last reset, for measuring how much of
    // the box a change redraws. Recording starts with the first reset, so a
    // box that nobody measures keeps no list.
    QRegion drawnRegion() const;
    int drawCount() const { return static_cast<int>(m_drawn.size()); }
    void resetDrawnRegion() {
        m_drawn.clear();
        m_recording = true;
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void matchImageToSize();
    void touched(const QRect& rect);

    QImage m_image;
    PaintHandler m_paint;
    PointerHandler m_mouseDown, m_mouseMove, m_mouseUp;
    // Kept as a plain list: a region union per drawing call would cost more
    // than drawing a short line.
    std::vector<QRect> m_drawn;
    bool m_recording = false;
    bool m_painted = false;
};
