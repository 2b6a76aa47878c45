#pragma once

#include "store/alarm.h"

#include <QtGlobal>

// An alarm on a clock that only moves when told to, so that a test or a benchmark can play
// seconds of typing in no time.
class ManualAlarm final : public Alarm {
public:
    void start(int milliseconds, std::function<void()> ring) override
    {
        m_deadline = m_now + milliseconds;
        m_ring = std::move(ring);
    }
    void stop() override { m_deadline = -1; }
    bool active() const override { return m_deadline >= 0; }

    // Moves the clock to `milliseconds`, ringing on the way when the alarm is due.
    void advanceTo(qint64 milliseconds)
    {
        while (m_deadline >= 0 && m_deadline <= milliseconds) {
            m_now = m_deadline;
            m_deadline = -1;
            const std::function<void()> ring = m_ring;
            ring();
        }
        m_now = milliseconds;
    }
    qint64 now() const { return m_now; }

private:
    qint64 m_now = 0;
    qint64 m_deadline = -1;
    std::function<void()> m_ring;
};
