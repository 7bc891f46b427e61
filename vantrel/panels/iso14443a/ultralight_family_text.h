// Texts of the UltraLight, NTAG203 and UltraLight C panels.
#pragma once

#include <array>

#include "vantrel/toolkit/ui_text.h"

namespace ultralight_text {
inline constexpr UiString kUidLabel{L"SN0.......SN6", L"SN0.......SN6"};
inline constexpr UiString kPageLabel{L"页地址", L"WriterPage"};
inline constexpr UiString kSearch{L"寻卡.ALL", L"ReqALL"};
inline constexpr UiString kRead{L"读卡", L"Read Card"};
inline constexpr UiString kWrite{L"写卡", L"Write Page"};
inline constexpr UiString kReqIdl{L"寻卡.IDL", L"ReqIDL"};
inline constexpr UiString kHalt{L"休眠", L"Halt"};

inline constexpr UiString kKeyNot16Bytes{L"密钥数据不是16个字节!", L"Key data is not 16 bytes!"};
}  // namespace ultralight_text

struct UltraLightFamilyIds {
    int uidLabel;
    int uid;
    int search;
    int reqIdl;
    int halt;
    int pageLabel;
    int pageList;
    int read;
    int write;
    int pageFrame;
};

// The family's caption table for a template's ids.
constexpr std::array<Caption, 7> UltraLightFamilyCaptions(const UltraLightFamilyIds& ids) {
    using namespace ultralight_text;
    return {{{ids.uidLabel, kUidLabel},
             {ids.pageLabel, kPageLabel},
             {ids.search, kSearch},
             {ids.read, kRead},
             {ids.write, kWrite},
             {ids.reqIdl, kReqIdl},
             {ids.halt, kHalt}}};
}
