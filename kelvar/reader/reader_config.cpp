#include "kelvar/reader/reader_config.h"


namespace kelvar {

std::vector<CardKind> DefaultFieldOrder() {
    const auto all = AllCardKinds();
    return {all.begin(), all.end()};
}

}  // namespace kelvar
