// A scripted UltraLight-family tag for the panel tests: page p holds the
// bytes p, p+0x40, p+0x80, 0xFF-p; reads answer 16 bytes from the page asked.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/list_helpers.h"
#include "support/panel_harness.h"
#include "vantrel/toolkit/hex_text.h"

inline std::vector<uint8_t> PageBytes(int page) {
    const auto p = static_cast<uint8_t>(page);
    return {p, static_cast<uint8_t>(p + 0x40), static_cast<uint8_t>(p + 0x80),
            static_cast<uint8_t>(0xFF - p)};
}

inline std::wstring PageHex(int page) { return BytesToHex(PageBytes(page)); }

// Reads of pages below `answered` succeed with `length` bytes; later ones fail
// with `status`.
inline void ServeReads(ScriptedReader& script, int answered, int32_t status = 0x0A,
                       uint8_t length = 16) {
    script.On(script.library.rf_M1_read,
              [=](int32_t, uint8_t page, uint8_t* out, uint8_t* outLength) {
                  if (page >= answered) return status;
                  std::vector<uint8_t> answer;
                  for (int p = page; answer.size() < length; ++p) {
                      for (uint8_t b : PageBytes(p)) answer.push_back(b);
                  }
                  answer.resize(length);
                  Answer(out, outLength, answer);
                  return 0;
              });
}

struct PageWrite {
    int page = -1;
    std::vector<uint8_t> data;
};

inline void CaptureWrites(ScriptedReader& script, PageWrite& written) {
    script.On(script.library.rf_ul_write, [&written](int32_t, uint8_t page, const uint8_t* data) {
        written.page = page;
        written.data.assign(data, data + 4);
        return 0;
    });
}
