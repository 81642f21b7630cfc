#include "platform/CountdownTimer.h"

CountdownTimer::CountdownTimer(int intervalMs, QObject* parent) : QObject(parent) {
    m_timer.setInterval(intervalMs);
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_onTick)
            m_onTick();
    });
}

void CountdownTimer::setEnabled(bool enabled) {
    if (enabled && !m_timer.isActive())
        m_timer.start();
    else if (!enabled)
        m_timer.stop();
}
