#include "vantrel/journal/function_catalog.h"

#include <algorithm>
#include <cctype>

#include "kelvar/kelvar_functions.h"

namespace journal {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

std::vector<FunctionInfo> MakeCatalog() {
    std::vector<FunctionInfo> functions;
#define JOURNAL_CATALOG_ROW(ordinal, member, reported, required, params) \
    functions.push_back({ordinal, #member, reported, ParseArgumentList(#params)});
    KELVAR_FUNCTIONS(JOURNAL_CATALOG_ROW)
#undef JOURNAL_CATALOG_ROW
    return functions;
}

}  // namespace

std::vector<FunctionArgument> ParseArgumentList(std::string_view text) {
    text = Trim(text);
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') text = text.substr(1, text.size() - 2);
    std::vector<FunctionArgument> arguments;
    while (!Trim(text).empty()) {
        const size_t comma = text.find(',');
        const std::string_view one = Trim(text.substr(0, comma));
        size_t start = one.size();
        while (start > 0 && (std::isalnum(static_cast<unsigned char>(one[start - 1])) || one[start - 1] == '_')) --start;
        arguments.push_back({std::string(one.substr(start)), one.find('*') != std::string_view::npos});
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return arguments;
}

std::span<const FunctionInfo> Functions() {
    static const std::vector<FunctionInfo> catalog = MakeCatalog();
    return catalog;
}

const FunctionInfo* FindFunction(int ordinal) {
    const auto functions = Functions();
    const auto found = std::find_if(functions.begin(), functions.end(),
                                    [ordinal](const FunctionInfo& f) { return f.ordinal == ordinal; });
    return found != functions.end() ? &*found : nullptr;
}

}  // namespace journal
