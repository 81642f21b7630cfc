#include "platform/PaintBox.h"

#include "platform/SystemColors.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PaintBox::matchImageToSize() {
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (m_image.size() == wanted)
        return;
    m_image = QImage(wanted, QImage::Format_RGB32);
    m_image.fill(ButtonFace());
}

Canvas PaintBox::canvas() {
    matchImageToSize();
    return Canvas(m_image, [this](const QRect& rect) { touched(rect); });
}

void PaintBox::touched(const QRect& rect) {
    if (m_recording)
        m_drawn.push_back(rect);
    update(rect);
}

QRegion PaintBox::drawnRegion() const {
    QRegion region;
    for (const QRect& rect : m_drawn)
        region += rect;
    return region;
}

void PaintBox::repaintNow(bool eraseBackground) {
    matchImageToSize();
    if (eraseBackground) {
        m_image.fill(ButtonFace());
        update();
    }
    if (m_paint)
        m_paint();
    m_painted = true;
}

void PaintBox::paintEvent(QPaintEvent* event) {
    if (!m_painted)
        repaintNow(false);
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
}

void PaintBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize before = m_image.size();
    matchImageToSize();
    if (m_image.size() != before && m_painted)
        repaintNow(false);
}

void PaintBox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    repaintNow(false);
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    if (m_mouseDown)
        m_mouseDown(event->button(), event->modifiers(), event->position().toPoint().x(), event->position().toPoint().y());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    // Qt delivers moves to the box that took the press also outside it, in
    // the box's own coordinates, for as long as a button is held.
    if (m_mouseMove)
        m_mouseMove(Qt::NoButton, event->modifiers(), event->position().toPoint().x(), event->position().toPoint().y());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (m_mouseUp)
        m_mouseUp(event->button(), event->modifiers(), event->position().toPoint().x(), event->position().toPoint().y());
}
