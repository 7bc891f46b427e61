// A scripted ISO 15693 tag for the panel tests: block b holds the bytes b,
// b+0x40, b+0x80, 0xFF-b and has the security status b | 0x80.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/panel_harness.h"
#include "vantrel/toolkit/hex_text.h"

inline std::vector<uint8_t> BlockBytes(int block) {
    const auto b = static_cast<uint8_t>(block);
    return {b, static_cast<uint8_t>(b + 0x40), static_cast<uint8_t>(b + 0x80),
            static_cast<uint8_t>(0xFF - b)};
}

// The editor's text of blocks first..last: "XX " triples.
inline std::wstring BlockTriples(int first, int last) {
    std::wstring text;
    for (int block = first; block <= last; ++block) {
        for (uint8_t b : BlockBytes(block)) text += BytesToHex(&b, 1) + L" ";
    }
    return text;
}

inline const std::vector<uint8_t> kUid1 = {0xE0, 0x04, 0x01, 0x00, 0x12, 0x34, 0x56, 0x78};

// An inventory of `tags` tags, the UID of tag t being kUid1 with its last byte t.
inline void ServeInventory(ScriptedReader& script, int tags, int extraBytes = 0) {
    script.On(script.library.ISO15693_Inventorys, [=](int32_t, uint8_t* out, uint8_t* length) {
        std::vector<uint8_t> answer;
        for (int t = 0; t < tags; ++t) {
            answer.push_back(0x00);
            answer.insert(answer.end(), kUid1.begin(), kUid1.end() - 1);
            answer.push_back(static_cast<uint8_t>(t));
        }
        answer.resize(answer.size() + static_cast<std::size_t>(extraBytes), 0xEE);
        Answer(out, length, answer);
        return 0;
    });
}

// Reads and security requests answered in full; a read of `shortFirst`
// answers `shortLength` bytes instead.
inline void ServeTag(ScriptedReader& script, int shortFirst = -1, int shortLength = 0) {
    script.On(script.library.ISO15693_Read,
              [=](int32_t, uint8_t, const uint8_t*, uint8_t first, uint8_t count, uint8_t* out,
                  uint8_t* length) {
                  std::vector<uint8_t> answer;
                  for (int b = first; b < first + count; ++b) {
                      for (uint8_t byte : BlockBytes(b)) answer.push_back(byte);
                  }
                  if (first == shortFirst) answer.resize(static_cast<std::size_t>(shortLength));
                  Answer(out, length, answer);
                  return 0;
              });
    script.On(script.library.ISO15693_Get_Block_Security,
              [](int32_t, uint8_t, const uint8_t*, uint8_t first, uint8_t count, uint8_t* out,
                 uint8_t* length) {
                  std::vector<uint8_t> answer;
                  for (int b = first; b < first + count; ++b) answer.push_back(static_cast<uint8_t>(b | 0x80));
                  Answer(out, length, answer);
                  return 0;
              });
}
