#include "support/scripted_reader.h"

#include <cstring>
#include <sstream>
#include <type_traits>

ScriptedReader* ScriptedReader::active_ = nullptr;

const char* ScriptedReaderName(int slot);

namespace {

template <typename T>
void AppendArg(std::ostringstream& out, T value) {
    if constexpr (std::is_pointer_v<T>) {
        out << (value ? "*" : "null");
    } else {
        out << static_cast<long long>(value);
    }
}

template <int Slot, typename... Args>
int32_t __stdcall Thunk(Args... args) {
    ScriptedReader* reader = ScriptedReader::Active();
    if (reader == nullptr) return -1;
    std::ostringstream entry;
    entry << ScriptedReaderName(Slot) << "(";
    bool first = true;
    ((entry << (first ? "" : ", "), first = false, AppendArg(entry, args)), ...);
    entry << ")";
    reader->Record(entry.str());
    if (auto* hook = std::any_cast<std::function<int32_t(Args...)>>(&reader->HookAt(Slot))) {
        return (*hook)(args...);
    }
    return 0;
}

template <int Slot, typename... Args>
void BindThunk(ReaderFunction<int32_t(Args...)>& fn) {
    fn.Set(&Thunk<Slot, Args...>);
}

}  // namespace

const char* ScriptedReaderName(int slot) {
    static const char* const names[] = {
#define SCRIPTED_NAME(ordinal, member, reported, required, params) #member,
        KELVAR_FUNCTIONS(SCRIPTED_NAME)
#undef SCRIPTED_NAME
    };
    return names[slot];
}

namespace {

enum SlotIndex {
#define SCRIPTED_SLOT(ordinal, member, reported, required, params) kSlot_##member,
    KELVAR_FUNCTIONS(SCRIPTED_SLOT)
#undef SCRIPTED_SLOT
    kSlotCount
};

}  // namespace

ScriptedReader::ScriptedReader() : hooks_(kSlotCount) {
#define SCRIPTED_BIND(ordinal, member, reported, required, params) \
    BindThunk<kSlot_##member>(library.member);
    KELVAR_FUNCTIONS(SCRIPTED_BIND)
    // As the reader maker's library, unless a test offers them.
#define SCRIPTED_UNBIND(ordinal, member, reported, required, params) library.member.Set(nullptr);
    VIRTUAL_FIELD_FUNCTIONS(SCRIPTED_UNBIND)
#undef SCRIPTED_UNBIND
    active_ = this;
}

void ScriptedReader::OfferVirtualField() {
    VIRTUAL_FIELD_FUNCTIONS(SCRIPTED_BIND)
}
#undef SCRIPTED_BIND

ScriptedReader::~ScriptedReader() {
    if (active_ == this) active_ = nullptr;
}

int ScriptedReader::Slot(const void* function) const {
#define SCRIPTED_FIND(ordinal, member, reported, required, params) \
    if (function == &library.member) return kSlot_##member;
    KELVAR_FUNCTIONS(SCRIPTED_FIND)
#undef SCRIPTED_FIND
    return -1;
}

Calls ScriptedReader::Names() const {
    Calls names;
    for (const std::string& entry : log_) names.push_back(entry.substr(0, entry.find('(')));
    return names;
}

void Answer(uint8_t* out, uint8_t* length, const std::vector<uint8_t>& bytes) {
    if (!bytes.empty()) std::memcpy(out, bytes.data(), bytes.size());
    if (length != nullptr) *length = static_cast<uint8_t>(bytes.size());
}
