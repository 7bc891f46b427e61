#include "vantrel/reader/binding_table.h"

#include <algorithm>

#include "kelvar/kelvar_functions.h"

namespace {

#define VANTREL_BOUND_ORDINAL(ordinal, member, reported, required, params) \
    BoundOrdinal{ordinal, reported, required},
constexpr BoundOrdinal kTable[] = {KELVAR_FUNCTIONS(VANTREL_BOUND_ORDINAL)};
#undef VANTREL_BOUND_ORDINAL

}  // namespace

std::span<const BoundOrdinal> BindingTable() { return kTable; }

const BoundOrdinal* FindBoundOrdinal(int ordinal) {
    auto it = std::lower_bound(std::begin(kTable), std::end(kTable), ordinal,
                               [](const BoundOrdinal& e, int o) { return e.ordinal < o; });
    return (it != std::end(kTable) && it->ordinal == ordinal) ? &*it : nullptr;
}
