// Log lines of one kind at a bounded rate: a burst, then one a second; the
// first line let through after a pause says how many were left out.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>

namespace kelvar::net {

class LogThrottle {
public:
    using Clock = std::chrono::steady_clock;
    using Log = std::function<void(const std::string&)>;

    static constexpr int kBurst = 5;
    static constexpr Clock::duration kRefill = std::chrono::seconds(1);

    explicit LogThrottle(Log log) : log_(std::move(log)) {}

    // Logs `text` unless lines of `kind` came too often.
    void operator()(const std::string& kind, const std::string& text, Clock::time_point now = Clock::now());

private:
    struct Bucket {
        double tokens = kBurst;
        Clock::time_point last{};
        unsigned long dropped = 0;
    };

    Log log_;
    std::map<std::string, Bucket, std::less<>> buckets_;
};

}  // namespace kelvar::net
