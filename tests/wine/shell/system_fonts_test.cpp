// The prefix must resolve the dialog font and the caption-button font to the
// real faces; a fallback face draws dialogs wide and caption buttons as letters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame_fixture.h"
#include "vantrel/framework/gdi.h"

namespace {

struct ResolvedFace {
    std::wstring face;    // what the DC reports
    std::wstring family;  // the family name inside the font file
};

ResolvedFace Resolve(HFONT font) {
    ResolvedFace resolved;
    HDC screen = GetDC(nullptr);
    {
        ScopedSelectObject select(screen, font);
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(screen, LF_FACESIZE, face);
        resolved.face = face;
        const UINT size = GetOutlineTextMetricsW(screen, 0, nullptr);
        if (size > 0) {
            std::vector<BYTE> buffer(size);
            auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
            if (GetOutlineTextMetricsW(screen, size, metrics) != 0) {
                resolved.family = reinterpret_cast<const wchar_t*>(
                    buffer.data() + reinterpret_cast<UINT_PTR>(metrics->otmpFamilyName));
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return resolved;
}

ResolvedFace Resolve(const wchar_t* name, BYTE charset) {
    LOGFONTW logFont{};
    logFont.lfHeight = -12;
    logFont.lfCharSet = charset;
    lstrcpynW(logFont.lfFaceName, name, LF_FACESIZE);
    ScopedFont font(CreateFontIndirectW(&logFont));
    return Resolve(font.Get());
}

}  // namespace

TEST(SystemFonts, DialogAndCaptionButtonFontsResolveToTheRealFaces) {
    const ResolvedFace tahoma = Resolve(L"Tahoma", DEFAULT_CHARSET);
    EXPECT_EQ(tahoma.face, L"Tahoma");
    EXPECT_EQ(tahoma.family, L"Tahoma");
    EXPECT_EQ(Resolve(L"MS Shell Dlg", DEFAULT_CHARSET).family, L"Tahoma");
    const ResolvedFace marlett = Resolve(L"Marlett", SYMBOL_CHARSET);
    EXPECT_EQ(marlett.face, L"Marlett");
    EXPECT_EQ(marlett.family, L"Marlett");
}

TEST_F(FrameTest, PanelsAndTheBarDrawInTahoma) {
    EXPECT_EQ(Resolve(frame->Bar()->Font()).family, L"Tahoma");
    EXPECT_EQ(Resolve(frame->View().CurrentPanel()->Font()).family, L"Tahoma");
}
