// The texts a command leaves in a group of edits, set once when it goes out
// of scope: an edit given no text ends up empty, an edit that already shows
// its text is left alone (no repaint, its caret kept). A command that clears
// a group and fills part of it thus touches each edit at most once.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class EditTexts {
public:
    explicit EditTexts(std::vector<HWND> edits);
    EditTexts(const EditTexts&) = delete;
    EditTexts& operator=(const EditTexts&) = delete;
    ~EditTexts();

    // The text `edit` is left with; an edit outside the group is added to it.
    void Set(HWND edit, std::wstring text);

private:
    std::vector<std::pair<HWND, std::wstring>> texts_;
};

// Sets the text of `window` unless it already reads `text`; true when it was set.
bool SetTextIfChanged(HWND window, const std::wstring& text);
