#include "vantrel/panels/iso14443a/mifare_panel_base.h"

#include <cwchar>

#include "vantrel/panels/iso14443a/card_search.h"
#include "vantrel/panels/iso14443a/mifare_blocks.h"
#include "vantrel/panels/iso14443a/mifare_captions.h"
#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/panels/iso14443a/mifare_purse.h"

namespace {

constexpr int32_t kDevice = 0;
constexpr int kSearchAttempts = 2;
constexpr int kPreludeAttempts = 1;
constexpr int kDecimalCharLimit = 11;
constexpr std::size_t kValueByteLimit = 4;
constexpr std::size_t kReadBufferSize = 1024;

// Sets a flag for the lifetime of the object.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

const wchar_t* Message(int entry) { return UiText(kMainMessages, entry); }

}  // namespace

MifarePanelBase::MifarePanelBase(int templateId, PanelContext& context, MifarePanelIds ids)
    : WithMessageMap(templateId, context), ids_(std::move(ids)) {}

std::span<const MessageEntry<MifarePanelBase>> MifarePanelBase::Messages() {
    using P = MifarePanelBase;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_MF_SEARCH, &P::OnSearch),
        OnCommand(IDC_MF_INITIALIZE, &P::OnInitialize),
        OnCommand(IDC_MF_INCREMENT, &P::OnIncrement),
        OnCommand(IDC_MF_DECREMENT, &P::OnDecrement),
        OnCommand(IDC_MF_BALANCE, &P::OnBalance),
        OnCommand(IDC_MF_PURSE_SECTOR, &P::OnPurseSectorChanged, CBN_SELCHANGE),
        OnCommand(IDC_MF_VALUE_DEC, &P::OnDecimalChanged, EN_CHANGE),
        OnCommand(IDC_MF_VALUE_HEX, &P::OnHexChanged, EN_CHANGE),
        OnCommand(IDC_MF_READ1, &P::OnReadSector1),
        OnCommand(IDC_MF_READ2, &P::OnReadSector2),
        OnCommand(IDC_MF_WRITE1, &P::OnWriteBlock1),
        OnCommand(IDC_MF_WRITE2, &P::OnWriteBlock2),
        OnCommand(IDC_MF_SECTOR1, &P::OnWindow1Changed, CBN_SELCHANGE),
        OnCommand(IDC_MF_BLOCK1, &P::OnWindow1Changed, CBN_SELCHANGE),
        OnCommand(IDC_MF_SECTOR2, &P::OnWindow2Changed, CBN_SELCHANGE),
        OnCommand(IDC_MF_BLOCK2, &P::OnWindow2Changed, CBN_SELCHANGE),
    };
    return map;
}

BOOL MifarePanelBase::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    SetMifareCaptions();
    ReplaceGroupBoxes({IDC_MF_PURSE_GROUP});
    for (const MifareWindowIds& window : ids_.windows) ReplaceGroupBoxes({window.group});

    Bind(uid_, IDC_MF_UID);
    Bind(purseKey_, IDC_MF_PURSE_KEY);
    purseKey_.SetByteLimit(kMifareKeySize);
    Bind(valueDec_, IDC_MF_VALUE_DEC);
    valueDec_.Send(EM_SETLIMITTEXT, kDecimalCharLimit);
    Bind(valueHex_, IDC_MF_VALUE_HEX);
    valueHex_.SetByteLimit(kValueByteLimit);
    Bind(purseSector_, IDC_MF_PURSE_SECTOR);
    purseSector_.Fill(0, ids_.purseLastSector);
    Bind(purseBlock_, IDC_MF_PURSE_BLOCK);
    const PurseBlockChoice blocks = InitialPurseBlocks();
    purseBlock_.Fill(blocks.blocks, blocks.selected);
    CheckDlgButton(hwnd_, IDC_MF_PURSE_USE_KEY_A, BST_CHECKED);

    for (const MifareWindowIds& ids : ids_.windows) {
        windows_.push_back(std::make_unique<MifareWindow>(ids));
        windows_.back()->Attach(*this);
    }
    UseHexFont();
    SetContentHeightToClient();
    return TRUE;
}

