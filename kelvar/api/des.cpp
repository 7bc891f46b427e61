// The DES calculator. It works without a connection.
#include "kelvar/api/exports.h"
#include "kelvar/reader/des_calculator.h"

using kelvar::DesDirection;
using kelvar::RunDesCalculator;

extern "C" {

int32_t __stdcall des_encipher(uint8_t* out, const uint8_t* data, uint8_t length, const uint8_t* key,
                               uint8_t keyLength) {
    return RunDesCalculator(DesDirection::kEncipher, out, data, length, key, keyLength);
}

int32_t __stdcall des_decipher(uint8_t* out, const uint8_t* data, uint8_t length, const uint8_t* key,
                               uint8_t keyLength) {
    return RunDesCalculator(DesDirection::kDecipher, out, data, length, key, keyLength);
}

}  // extern "C"
