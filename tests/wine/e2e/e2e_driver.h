// Drives the real Vantrel.exe from outside: starts it, finds its windows,
// presses buttons, sets and reads texts, and closes it. Buttons, menu
// commands and selections arrive posted, as input does, so that a crash in
// their handlers ends the program as it would for the operator. Every wait
// has a timeout, and message boxes the program shows are answered with OK
// and recorded, so a test fails instead of hanging.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

class VantrelProgram {
public:
    VantrelProgram() = default;
    VantrelProgram(const VantrelProgram&) = delete;
    VantrelProgram& operator=(const VantrelProgram&) = delete;
    // Closes a program still running, or ends it when it will not close.
    ~VantrelProgram();

    // Stores `cardCode` as the card type to show (nothing keeps the stored
    // one), starts Vantrel.exe from the test program's folder and waits until
    // its main window handles messages. False when another Vantrel is
    // already running or the start times out.
    bool Start(std::optional<int32_t> cardCode);
    // WM_CLOSE to the main window, then waits for the exit. True when the
    // program ended with exit code 0.
    bool Close();
    bool IsRunning() const;

    // A menu command, as the main frame receives it from its menu.
    bool Menu(unsigned commandId);

    // The current panel's control `id`, or null.
    HWND Control(int id) const;
    bool Click(int id);
    bool SetText(int id, const std::wstring& text);
    // Puts the caret at `at` (-1: selects the whole text) and types `text` a
    // character at a time.
    bool Type(int id, int at, const std::wstring& text);
    std::wstring Text(int id) const;
    // Selects the combo box entry at `index` and tells the panel, as a
    // selection by the operator would.
    bool Select(int id, int index);
    bool IsChecked(int id) const;
    // The items of a list box.
    std::vector<std::wstring> ListTexts(int id) const;
    bool SetAddress(int id, BYTE a, BYTE b, BYTE c, BYTE d);
    // Date and time pickers.
    bool SetPickerTime(int id, const SYSTEMTIME& time);
    std::optional<SYSTEMTIME> PickerTime(int id) const;

    // The dialog bar's control `id`; its status field is IDC_BAR_MEMO.
    std::wstring BarText(int id) const;
    std::wstring Status() const;
    // Whether the status starts with `prefix` ("Error: 11", or "Error: " for
    // any failure) and names `function` (when given).
    bool StatusReports(const std::wstring& prefix, const std::wstring& function = L"") const;
    // Empties the status field, so that a command that reports nothing on
    // success can be told from one that reports an error.
    bool ClearStatus();

    // Texts of the message boxes answered since the program started.
    const std::vector<std::wstring>& MessageBoxes() const { return boxes_; }

private:
    HWND MainWindow() const;
    HWND OwnWindow(const wchar_t* className) const;
    HWND StatusField() const;
    // Posts a message that carries no pointer, as input arrives, and waits
    // until the program has handled it, answering its message boxes.
    bool PostAndWait(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
    // Sends a message the system marshals (texts) or one whose pointer lies
    // in the program's memory.
    bool SendDirect(HWND target, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT* result = nullptr) const;
    // Answers the boxes not answered yet; true while any box is open.
    bool AnswerMessageBoxes();
    bool WaitUntilReady();
    void End();

    PROCESS_INFORMATION process_{};
    bool started_ = false;
    std::vector<std::wstring> boxes_;
    std::set<HWND> answered_;
};
