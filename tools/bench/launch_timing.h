// Start-up as the operator sees it: from process creation until the main
// window is visible and answers messages.
#pragma once

#include <optional>
#include <string>

struct LaunchTarget {
    std::wstring program;              // in this program's folder
    const wchar_t* mainClass;          // the main window's class
    const wchar_t* transient = nullptr;  // a window that must be gone first (a splash)
};

// Starts the program, times it to an answering main window, then closes it
// (ends it when it will not close). Nothing when it never got there.
std::optional<double> TimeLaunch(const LaunchTarget& target);
