#pragma once

#include <QFrame>
#include <QScrollBar>
#include <QString>

class QAction;
class QObject;
class QWidget;

// Small pieces of the main window's design that Qt has no exact match for.

// The hint of a control, shown in the status bar while the pointer rests on
// it (never as a pop-up tip), and its help topic number (0: none of its own).
void SetHint(QObject* control, const QString& hint);
QString HintOf(const QObject* control);
void SetHelpTopic(QObject* control, int topic);
int HelpTopicOf(const QObject* control);

// The Tag of an action or control, telling apart the senders of one handler.
void SetTag(QObject* control, int tag);
int TagOf(const QObject* control);

// A panel with the one-pixel lowered bevel of the design.
QFrame* NewPanel(QWidget* parent, const QRect& bounds);

// A toolbar background with etched edge lines along its top and bottom.
class ToolBarFrame : public QWidget {
public:
    explicit ToolBarFrame(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The space between tool button groups: an etched vertical line in its middle
// (drawn only for flat toolbars, as the original toolkit did).
class ToolBarSeparator : public QWidget {
public:
    ToolBarSeparator(QWidget* parent, bool withLine);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_withLine;
};

// A horizontal scroll bar whose arrow keys move the thumb the way they
// point: Left and Up one step towards the minimum, Right and Down one step
// towards the maximum, as the original control's keys did. (Qt's scroll bars
// invert their key controls, which on a horizontal bar makes Left raise the
// value.)
class HorizontalScrollBar : public QScrollBar {
public:
    explicit HorizontalScrollBar(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
