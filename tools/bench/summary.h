// Median and range of a set of timings.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

struct Summary {
    std::size_t count = 0;
    double median = 0;
    double min = 0;
    double max = 0;
};

// An even count takes the mean of the two middle values; no values give a
// count of 0 and zeros.
inline Summary Summarise(std::vector<double> values) {
    Summary s;
    s.count = values.size();
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    s.median = values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    s.min = values.front();
    s.max = values.back();
    return s;
}
