// GDI objects the whole program shares, created on first use and kept for
// the run: the fixed-pitch font of hex fields and the highlight brush of
// fields that need care (lock bytes, one-time pages).
#pragma once

#include <windows.h>

inline constexpr COLORREF kHighlightText = RGB(255, 255, 0);
inline constexpr COLORREF kHighlightBack = RGB(240, 0, 0);

// A fixed-pitch font as tall as `dialogFont` (one per height), for hex text.
HFONT HexFont(HFONT dialogFont);

// Solid kHighlightBack.
HBRUSH HighlightBrush();

// Draws an edit's text in kHighlightText on HighlightBrush(); the answer to
// its WM_CTLCOLOREDIT.
LRESULT HighlightEditColours(HDC dc);
