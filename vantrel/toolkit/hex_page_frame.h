// What a panel puts around its hex page editor: the byte offsets of a line
// above it, one label a line to its left, and the page scroll bar.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "vantrel/toolkit/hex_page_editor.h"

// Draws the labels in `panel`'s colours and font; `rowLabel(line)` gives the
// text of a line of the page shown.
void DrawHexPageLabels(HDC dc, HWND panel, const HexPageEditor& editor, int rowLabelWidth,
                       const std::function<std::wstring(int row)>& rowLabel);

// Where the row labels are drawn, in `panel`'s client coordinates.
RECT RowLabelArea(HWND panel, const HexPageEditor& editor, int rowLabelWidth);

// Two upper-case hex digits of `value` ("%02X"), four with `digits` 4.
std::wstring HexLabel(int value, int digits = 2);

// The page that a WM_VSCROLL of the page scroll bar `bar` moves to, with the
// thumb set there: line and page steps move by one, the thumb goes where it
// is dragged. None for the other codes, and for a page outside the range,
// which only pins the thumb at the nearer end.
std::optional<int> ScrollToPage(HWND bar, WPARAM wParam);

// A WM_VSCROLL of the page scroll bar `bar`: the editor shows the page it
// moves to, the row labels are redrawn and the unwritten changes forgotten
// with the page. False when the page did not change.
bool FollowPageBar(HWND panel, HWND bar, HexPageEditor& editor, int rowLabelWidth, WPARAM wParam);
