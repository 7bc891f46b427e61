// A reader library for window tests: every function records its call in a
// shared call log and answers through a hook the test scripts (0 without one).
//
//   ScriptedReader script;
//   script.On(script.library.rf_request, [](int32_t, uint8_t, uint16_t* type) {
//       *type = 4;
//       return 0;
//   });
//   ... press a button ...
//   EXPECT_EQ(script.Log(), (Calls{"rf_init_type(0, 65)", "Wait(20)", "rf_request(0, 82, *)"}));
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vantrel/reader/reader_library.h"

using Calls = std::vector<std::string>;

class ScriptedReader {
public:
    ScriptedReader();
    ~ScriptedReader();
    ScriptedReader(const ScriptedReader&) = delete;
    ScriptedReader& operator=(const ScriptedReader&) = delete;

    ReaderLibrary library;

    // Answers calls of `fn` with `hook` (same arguments as the function).
    template <typename... Args, typename Hook>
    void On(const ReaderFunction<int32_t(Args...)>& fn, Hook hook) {
        hooks_[Slot(&fn)] = std::function<int32_t(Args...)>(std::move(hook));
    }
    // Answers calls of `fn` with `status`.
    template <typename... Args>
    void Fail(const ReaderFunction<int32_t(Args...)>& fn, int32_t status) {
        On(fn, [status](Args...) { return status; });
    }
    // Binds the virtual field's own functions, which a scripted reader
    // leaves unbound as the reader maker's library does.
    void OfferVirtualField();
    // Leaves `fn` unbound, as a library that does not export it.
    template <typename Signature>
    void Unbind(ReaderFunction<Signature>& fn) {
        fn.Set(nullptr);
    }

    // Every call so far as "name(arg, arg, ...)", pointers as "*", with the
    // waits of the fake services in between.
    const Calls& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    void Record(std::string entry) { log_.push_back(std::move(entry)); }
    // Names of the calls only.
    Calls Names() const;

    // The reader the thunks talk to.
    static ScriptedReader* Active() { return active_; }
    std::any& HookAt(int slot) { return hooks_[slot]; }

private:
    int Slot(const void* function) const;

    static ScriptedReader* active_;
    std::vector<std::any> hooks_;
    Calls log_;
};

// Copies `bytes` to an out-buffer and its length byte.
void Answer(uint8_t* out, uint8_t* length, const std::vector<uint8_t>& bytes);
