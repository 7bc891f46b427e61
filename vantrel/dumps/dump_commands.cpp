#include "vantrel/dumps/dump_commands.h"

#include <filesystem>

#include "vantrel/dumps/command_link.h"
#include "vantrel/dumps/dump_checks.h"
#include "vantrel/dumps/dump_compare.h"
#include "vantrel/dumps/key_list.h"
#include "vantrel/dumps/progress_window.h"
#include "vantrel/toolkit/file_content.h"
#include "vantrel/toolkit/ui_text.h"

namespace dumps {

namespace {

constexpr wchar_t kSaveCaption[] = L"Save card to file";
constexpr wchar_t kWriteCaption[] = L"Write file to card";
constexpr wchar_t kCompareCaption[] = L"Compare dumps";

std::wstring FileNameOf(const std::wstring& path) { return std::filesystem::path(path).filename().wstring(); }

// "Mifare_4K 8E3A21F0 2024-05-01 140359": characters a file name may not hold become "_".
std::wstring SuggestedName(const CardDump& dump) {
    std::wstring name = dump.cardName;
    while (!name.empty() && name.back() == L' ') name.pop_back();
    if (!dump.uid.empty()) name += L' ' + FromUtf8(HexOf(dump.uid));
    std::wstring time = dump.time;
    for (wchar_t& c : time) {
        if (c == L':') c = L'\0';
    }
    std::erase(time, L'\0');
    if (!time.empty()) name += L' ' + time;
    for (wchar_t& c : name) {
        if (std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) c = L'_';
    }
    return name;
}

std::wstring Count(std::size_t count, const wchar_t* word) {
    return std::to_wstring(count) + L' ' + word + (count == 1 ? L"" : L"s");
}

const wchar_t* UnitWord(const DumpLayout& layout) {
    return layout.access == Access::At24c || layout.access == Access::At88sc1608 ? L"line" : layout.unitWord;
}

}  // namespace

DumpCommands::DumpCommands(PanelContext& context, HWND frame, DumpPrompts& prompts, std::wstring programFolder)
    : context_(context), frame_(frame), prompts_(prompts), programFolder_(std::move(programFolder)),
      keyListPath_(programFolder_ + L"\\" + kShippedKeyListName) {}

bool DumpCommands::Offered(int code) const {
    const DumpLayout* layout = FindDumpLayout(code);
    if (layout == nullptr) return false;
    if (layout->access == Access::VicinityConfig) return context_.reader.SRF55V_Inventorys.IsBound();
    if (layout->access == Access::VicinityBytes) return context_.reader.SRI64_Write.IsBound();
    return true;
}

void DumpCommands::Tell(const std::wstring& text, const std::wstring& caption, UINT icon) {
    context_.services.ShowMessageBox(frame_, text, caption, MB_OK | icon);
}

bool DumpCommands::Ask(const std::wstring& question, const std::wstring& caption) {
    return context_.services.ShowMessageBox(frame_, question, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool DumpCommands::ChooseKeys(const DumpTarget& target, std::vector<MifareKey>& keys) {
    keys.clear();
    if (FindDumpLayout(target.code)->access != Access::Mifare) return true;
    for (;;) {
        if (!prompts_.ChooseKeyList(frame_, static_cast<int>(target.secrets.mifareKeys.size()), keyListPath_, useKeyList_)) {
            return false;
        }
        if (!useKeyList_) return true;
        std::string content;
        const FileRead read = ReadFileContent(keyListPath_, kMaxKeyListSize, content);
        KeyList list;
        if (read == FileRead::Read) list = ParseKeyList(content);
        const std::wstring error = read == FileRead::Unreadable ? L"The key list cannot be read."
                                   : read == FileRead::TooLarge ? L"The file is too large for a key list."
                                                                : list.error;
        if (error.empty()) {
            keys = list.keys;
            return true;
        }
        Tell(FileNameOf(keyListPath_) + L": " + error, UiText(kBoxCaptionError), MB_ICONSTOP);
    }
}

std::optional<CardDump> DumpCommands::LoadDump(const std::wstring& path, const DumpTarget& target) {
    std::string content;
    const FileRead read = ReadFileContent(path, kMaxDumpFileSize, content);
    std::wstring error = read == FileRead::Unreadable ? L"the file cannot be read"
                         : read == FileRead::TooLarge ? L"larger than any dump"
                                                      : L"";
    std::optional<CardDump> dump;
    if (error.empty()) {
        ParsedDump parsed = ReadDump(FormatOfFileName(path), content, *FindDumpLayout(target.code), target.cardName);
        error = parsed.error;
        dump = std::move(parsed.dump);
    }
    if (!dump) {
        Tell(FileNameOf(path) + L" is not a card dump that can be used:\r\n" + error, UiText(kBoxCaptionError), MB_ICONSTOP);
        return std::nullopt;
    }
    if (dump->cardName.empty()) dump->cardName = target.cardName;
    return dump;
}

ReadRequest DumpCommands::RequestFor(const DumpTarget& target, std::vector<MifareKey> keys) const {
    ReadRequest request;
    request.layout = FindDumpLayout(target.code);
    request.cardName = target.cardName;
    const SYSTEMTIME now = context_.services.LocalTime();
    request.time = DumpTime(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    request.secrets = target.secrets;
    request.listKeys = std::move(keys);
    return request;
}

ReadResult DumpCommands::ReadWithProgress(Command& command, const ReadRequest& request) {
    CommandLink link(command, context_.reader);
    ProgressWindow progress(frame_, L"Reading the card", L"Reading");
    return ReadCard(link, progress, request);
}

void DumpCommands::Report(Command& command, const PlanFailure& failure, const std::wstring& cancelled) {
    switch (failure.kind) {
    case PlanFailure::Kind::None:
        return;
    case PlanFailure::Kind::Status:
        command.Failed(failure.status, failure.function);
        return;
    case PlanFailure::Kind::BadAnswer:
        command.Failed(std::wstring(UiText(kAnswerLengthError)) + UiText(kMainMessages, kTextFunctionSeparator) +
                       failure.function);
        return;
    case PlanFailure::Kind::Message:
        command.Failed(failure.message);
        return;
    case PlanFailure::Kind::Cancelled:
        command.Done(cancelled);
        return;
    }
}

// Reads the card as a command of its own: its log is on the screen before
// the dialogs that follow the read.
std::optional<CardDump> DumpCommands::ReadCardCommand(const ReadRequest& request, const std::wstring& cancelled) {
    Command command(context_, frame_);
    if (!command.RequireConnection()) return std::nullopt;
    ReadResult result = ReadWithProgress(command, request);
    if (result.failure) {
        Report(command, result.failure, cancelled);
        return std::nullopt;
    }
    return std::move(result.dump);
}

void DumpCommands::SaveCard(const DumpTarget& target) {
    std::vector<MifareKey> keys;
    if (!ChooseKeys(target, keys)) return;
    const ReadRequest request = RequestFor(target, std::move(keys));
    const std::optional<CardDump> dump = ReadCardCommand(request, L"Cancelled: nothing was saved");
    if (!dump) return;

    Command command(context_, frame_, false);
    const DumpLayout& layout = *request.layout;
    std::wstring path;
    DumpFormat format = DumpFormat::Json;
    if (!prompts_.ChooseSaveFile(frame_, SuggestedName(*dump), path, format)) return command.Done(L"Not saved");
    const int unread = UnreadCount(*dump);
    if (format == DumpFormat::Raw && unread > 0 &&
        !Ask(Count(unread, UnitWord(layout)) + L" of the card could not be read. A raw binary file cannot mark them: "
                                               L"they would be saved as zeros, and written back as zeros.\r\n\r\n"
                                               L"Save as raw binary all the same?",
             kSaveCaption)) {
        return command.Done(L"Not saved");
    }
    if (!ReplaceFileContent(path, WriteDump(format, *dump))) {
        return command.Failed(L"the file could not be written: " + FileNameOf(path));
    }
    std::wstring text = L"Saved to " + FileNameOf(path) + L": " + Count(layout.unitCount - unread, UnitWord(layout));
    if (unread > 0) text += L", " + std::to_wstring(unread) + L" not read";
    command.Done(text);
}

void DumpCommands::WriteFileToCard(const DumpTarget& target) {
    std::wstring path;
    if (!prompts_.ChooseOpenFile(frame_, kWriteCaption, path)) return;
    const std::optional<CardDump> file = LoadDump(path, target);
    if (!file) return;
    if (file->code != target.code) {
        return Tell(FileNameOf(path) + L" holds a dump of " + file->cardName + L", not of " + target.cardName +
                        L": choose that card type first.",
                    UiText(kBoxCaptionError), MB_ICONSTOP);
    }
    std::vector<MifareKey> keys;
    if (!ChooseKeys(target, keys)) return;
    ReadRequest request = RequestFor(target, std::move(keys));
    request.keysFrom = &*file;
    const std::optional<CardDump> card = ReadCardCommand(request, L"Cancelled: nothing was written");
    if (!card) return;
    Command command(context_, frame_, false);
    WriteBack(command, request, *file, *card);
}

void DumpCommands::WriteBack(Command& command, const ReadRequest& request, const CardDump& file,
                             const CardDump& card) {
    const DumpLayout& layout = *request.layout;
    if (!file.uid.empty() && !card.uid.empty() && file.uid != card.uid &&
        !Ask(L"The card's UID " + FromUtf8(HexOf(card.uid)) + L" differs from the file's, " + FromUtf8(HexOf(file.uid)) +
                 L".\r\n\r\nWrite the file to this card all the same?",
             kWriteCaption)) {
        return command.Done(L"Nothing written");
    }
    const WritePlan plan = PlanWrite(layout, file, card, false);
    if (!plan.refusal.empty()) {
        Tell(L"Nothing is written: " + plan.refusal + L". A card takes such a trailer and locks the sector for good.",
             kWriteCaption, MB_ICONSTOP);
        return command.Failed(L"nothing written: " + plan.refusal);
    }
    if (plan.units.empty() && plan.protectedUnits.empty()) {
        return command.Done(L"The card holds what the file does: nothing to write");
    }
    bool withProtected = false;
    if (!prompts_.ConfirmWrite(frame_, layout, plan, withProtected)) return command.Done(L"Nothing written");
    const WritePlan chosen = PlanWrite(layout, file, card, withProtected);

    CommandLink link(command, context_.reader);
    WriteResult result;
    {
        ProgressWindow progress(frame_, L"Writing the card", L"Writing");
        result = WriteUnits(link, progress, request, file, card, chosen.units);
    }
    const std::size_t notTouched = chosen.units.size() - result.written.size() - (result.failedUnit >= 0 ? 1 : 0);
    std::wstring summary = L"Written: " + Count(result.written.size(), UnitWord(layout));
    if (!result.written.empty()) summary += L" (" + UnitList(layout, result.written) + L")";
    summary += L".";
    if (result.failedUnit >= 0) summary += L"\r\nFailed: " + UnitName(layout, result.failedUnit) + L".";
    if (result.failure.kind == PlanFailure::Kind::Cancelled) summary += L"\r\nStopped by the operator.";
    if (notTouched > 0 && result.failure) summary += L"\r\nNot written: " + Count(notTouched, UnitWord(layout)) + L".";
    if (result.failure) {
        Report(command, result.failure, L"Cancelled after writing " + Count(result.written.size(), UnitWord(layout)));
        Tell(summary, kWriteCaption, result.failure.kind == PlanFailure::Kind::Cancelled ? MB_ICONWARNING : MB_ICONSTOP);
        return;
    }
    command.Done(L"Written to the card: " + Count(result.written.size(), UnitWord(layout)));
    Tell(summary, kWriteCaption, MB_ICONINFORMATION);
}

void DumpCommands::CompareDumps(const DumpTarget& target) {
    ComparisonChoice choice;
    if (!prompts_.ChooseComparison(frame_, context_.connection.open && Offered(target.code), choice)) return;
    const std::optional<CardDump> left = LoadDump(choice.first, target);
    if (!left) return;
    std::optional<CardDump> right;
    std::wstring rightName = choice.second.empty() ? L"the card" : FileNameOf(choice.second);
    if (!choice.second.empty()) {
        right = LoadDump(choice.second, target);
        if (!right) return;
    } else {
        if (left->code != target.code) {
            return Tell(FileNameOf(choice.first) + L" holds a dump of " + left->cardName + L", not of " +
                            target.cardName + L": only dumps of one card type can be compared.",
                        kCompareCaption, MB_ICONSTOP);
        }
        std::vector<MifareKey> keys;
        if (!ChooseKeys(target, keys)) return;
        ReadRequest request = RequestFor(target, std::move(keys));
        request.keysFrom = &*left;
        right = ReadCardCommand(request, L"Cancelled: nothing compared");
        if (!right) return;
        ReportStatus(context_.services, L"The card read for the comparison");
    }
    const Comparison comparison = dumps::CompareDumps(*left, *right);
    if (!comparison.refusal.empty()) return Tell(comparison.refusal, kCompareCaption, MB_ICONSTOP);
    prompts_.ShowComparison(frame_, *left, *right, FileNameOf(choice.first), rightName);
}

}  // namespace dumps