void MifarePanelBase::SetMifareCaptions() {
    std::vector<std::pair<int, int>> captions = {
        {IDC_MF_SEARCH, kMfCaptionRequest},
        {ids_.reqIdl, kMfCaptionReqIdl},
        {ids_.halt, kMfCaptionHalt},
        {IDC_MF_PURSE_GROUP, kMfCaptionPurse},
        {IDC_MF_PURSE_SECTOR_LABEL, kMfCaptionSector},
        {IDC_MF_PURSE_BLOCK_LABEL, kMfCaptionBlock},
        {IDC_MF_PURSE_USE_KEY_A, kMfCaptionKeyA},
        {IDC_MF_PURSE_USE_KEY_B, kMfCaptionKeyB},
        {IDC_MF_PURSE_KEY_LABEL, kMfCaptionKey},
        {IDC_MF_VALUE_DEC_LABEL, kMfCaptionValueDec},
        {ids_.valueHexLabel, kMfCaptionValueHex},
        {IDC_MF_INITIALIZE, kMfCaptionInitialize},
        {IDC_MF_INCREMENT, kMfCaptionIncrement},
        {IDC_MF_DECREMENT, kMfCaptionDecrement},
        {IDC_MF_BALANCE, kMfCaptionBalance},
    };
    for (const MifareWindowIds& window : ids_.windows) {
        captions.insert(captions.end(), {
            {window.group, kMfCaptionWindow},
            {window.sectorLabel, kMfCaptionSector},
            {window.blockLabel, kMfCaptionBlock},
            {window.keyLabel, kMfCaptionKey},
            {window.useKeyA, kMfCaptionKeyA},
            {window.useKeyB, kMfCaptionKeyB},
            {window.readButton, kMfCaptionReadSector},
            {window.writeButton, kMfCaptionWriteBlock},
        });
    }
    SetCaptions(kMifareCaptions, captions);
}

void MifarePanelBase::UseHexFont() {
    LOGFONTW font{};
    GetObjectW(Font(), sizeof(font), &font);
    font.lfWeight = FW_NORMAL;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    wcsncpy(font.lfFaceName, L"Courier New", LF_FACESIZE - 1);
    hexFont_.Reset(CreateFontIndirectW(&font));
    if (!hexFont_) return;

    std::vector<HWND> fields{uid_, purseKey_, valueDec_, valueHex_};
    for (const auto& window : windows_) {
        const std::vector<HWND> more = window->HexFields();
        fields.insert(fields.end(), more.begin(), more.end());
    }
    const auto hexFont = reinterpret_cast<WPARAM>(hexFont_.Get());
    for (HWND field : fields) SendMessageW(field, WM_SETFONT, hexFont, FALSE);
}

bool MifarePanelBase::SearchCard(int attempts) {
    const CardSearchResult result = SearchTypeACard(context_, hwnd_, attempts);
    cardSelected_ = static_cast<bool>(result);
    if (result) {
        uid_.SetBytes(result.uid);
    } else if (result.outcome == SearchOutcome::NoCard) {
        uid_.Clear();
    }
    return cardSelected_;
}

bool MifarePanelBase::CardPrelude() { return cardSelected_ || SearchCard(kPreludeAttempts); }

std::optional<Bytes> MifarePanelBase::KeyOf(const ByteTextEdit& edit) {
    if (edit.ByteCount() != kMifareKeySize) {
        ShowInputError(context_.services, hwnd_, Message(kTextNeedKey6Bytes));
        return std::nullopt;
    }
    return edit.GetBytes();
}

bool MifarePanelBase::Authenticate(Command& command, uint8_t keyType, uint8_t firstBlock,
                                   const Bytes& key) {
    const bool ok = command.Call(reader_.rf_M1_authentication2, kDevice, keyType, firstBlock, key.data());
    if (!ok) cardSelected_ = false;
    return ok;
}

void MifarePanelBase::OnSearch() {
    if (!SearchCard(kSearchAttempts)) return;
    for (const auto& window : windows_) window->UpdateWriteButton();
    ReportResult(context_.services, 0);
}

void MifarePanelBase::OnReqIdl() {
    if (auto uid = RequestIdleCard(context_, hwnd_)) uid_.SetBytes(*uid);
}

void MifarePanelBase::OnHalt() { HaltCard(context_, hwnd_); }

std::optional<uint8_t> MifarePanelBase::PreparePurse(Command& command) {
    if (!CardPrelude()) return std::nullopt;
    const uint8_t keyType =
        IsDlgButtonChecked(hwnd_, IDC_MF_PURSE_USE_KEY_A) == BST_CHECKED ? kMifareKeyA : kMifareKeyB;
    const int sector = purseSector_.Selected();
    const int block = purseBlock_.Selected();
    const auto key = KeyOf(purseKey_);
    if (!key || sector < 0 || block < 0) return std::nullopt;
    if (!Authenticate(command, keyType, FirstBlockOfSector(sector), *key)) return std::nullopt;
    return BlockOfSector(sector, block);
}

void MifarePanelBase::ChangeValue(const ValueFunction& function, int successText) {
    Command command(context_, hwnd_);
    const auto block = PreparePurse(command);
    if (!block) return;
    const auto value = ParsePurseValue(valueDec_.Text());
    if (!value) {
        context_.services.ShowMessageBox(hwnd_, Message(kTextNeedData), L"Warning", MB_OK | MB_ICONWARNING);
        return;
    }
    const int32_t status = function(kDevice, *block, *value);
    if (status != 0) {
        ReportResult(context_.services, status, function.Name());
        cardSelected_ = false;
    } else {
        command.Done(Message(successText));
    }
    context_.services.AddLogLine(function.Name(), status);
}

