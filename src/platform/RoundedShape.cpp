#include "platform/RoundedShape.h"

#include <QPainter>

#include <algorithm>

RoundedShape::RoundedShape(const QColor& fill, QWidget* parent, const QColor& outline)
    : QWidget(parent), m_fill(fill), m_outline(outline) {}

void RoundedShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(m_outline, 1));
    painter.setBrush(m_fill);
    const qreal radius = std::min(width(), height()) / 4 / 2.0;
    // The outline runs along the outermost pixels, inside the widget.
    painter.drawRoundedRect(QRectF(rect()).adjusted(0, 0, -1, -1), radius, radius);
}
