// The command history of a panel that sends raw commands: loaded from its
// file beside the program when the panel starts, fed with every command the
// panel sends, offered back through the COS command dialog, and saved when
// the panel goes.
//
//   PanelHistory history_{L"\\cosbooks.txt"};
//   OnInitDialog:        history_.Load(context_.services.ProgramFolder());
//   Send:                history_.Record(command);   // before the card is addressed
//   the small button:    history_.OpenDialog(hwnd_);
//   kCommandPicked:      PutPickedCommand(commandEdit, lParam);
//   WM_DESTROY:          history_.Save();
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <utility>

#include "vantrel/toolkit/command_history.h"

class PanelHistory {
public:
    // `fileName` starts with a backslash and follows the program's folder.
    explicit PanelHistory(std::wstring fileName) : fileName_(std::move(fileName)) {}

    void Load(const std::wstring& programFolder);
    // Writes the list to the file Load read; nothing before Load.
    void Save() const;
    // Adds the command as lower-case hex digits.
    void Record(std::span<const uint8_t> command);
    // The COS command dialog on this history, modal over the panel's top window.
    void OpenDialog(HWND panel);

    CommandHistory& Entries() { return history_; }
    const CommandHistory& Entries() const { return history_; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::wstring fileName_;
    std::filesystem::path path_;
    CommandHistory history_;
};

// Lower-cases the picked text in place and makes it the edit's text.
void PutPickedCommand(HWND edit, LPARAM text);
