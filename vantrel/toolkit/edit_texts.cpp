#include "vantrel/toolkit/edit_texts.h"

#include <algorithm>

EditTexts::EditTexts(std::vector<HWND> edits) {
    texts_.reserve(edits.size());
    for (HWND edit : edits) texts_.emplace_back(edit, std::wstring());
}

EditTexts::~EditTexts() {
    try {
        for (const auto& [edit, text] : texts_) SetTextIfChanged(edit, text);
    } catch (...) {
        // out of memory: the edits keep what they showed
    }
}

void EditTexts::Set(HWND edit, std::wstring text) {
    const auto found = std::find_if(texts_.begin(), texts_.end(), [edit](const auto& e) { return e.first == edit; });
    if (found != texts_.end()) {
        found->second = std::move(text);
    } else {
        texts_.emplace_back(edit, std::move(text));
    }
}

bool SetTextIfChanged(HWND window, const std::wstring& text) {
    const int length = GetWindowTextLengthW(window);
    if (length == static_cast<int>(text.size())) {
        std::wstring current(static_cast<std::size_t>(length) + 1, L'\0');
        current.resize(static_cast<std::size_t>(GetWindowTextW(window, current.data(), length + 1)));
        if (current == text) return false;
    }
    return SetWindowTextW(window, text.c_str()) != FALSE;
}
