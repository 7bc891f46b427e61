#include "vantrel/toolkit/edit_texts.h"

#include <algorithm>

#include "vantrel/framework/window.h"

EditTexts::EditTexts(std::vector<HWND> edits) {
    texts_.reserve(edits.size());
    for (HWND edit : edits) texts_.emplace_back(edit, std::wstring());
}

EditTexts::~EditTexts() {
    try {
        for (const auto& [edit, text] : texts_) Window(edit).SetTextIfChanged(text);
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
