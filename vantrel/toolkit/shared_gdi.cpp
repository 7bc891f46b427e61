#include "vantrel/toolkit/shared_gdi.h"

#include <map>

#include "vantrel/framework/gdi.h"

HFONT HexFont(HFONT dialogFont) {
    LOGFONTW lf{};
    if (dialogFont == nullptr || GetObjectW(dialogFont, sizeof(lf), &lf) == 0) lf.lfHeight = -12;
    static std::map<LONG, ScopedFont> fonts;
    ScopedFont& font = fonts[lf.lfHeight];
    if (!font) {
        LOGFONTW hex{};
        hex.lfHeight = lf.lfHeight;
        hex.lfWeight = FW_NORMAL;
        hex.lfCharSet = DEFAULT_CHARSET;
        hex.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpynW(hex.lfFaceName, L"Courier New", LF_FACESIZE);
        font.Reset(CreateFontIndirectW(&hex));
    }
    return font.Get();
}

HBRUSH HighlightBrush() {
    static const ScopedBrush brush(CreateSolidBrush(kHighlightBack));
    return brush.Get();
}

LRESULT HighlightEditColours(HDC dc) {
    SetTextColor(dc, kHighlightText);
    SetBkColor(dc, kHighlightBack);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(HighlightBrush());
}
