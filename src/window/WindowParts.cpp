#include "window/WindowParts.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <QVariant>

namespace {
constexpr char HintProperty[] = "quaveletHint";
constexpr char HelpTopicProperty[] = "quaveletHelpTopic";
constexpr char TagProperty[] = "quaveletTag";
} // namespace

void SetHint(QObject* control, const QString& hint) { control->setProperty(HintProperty, hint); }
QString HintOf(const QObject* control) { return control->property(HintProperty).toString(); }
void SetHelpTopic(QObject* control, int topic) { control->setProperty(HelpTopicProperty, topic); }
int HelpTopicOf(const QObject* control) { return control->property(HelpTopicProperty).toInt(); }
// An action keeps its Tag as its data, so handlers can read it from the
// sender without knowing the window.
void SetTag(QObject* control, int tag) {
    if (auto* action = qobject_cast<QAction*>(control))
        action->setData(tag);
    else
        control->setProperty(TagProperty, tag);
}

int TagOf(const QObject* control) {
    if (const auto* action = qobject_cast<const QAction*>(control))
        return action->data().toInt();
    return control->property(TagProperty).toInt();
}

QFrame* NewPanel(QWidget* parent, const QRect& bounds) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(bounds);
    return panel;
}

ToolBarFrame::ToolBarFrame(QWidget* parent) : QWidget(parent) {}

void ToolBarFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Window));
    // Raised inner edges: a light line over a dark one at the top, and the
    // same at the bottom.
    painter.setPen(colours.color(QPalette::Light));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(0, height() - 2, width() - 1, height() - 2);
}

ToolBarSeparator::ToolBarSeparator(QWidget* parent, bool withLine) : QWidget(parent), m_withLine(withLine) {}

void ToolBarSeparator::paintEvent(QPaintEvent*) {
    if (!m_withLine)
        return;
    QPainter painter(this);
    const int x = width() / 2 - 1;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(x, 1, x, height() - 2);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(x + 1, 1, x + 1, height() - 2);
}

HorizontalScrollBar::HorizontalScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

void HorizontalScrollBar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        triggerAction(SliderSingleStepSub);
        event->accept();
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        triggerAction(SliderSingleStepAdd);
        event->accept();
        break;
    default:
        QScrollBar::keyPressEvent(event);
        break;
    }
}
