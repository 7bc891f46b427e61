// The result log: one line per library call of the last command, drawn into an
// off-screen image that scrolling only copies.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vantrel/framework/gdi.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/framework/scroll_view.h"

class CProcessView : public WithMessageMap<CProcessView, ScrollView> {
public:
    struct Entry {
        std::wstring functionName;
        int32_t status;
    };

    CProcessView();
    bool Create(HWND parent);

    void AddEntry(const std::wstring& functionName, int32_t status);
    void ClearEntries();
    const std::vector<Entry>& Entries() const { return entries_; }

    static std::span<const MessageEntry<CProcessView>> Messages();

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);

    void RebuildImage(int height);
    void DrawEntries();
    void CopyImageToWindow(int offset);

    std::vector<Entry> entries_;
    ScopedFont font_;
    ScopedBitmap image_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
};

// Fills `area` of `dc` with the log's background: the gradient rows, white below.
void PaintLogBackground(HDC dc, const RECT& area);
