#pragma once

#include <algorithm>
#include <vector>

namespace bench {

// The least, the middle and the largest of some measurements.
struct Summary {
    double min = 0;
    double median = 0;
    double max = 0;
};

inline Summary Summarize(std::vector<double> values) {
    if (values.empty())
        return Summary();
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    const double median = values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
    return {values.front(), median, values.back()};
}

} // namespace bench