void MifarePanelBase::OnInitialize() { ChangeValue(reader_.rf_M1_initval, kTextInitPurseOk); }
void MifarePanelBase::OnIncrement() { ChangeValue(reader_.rf_M1_increment, kTextIncrementOk); }
void MifarePanelBase::OnDecrement() { ChangeValue(reader_.rf_M1_decrement, kTextDecrementOk); }

void MifarePanelBase::OnBalance() {
    valueDec_.SetText(L"");
    valueHex_.SetText(L"");
    Command command(context_, hwnd_);
    const auto block = PreparePurse(command);
    if (!block) return;
    int32_t value = 0;
    const int32_t status = reader_.rf_M1_readval(kDevice, *block, &value);
    if (status != 0) {
        context_.services.AddLogLine(reader_.rf_M1_readval.Name(), status);
        ReportResult(context_.services, status, reader_.rf_M1_readval.Name());
        cardSelected_ = false;
        return;
    }
    ShowValue(value);
    command.Done(Message(kTextReadBalanceOk));
    context_.services.AddLogLine(reader_.rf_M1_readval.Name(), status);
}

void MifarePanelBase::ShowValue(int32_t value) {
    FlagScope guard(syncingValues_);
    valueDec_.SetNumber(value);
    valueHex_.SetDword(static_cast<uint32_t>(value));
}

void MifarePanelBase::OnPurseSectorChanged() {
    const PurseBlockChoice choice = PurseBlocks(purseSector_.Selected(), purseBlock_.Selected());
    purseBlock_.Fill(choice.blocks, choice.selected);
}

void MifarePanelBase::OnDecimalChanged() {
    if (syncingValues_) return;
    FlagScope guard(syncingValues_);
    if (const auto value = DecimalFieldValue(valueDec_.Text())) {
        valueHex_.SetDword(static_cast<uint32_t>(*value));
    } else {
        valueHex_.Clear();  // no 32-bit value to show
    }
}

void MifarePanelBase::OnHexChanged() {
    if (syncingValues_) return;
    FlagScope guard(syncingValues_);
    valueDec_.SetText(DecimalText(HexFieldValue(valueHex_.GetBytes())));
}

void MifarePanelBase::ReadSector(std::size_t index) {
    MifareWindow& window = *windows_[index];
    window.ClearBlocks();
    Command command(context_, hwnd_);
    if (!CardPrelude()) return;
    const auto key = KeyOf(window.Key());
    const int sector = window.Sector();
    if (!key || sector < 0) return;
    if (!Authenticate(command, window.KeyType(), FirstBlockOfSector(sector), *key)) return;

    for (int i = 0; i < BlocksInSector(sector); ++i) {
        const uint8_t block = BlockOfSector(sector, i);
        uint8_t buffer[kReadBufferSize] = {};
        uint8_t length = 0;
        const int32_t status = command.CallQuietly(reader_.rf_M1_read, kDevice, block, buffer, &length);
        if (status != 0 || length != kMifareBlockSize) {
            if (status != 0) {
                ReportResult(context_.services, status, reader_.rf_M1_read.Name());
            } else {
                // A short block with status 0 must not read as success.
                command.Failed(FormatText(Message(kTextReadBlockError), block));
            }
            cardSelected_ = false;
            return;
        }
        window.ShowBlock(i, std::span<const uint8_t, kMifareBlockSize>(buffer, kMifareBlockSize));
    }
    command.Done(Message(kTextReadOk));
}

void MifarePanelBase::WriteBlock(std::size_t index) {
    MifareWindow& window = *windows_[index];
    Command command(context_, hwnd_);
    if (!CardPrelude()) return;
    const auto key = KeyOf(window.Key());
    const int sector = window.Sector();
    const int blockIndex = window.BlockIndex();
    if (!key || sector < 0 || blockIndex < 0) return;
    if (blockIndex == TrailerIndex(sector) &&
        context_.services.ShowMessageBox(hwnd_, Message(kTextConfirmWriteBlock3), L"Warning",
                                     MB_OKCANCEL | MB_ICONWARNING) != IDOK) {
        return;
    }
    if (!Authenticate(command, window.KeyType(), FirstBlockOfSector(sector), *key)) return;

    const MifareBlock data = window.BlockToWrite(blockIndex);
    const int32_t status = reader_.rf_M1_write(kDevice, BlockOfSector(sector, blockIndex), data.data());
    if (status != 0) {
        ReportResult(context_.services, status, reader_.rf_M1_write.Name());
        cardSelected_ = false;
        return;
    }
    command.Done(Message(kTextWriteOk));
    context_.services.AddLogLine(reader_.rf_M1_write.Name(), status);
}
