#include "tools/bench/host/dump_timing.h"

#include <filesystem>

#include "tools/bench/host/hosted_program.h"
#include "tools/bench/host/stopwatch.h"
#include "vantrel/dumps/command_link.h"
#include "vantrel/dumps/dump_commands.h"
#include "vantrel/dumps/key_list.h"
#include "vantrel/resources/resource.h"
#include "vantrel/toolkit/file_content.h"

namespace {

// Reports nowhere; waits as asked.
class SilentServices : public PanelServices {
public:
    void ClearLog() override {}
    void AddLogLine(const std::wstring&, int32_t) override { ++calls; }
    void ShowStatus(const std::wstring&) override {}
    void ShowConnectionTarget() override {}
    int ShowMessageBox(HWND, const std::wstring&, const std::wstring&, UINT) override { return IDOK; }
    void Beep(UINT) override {}
    void Wait(DWORD milliseconds) override {
        const double start = NowMs();
        Sleep(milliseconds);
        sleptMs += NowMs() - start;
    }
    SYSTEMTIME LocalTime() override { return {}; }
    std::wstring ProgramFolder() override { return L"."; }

    int calls = 0;
    double sleptMs = 0;
};

class NoProgress : public dumps::DumpProgress {
public:
    bool Step(int, int, const std::wstring&) override { return true; }
};

// The answers an operator gives: the shipped key list, the file named.
class BenchPrompts : public dumps::DumpPrompts {
public:
    explicit BenchPrompts(std::wstring file) : file_(std::move(file)) {}
    bool ChooseSaveFile(HWND, const std::wstring&, std::wstring& path, dumps::DumpFormat& format) override {
        path = file_;
        format = dumps::DumpFormat::Json;
        return true;
    }
    bool ChooseOpenFile(HWND, const std::wstring&, std::wstring&) override { return false; }
    bool ChooseKeyList(HWND, int, std::wstring&, bool& useList) override { return useList = true; }
    bool ConfirmWrite(HWND, const dumps::DumpLayout&, const dumps::WritePlan&, bool&) override { return false; }
    bool ChooseComparison(HWND, bool, dumps::ComparisonChoice&) override { return false; }
    void ShowComparison(HWND, const dumps::CardDump&, const dumps::CardDump&, const std::wstring&,
                        const std::wstring&) override {}

private:
    std::wstring file_;
};

std::vector<dumps::MifareKey> ShippedKeys() {
    std::string content;
    ReadFileContent(std::wstring(L".\\") + dumps::kShippedKeyListName, dumps::kMaxKeyListSize, content);
    return dumps::ParseKeyList(content).keys;
}

}  // namespace

DumpTiming TimeDump(HostedProgram& program, int32_t code, const std::wstring& file) {
    DumpTiming timing;
    PanelContext& frameContext = program.Frame().Context();
    const dumps::DumpTarget target{code, CardName(code), {}};

    SilentServices silent;
    PanelContext bare{frameContext.reader, frameContext.connection, silent};
    dumps::ReadRequest request;
    request.layout = dumps::FindDumpLayout(code);
    request.cardName = target.cardName;
    request.listKeys = ShippedKeys();
    {
        Command command(bare, nullptr);
        dumps::CommandLink link(command, bare.reader);
        NoProgress progress;
        const double start = NowMs();
        dumps::ReadCard(link, progress, request);
        timing.waitsMs = silent.sleptMs;
        timing.callsMs = NowMs() - start - silent.sleptMs;
        timing.calls = silent.calls;
    }

    BenchPrompts prompts(file);
    dumps::DumpCommands commands(frameContext, program.Frame(), prompts, L".");
    const double start = NowMs();
    commands.SaveCard(target);
    timing.commandMs = NowMs() - start;
    HostedProgram::PumpUntilIdle();
    if (program.Frame().Bar() != nullptr) timing.status = Window(program.Frame().Bar()->Item(IDC_BAR_MEMO)).Text();
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return timing;
}
