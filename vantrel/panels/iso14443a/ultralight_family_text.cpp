#include "vantrel/panels/iso14443a/ultralight_family_text.h"

namespace {

constexpr const wchar_t* kChinese[] = {
    L"SN0.......SN6", L"页地址", L"寻卡.ALL", L"读卡", L"写卡", L"寻卡.IDL", L"休眠",
};
constexpr const wchar_t* kEnglish[] = {
    L"SN0.......SN6", L"WriterPage", L"ReqALL", L"Read Card", L"Write Page", L"ReqIDL", L"Halt",
};

}  // namespace

constinit const UiTextTable kUltraLightFamilyCaptions = MakeUiTextTable(kChinese, kEnglish);
