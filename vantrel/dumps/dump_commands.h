// The three dump commands of the Dump menu: save the card to a file, write
// a file back to the card, compare two dumps (or a dump and the card). Each
// is one command in the panels' sense: the log cleared, every library call
// logged, one report in the status field.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "vantrel/dumps/dump_plans.h"
#include "vantrel/dumps/dump_prompts.h"
#include "vantrel/toolkit/card_secrets.h"
#include "vantrel/toolkit/panel_context.h"
#include "vantrel/toolkit/result_report.h"

namespace dumps {

// The card type the commands work on, as the frame knows it.
struct DumpTarget {
    int code;
    std::wstring cardName;
    CardSecrets secrets;  // typed on the panel shown
};

class DumpCommands {
public:
    DumpCommands(PanelContext& context, HWND frame, DumpPrompts& prompts, std::wstring programFolder);

    // Whether `code` has dumps that the loaded library can make.
    bool Offered(int code) const;

    void SaveCard(const DumpTarget& target);
    void WriteFileToCard(const DumpTarget& target);
    void CompareDumps(const DumpTarget& target);

private:
    // The keys of the key list the operator chooses (Mifare only); false: cancelled.
    bool ChooseKeys(const DumpTarget& target, std::vector<MifareKey>& keys);
    std::optional<CardDump> LoadDump(const std::wstring& path, const DumpTarget& target);
    ReadResult ReadWithProgress(Command& command, const ReadRequest& request);
    std::optional<CardDump> ReadCardCommand(const ReadRequest& request, const std::wstring& cancelled);
    ReadRequest RequestFor(const DumpTarget& target, std::vector<MifareKey> keys) const;
    void Report(Command& command, const PlanFailure& failure, const std::wstring& cancelled);
    void Tell(const std::wstring& text, const std::wstring& caption, UINT icon);
    bool Ask(const std::wstring& question, const std::wstring& caption);
    void WriteBack(Command& command, const ReadRequest& request, const CardDump& file, const CardDump& card);

    PanelContext& context_;
    HWND frame_;
    DumpPrompts& prompts_;
    std::wstring programFolder_;
    std::wstring keyListPath_;
    bool useKeyList_ = true;
};

}  // namespace dumps
