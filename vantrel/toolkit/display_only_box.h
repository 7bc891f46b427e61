// A check box that only shows a state the program sets: keys and clicks never reach it.
#pragma once

#include "vantrel/framework/subclass.h"

class DisplayOnlyBox : public SubclassedControl {
protected:
    bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            result = 0;
            return true;
        default:
            return false;
        }
    }
};
