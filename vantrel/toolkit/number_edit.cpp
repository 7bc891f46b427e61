#include "vantrel/toolkit/number_edit.h"

#include <string>

#include "vantrel/toolkit/key_filter.h"

void NumberEdit::SetNumber(int value) { SetText(std::to_wstring(value)); }

int NumberEdit::GetNumber() const { return ParseNumber(Text()); }

bool NumberEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if ((message == WM_KEYDOWN || message == WM_CHAR) &&
        NumberEditSwallows(static_cast<unsigned>(wParam))) {
        result = 0;
        return true;
    }
    return false;
}
