// The clock and the medians every benchmark prints. Portable.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace tellaro {
namespace bench {

inline double NowMs() {
    using Ms = std::chrono::duration<double, std::milli>;
    return Ms(std::chrono::steady_clock::now().time_since_epoch()).count();
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Median time of `repetitions` runs of `work`, in milliseconds; `prepare`
// runs untimed before each.
inline double MedianMs(int repetitions, const std::function<void()>& work,
                       const std::function<void()>& prepare = nullptr) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        if (prepare) prepare();
        const double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    return Median(times);
}

}  // namespace bench
}  // namespace tellaro
