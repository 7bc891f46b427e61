#include "vantrel/toolkit/hex_page_editor.h"

#include <richedit.h>

#include <algorithm>
#include <string>

namespace {

constexpr COLORREF kProtectedColour = RGB(128, 128, 128);

// riched20.dll for the life of the program.
class RichEditLibrary {
public:
    RichEditLibrary() : module_(LoadLibraryW(L"riched20.dll")) {}
    RichEditLibrary(const RichEditLibrary&) = delete;
    RichEditLibrary& operator=(const RichEditLibrary&) = delete;
    ~RichEditLibrary() {
        if (module_ != nullptr) FreeLibrary(module_);
    }

private:
    HMODULE module_;
};

bool IsDigitKey(WPARAM key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') ||
           (key >= VK_NUMPAD1 && key <= VK_NUMPAD6);
}

bool IsArrowKey(WPARAM key) { return key >= VK_LEFT && key <= VK_DOWN; }

}  // namespace

void HexPageEditor::LoadRichEdit() { static const RichEditLibrary library; }

void HexPageEditor::SetBold(bool bold) {
    bold_ = bold;
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD;
    cf.dwEffects = bold ? CFE_BOLD : 0;
    Send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
}

void HexPageEditor::LoadBytes(std::span<const uint8_t> bytes) {
    model_.LoadBytes(bytes);
    Redisplay();
    SetCaret(0);
}

void HexPageEditor::ZeroFill() {
    const int caret = Caret();
    model_.ZeroFill();
    Redisplay();
    SetCaret(caret);
}

void HexPageEditor::ShowPage(int page) {
    const int caret = Caret();
    if (!model_.ShowPage(page)) return;
    Redisplay();
    SetCaret(caret);
}

bool HexPageEditor::TurnPage(int page) {
    const int caret = Caret();
    if (!model_.TurnPage(page)) return false;
    Redisplay();
    SetCaret(caret);
    return true;
}

void HexPageEditor::DropChanges() {
    const std::wstring shown = model_.Content();
    model_.DropChanges();
    if (model_.Content() == shown) return;
    const int caret = Caret();
    Redisplay();
    SetCaret(caret);
}

void HexPageEditor::AddProtectedRange(int firstByte, int lastByte) {
    const int caret = Caret();
    model_.AddProtectedRange(firstByte, lastByte);
    PaintProtected();
    SetCaret(caret);
}

void HexPageEditor::Redisplay() {
    // Only the page: the text after it would be out of sight anyway. Each
    // line its own paragraph: the control then never wraps inside a line.
    std::wstring text = model_.DisplayedText().substr(0, static_cast<std::size_t>(model_.PageChars()));
    const std::size_t lineChars = static_cast<std::size_t>(bytesPerLine_) * HexPageModel::kCharsPerByte;
    for (std::size_t end = lineChars - 1; end + 1 < text.size(); end += lineChars) {
        if (text[end] == L' ') text[end] = L'\r';
    }
    // An editor out of sight (its panel being made) draws nothing meanwhile
    // and is painted with the panel: drawing is only held back, and the
    // editor repainted, when it shows.
    const bool shown = IsVisible();
    if (shown) Send(WM_SETREDRAW, FALSE);
    SetText(text);
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD | CFM_COLOR;
    cf.dwEffects = CFE_AUTOCOLOR | (bold_ ? CFE_BOLD : 0);
    Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    PaintProtected();
    if (shown) {
        Send(WM_SETREDRAW, TRUE);
        Invalidate();
    }
}

void HexPageEditor::PaintProtected() {
    for (const auto& [from, to] : model_.ProtectedSpansOnPage()) Format(from, to, true, true);
}

void HexPageEditor::Format(int from, int to, bool bold, bool grey) {
    CHARRANGE range{from, to};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD | CFM_COLOR;
    cf.dwEffects = (bold ? CFE_BOLD : 0) | (grey ? 0 : CFE_AUTOCOLOR);
    cf.crTextColor = kProtectedColour;
    Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

int HexPageEditor::Caret() const {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMin;
}

void HexPageEditor::SetCaret(int position) {
    CHARRANGE range{position, position};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    // The page always fits: the first line stays on top.
    Send(WM_VSCROLL, SB_TOP);
}

void HexPageEditor::OnChar(wchar_t c) {
    const int caret = Caret();
    const HexPageModel::Typed typed = model_.Type(c, caret);
    if (typed.changed) {
        // Only the typed digit changes: the rest keeps its text and format.
        CHARRANGE range{caret, caret + 1};
        Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        const wchar_t digit[2] = {c, L'\0'};
        Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(digit));
    }
    if (typed.changed || typed.caret != caret) SetCaret(typed.caret);
}

bool HexPageEditor::OnKeyDown(WPARAM key) {
    if (IsDigitKey(key) || IsArrowKey(key)) return false;
    if (key == VK_BACK) SetCaret(std::max(0, Caret() - 1));
    return true;
}

bool HexPageEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_KEYDOWN:
        return OnKeyDown(wParam);
    case WM_CHAR:
        OnChar(static_cast<wchar_t>(wParam));
        return true;
    case WM_LBUTTONUP: {
        CHARRANGE range{};
        Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        range.cpMin = range.cpMax;
        Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return false;
    }
    case WM_MOUSEWHEEL:
        // One page is all there is to see.
        return true;
    default:
        return false;
    }
}

void HexPageEditor::FitToPage(int lines, int bytesPerLine) {
    lines_ = std::max(lines, 1);
    bytesPerLine_ = std::max(bytesPerLine, 1);
    const auto charPos = [this](int index) {
        POINTL p{};
        Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), index);
        return p;
    };
    const RECT window = RectIn(Parent());
    const RECT client = ClientRect();
    RECT format{};
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int frameWidth = Width(window) - Width(client);
    const int frameHeight = Height(window) - Height(client);
    const auto resize = [&](int clientWidth, int clientHeight, bool repaint) {
        MoveWindow(hwnd_, window.left, window.top, clientWidth + frameWidth,
                   clientHeight + frameHeight, repaint);
    };

    Redisplay();
    // Measured on unwrapped lines: the editor is widened first only when a
    // line wraps as it is.
    const int lineChars = bytesPerLine_ * HexPageModel::kCharsPerByte;
    POINTL first = charPos(0);
    POINTL last = charPos(lineChars - 1);
    if (last.y != first.y) {
        resize(0x4000, Height(client), FALSE);
        first = charPos(0);
        last = charPos(lineChars - 1);
    }
    lineWidth_ = std::max<int>(1, last.x - first.x);
    charWidth_ = std::max(1, lineWidth_ / (lineChars - 1));
    linePitch_ = std::max<int>(1, charPos(lineChars).y - first.y);
    const int width = first.x + lineWidth_ + 2 * charWidth_ + (client.right - format.right);
    resize(width, first.y + lines_ * linePitch_ + 2, TRUE);

    POINT origin{first.x, first.y};
    MapWindowPoints(hwnd_, nullptr, &origin, 1);
    RECT screen{};
    GetWindowRect(hwnd_, &screen);
    textOrigin_ = {origin.x - screen.left, origin.y - screen.top};
    SetCaret(0);
}

int HexPageEditor::ByteX(int byteInLine) const {
    const int lineChars = bytesPerLine_ * HexPageModel::kCharsPerByte;
    return textOrigin_.x + byteInLine * HexPageModel::kCharsPerByte * lineWidth_ / (lineChars - 1);
}
