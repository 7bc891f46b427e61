// The function list as the journal names it: each function's C name, the
// name the result log gives it, and its arguments' names and kinds, read from
// the list's own argument text.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace journal {

struct FunctionArgument {
    std::string name;
    bool pointer = false;
};

struct FunctionInfo {
    int ordinal;
    const char* cName;
    const char* logged;  // "" for functions the log never shows
    std::vector<FunctionArgument> arguments;
};

// Every function of the list, in its order.
std::span<const FunctionInfo> Functions();
// The function of `ordinal`, or null.
const FunctionInfo* FindFunction(int ordinal);

// The arguments of an argument list as written in C: "(int32_t dev, const
// uint8_t* key)" gives dev and key (a pointer).
std::vector<FunctionArgument> ParseArgumentList(std::string_view text);

}  // namespace journal
