// Panel services for window tests: the log, the status field, message boxes,
// beeps and waits are recorded; waits also go into the scripted reader's call
// log so a test sees them in order with the calls.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "vantrel/toolkit/panel_context.h"

class ScriptedReader;

class FakeServices : public PanelServices {
public:
    struct LogLine {
        std::wstring name;
        int32_t status;
        bool operator==(const LogLine&) const = default;
        friend void PrintTo(const LogLine& line, std::ostream* out) {
            *out << std::string(line.name.begin(), line.name.end()) << ":" << line.status;
        }
    };
    struct Box {
        std::wstring text;
        std::wstring caption;
        UINT type;
    };

    explicit FakeServices(ScriptedReader* reader = nullptr) : reader_(reader) {}

    void ClearLog() override {
        log.clear();
        ++clears;
    }
    void AddLogLine(const std::wstring& name, int32_t status) override { log.push_back({name, status}); }
    void ShowStatus(const std::wstring& text) override { status = text; }
    void ShowConnectionTarget() override { ++targetsShown; }
    int ShowMessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT type) override {
        boxes.push_back({text, caption, type});
        return boxAnswer;
    }
    void Beep(UINT) override { ++beeps; }
    void Wait(DWORD milliseconds) override;
    SYSTEMTIME LocalTime() override { return now; }
    std::wstring ProgramFolder() override { return folder; }

    std::vector<LogLine> log;
    int clears = 0;
    std::wstring status;
    int targetsShown = 0;
    std::vector<Box> boxes;
    int boxAnswer = IDOK;
    int beeps = 0;
    std::vector<DWORD> waits;
    SYSTEMTIME now{2024, 12, 2, 31, 23, 59, 58, 0};
    std::wstring folder = L".";

private:
    ScriptedReader* reader_;
};
