#include "store/alarm.h"

#include <QTimer>

namespace {

class TimerAlarm final : public Alarm {
public:
    TimerAlarm()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (m_ring)
                m_ring();
        });
    }

    void start(int milliseconds, std::function<void()> ring) override
    {
        m_ring = std::move(ring);
        m_timer.start(milliseconds);
    }
    void stop() override { m_timer.stop(); }
    bool active() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    std::function<void()> m_ring;
};

} // namespace

std::unique_ptr<Alarm> Alarm::onEventLoop()
{
    return std::make_unique<TimerAlarm>();
}
