#include "platform/CountdownTimer.h"

CountdownTimer::CountdownTimer(int intervalMs, QObject* parent) : QObject(parent) {
    m_timer.setInterval(intervalMs);
    // Each tick is one second of the countdown the player sees.
    m_timer.setTimerType(Qt::PreciseTimer);
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
