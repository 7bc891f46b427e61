// The rows of KELVAR_BUFFERS as a table: every pointer argument's direction
// and size, for whatever carries or watches a call (the network marshal, the
// program's call observer).
#pragma once

#include "kelvar/kelvar_functions.h"

namespace kelvar {

enum class Direction { In, Out, InOut };
enum class SizeKind { Fixed, Arg, Reported };

struct BufferRule {
    int ordinal;
    int position;
    Direction direction;
    SizeKind kind;
    int value;
    int largest = 0;  // Arg rows only
};

inline constexpr BufferRule kBufferRules[] = {
#define KELVAR_BUFFER_RULE(ordinal, position, direction, kind, ...) \
    {ordinal, position, Direction::direction, SizeKind::kind, __VA_ARGS__},
    KELVAR_BUFFERS(KELVAR_BUFFER_RULE)
#undef KELVAR_BUFFER_RULE
};

constexpr int RuleCount(int ordinal, int position) {
    int count = 0;
    for (const BufferRule& rule : kBufferRules) count += rule.ordinal == ordinal && rule.position == position;
    return count;
}

constexpr BufferRule RuleOf(int ordinal, int position) {
    for (const BufferRule& rule : kBufferRules) {
        if (rule.ordinal == ordinal && rule.position == position) return rule;
    }
    return {ordinal, position, Direction::In, SizeKind::Fixed, 0};
}

}  // namespace kelvar
