// A decimal field that refuses letters.
#pragma once

#include "vantrel/framework/subclass.h"

class NumberEdit : public SubclassedControl {
public:
    void SetNumber(int value);
    // The text's decimal value, -1 when empty.
    int GetNumber() const;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
