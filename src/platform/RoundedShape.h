#pragma once

#include <QColor>
#include <QWidget>

// A rectangle with curved corners, filled and outlined, the way the design's
// shape controls draw it: a one-pixel outline, corner curves a quarter of the
// shorter side across.
class RoundedShape : public QWidget {
    Q_OBJECT
public:
    explicit RoundedShape(const QColor& fill, QWidget* parent = nullptr, const QColor& outline = Qt::black);

    QColor fill() const { return m_fill; }
    QColor outline() const { return m_outline; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
    QColor m_outline;
};
