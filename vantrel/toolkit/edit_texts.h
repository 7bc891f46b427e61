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
    // The group of a panel's edit wrappers (anything that converts to HWND).
    template <class Edits>
    explicit EditTexts(const Edits& edits) : EditTexts(Handles(edits)) {}
    EditTexts(const EditTexts&) = delete;
    EditTexts& operator=(const EditTexts&) = delete;
    ~EditTexts();

    // The text `edit` is left with; an edit outside the group is added to it.
    void Set(HWND edit, std::wstring text);

private:
    template <class Edits>
    static std::vector<HWND> Handles(const Edits& edits) {
        std::vector<HWND> handles;
        for (const auto& edit : edits) handles.push_back(static_cast<HWND>(edit));
        return handles;
    }

    std::vector<std::pair<HWND, std::wstring>> texts_;
};
