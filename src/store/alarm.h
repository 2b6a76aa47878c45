#pragma once

#include <functional>
#include <memory>

// Rings once after a delay. The store schedules the coalesced writes of the notebook through
// one, so that tests and benchmarks can drive the time themselves.
class Alarm {
public:
    virtual ~Alarm() = default;
    // Rings `ring` once after `milliseconds`, in place of any earlier setting.
    virtual void start(int milliseconds, std::function<void()> ring) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;

    // An alarm on the event loop of the calling thread.
    static std::unique_ptr<Alarm> onEventLoop();
};
