#pragma once

namespace qeb::core {

// Blocking waits on the calling thread; tests skip them and record what was asked.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void SleepMs(int milliseconds) = 0;
};

class ThreadSleeper final : public Sleeper {
public:
    void SleepMs(int milliseconds) override;
};

}  // namespace qeb::core
