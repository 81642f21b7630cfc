#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// A periodic timer with the original toolkit's rule: enabling a timer that is
// already running leaves it on its present rhythm (QTimer::start would restart
// its period).
class CountdownTimer : public QObject {
    Q_OBJECT
public:
    explicit CountdownTimer(int intervalMs, QObject* parent = nullptr);

    void setOnTick(std::function<void()> handler) { m_onTick = std::move(handler); }
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }

private:
    QTimer m_timer;
    std::function<void()> m_onTick;
};
