#pragma once

#include <vector>

#include "core/sleeper.h"

namespace qeb::test {

// Returns at once and remembers every wait that was asked for.
class RecordingSleeper final : public core::Sleeper {
public:
    void SleepMs(int milliseconds) override { waits.push_back(milliseconds); }
    int TotalMs() const {
        int total = 0;
        for (int w : waits) {
            total += w;
        }
        return total;
    }

    std::vector<int> waits;
};

}  // namespace qeb::test
