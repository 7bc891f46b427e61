// The thirty card types: code, name and menu command.
#pragma once

#include <cstdint>

struct CardType {
    int32_t code;
    const wchar_t* name;
    unsigned menuId;
};

// The name shown in the title and the dialog bar: a card name for codes 0..29,
// "Set" for the device page, "" for anything else.
const wchar_t* CardName(int32_t code);

// The menu command of a card code, or 0.
unsigned CardMenuId(int32_t code);

// The card code of a menu command, or -1.
int32_t CardCodeForMenuId(unsigned menuId);
