// Drop-down lists as the panel tests read and drive them, and the answer
// lists of the command panels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The texts of the list's items.
std::vector<std::wstring> ListTexts(HWND list);
// The numbers the items carry (item data).
std::vector<int> ListNumbers(HWND list);
// Chooses item `index` as the operator would: the selection, then the
// selection change to the list's parent.
void Choose(HWND list, int index);
// Chooses the item that carries `number`.
void ChooseNumber(HWND list, int number);

std::vector<int> Range(int first, int last);

// The texts an answer list holds.
std::vector<std::wstring> AnswerItems(HWND list);
