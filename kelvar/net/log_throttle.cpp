#include "kelvar/net/log_throttle.h"

#include <algorithm>

namespace kelvar::net {

void LogThrottle::operator()(const std::string& kind, const std::string& text, Clock::time_point now) {
    auto [at, added] = buckets_.try_emplace(kind);
    Bucket& bucket = at->second;
    if (!added) {
        const double earned = std::chrono::duration<double>(now - bucket.last) / kRefill;
        bucket.tokens = std::min<double>(kBurst, bucket.tokens + std::max(0.0, earned));
    }
    bucket.last = now;
    if (bucket.tokens < 1) {
        ++bucket.dropped;
        return;
    }
    bucket.tokens -= 1;
    if (bucket.dropped == 0) {
        log_(text);
        return;
    }
    log_(text + " (" + std::to_string(bucket.dropped) + " more like it not logged)");
    bucket.dropped = 0;
}

}  // namespace kelvar::net
