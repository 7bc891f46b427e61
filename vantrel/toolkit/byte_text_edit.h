// The edit that holds bytes as hexadecimal text: typing lets only hex digits
// in (letters end up lower-case), a locked edit refuses typing but copies.
#pragma once

#include <cstdint>

#include "vantrel/framework/subclass.h"
#include "vantrel/toolkit/bytes.h"
#include "vantrel/toolkit/key_filter.h"

class ByteTextEdit : public SubclassedControl {
public:
    // Bytes as upper-case hex digits; a null pointer leaves the text as it is.
    void SetBytes(const uint8_t* bytes, size_t count);
    void SetBytes(const Bytes& bytes) { SetBytes(bytes.data(), bytes.size()); }
    // The 4 bytes of `value`, least significant first.
    void SetDword(uint32_t value);
    Bytes GetBytes() const;
    // Text length / 2: a lone last digit does not count.
    size_t ByteCount() const;
    void SetByteLimit(size_t bytes);
    size_t ByteLimit() const;
    void SetLocked(bool locked) { state_.locked = locked; }
    bool IsLocked() const { return state_.locked; }
    // Locked for typing and read-only for the edit itself.
    void SetReadOnly();
    bool IsReadOnly() const { return readOnly_; }
    // Leaves an empty edit alone.
    void Clear();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool Apply(KeyDecision decision, UINT message, LPARAM lParam, LRESULT& result);

    ByteEditKeyState state_;
    bool readOnly_ = false;
};
