#include "vantrel/panels/iso14443a/mifare_panel_base.h"

#include "vantrel/framework/common_controls.h"
#include "vantrel/panels/iso14443a/mifare_blocks.h"
#include "vantrel/panels/iso14443a/mifare_purse.h"
#include "vantrel/panels/iso14443a/mifare_shared_ids.h"
#include "vantrel/panels/iso14443a/mifare_texts.h"
#include "vantrel/panels/iso14443a/type_a_activation.h"
#include "vantrel/toolkit/first_choice.h"

namespace {

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
    : WithMessageMap(templateId, context), ids_(std::move(ids)) {
    UseCaptions(MifareSharedCaptions());
    UseCaptions(ids_.ownCaptions);
}

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
        OnCommand(IDC_MF_READ1, &P::ReadSector, 0),
        OnCommand(IDC_MF_READ2, &P::ReadSector, 1),
        OnCommand(IDC_MF_WRITE1, &P::WriteBlock, 0),
        OnCommand(IDC_MF_WRITE2, &P::WriteBlock, 1),
        OnCommand(IDC_MF_SECTOR1, &P::OnWindowChoiceChanged, 0, CBN_SELCHANGE),
        OnCommand(IDC_MF_BLOCK1, &P::OnWindowChoiceChanged, 0, CBN_SELCHANGE),
        OnCommand(IDC_MF_SECTOR2, &P::OnWindowChoiceChanged, 1, CBN_SELCHANGE),
        OnCommand(IDC_MF_BLOCK2, &P::OnWindowChoiceChanged, 1, CBN_SELCHANGE),
    };
    return map;
}

BOOL MifarePanelBase::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    ReplaceGroupBoxes({IDC_MF_PURSE_GROUP});
    for (const MifareWindowIds& window : ids_.windows) ReplaceGroupBoxes({window.group});

    Bind(uid_, IDC_MF_UID);
    Bind(purseKey_, IDC_MF_PURSE_KEY);
    purseKey_.SetByteLimit(kMifareKeySize);
    Bind(valueDec_, IDC_MF_VALUE_DEC);
    EditControl(valueDec_).LimitText(kDecimalCharLimit);
    Bind(valueHex_, IDC_MF_VALUE_HEX);
    valueHex_.SetByteLimit(kValueByteLimit);
    Bind(purseSector_, IDC_MF_PURSE_SECTOR);
    purseSector_.Fill(0, ids_.purseLastSector);
    Bind(purseBlock_, IDC_MF_PURSE_BLOCK);
    const PurseBlockChoice blocks = InitialPurseBlocks();
    purseBlock_.Fill(blocks.blocks, blocks.selected);
    CheckFirstChoice(Item(IDC_MF_PURSE_USE_KEY_A));

    for (const MifareWindowIds& ids : ids_.windows) {
        windows_.push_back(std::make_unique<MifareWindow>(ids));
        windows_.back()->Attach(*this);
    }
    UseHexFonts();
    SetContentHeightToClient();
    return TRUE;
}

void MifarePanelBase::UseHexFonts() {
    for (HWND field : {uid_.Handle(), purseKey_.Handle(), valueDec_.Handle(), valueHex_.Handle()})
        UseHexFont(field);
    for (const auto& window : windows_) {
        for (HWND field : window->HexFields()) UseHexFont(field);
    }
}

void MifarePanelBase::ClearCardOnFailure(Command& command) {
    command.OnFailure([this] { cardSelected_ = false; });
}

bool MifarePanelBase::SearchCard(Command& command, int attempts) {
    if (!command.RequireConnection()) {
        cardSelected_ = false;
        return false;
    }
    const auto uid = SearchTypeACard(command, kCascadeProfile, attempts);
    cardSelected_ = uid.has_value();
    if (!uid) {
        uid_.Clear();
        return false;
    }
    uid_.SetBytes(*uid);
    command.Done(Message(kTextFindCardOk));
    return true;
}

bool MifarePanelBase::CardPrelude(Command& command) {
    return cardSelected_ || SearchCard(command, kPreludeAttempts);
}

std::optional<Bytes> MifarePanelBase::KeyOf(Command& command, const ByteTextEdit& edit) {
    if (edit.ByteCount() != kMifareKeySize) {
        command.InputError(Message(kTextNeedKey6Bytes));
        return std::nullopt;
    }
    return edit.GetBytes();
}

void MifarePanelBase::OnSearch() {
    Command command(context_, hwnd_);
    ClearCardOnFailure(command);
    if (!SearchCard(command, kSearchAttempts)) return;
    for (const auto& window : windows_) window->UpdateWriteButton();
    ReportResult(context_.services, 0);
}

void MifarePanelBase::OnReqIdl() {
    Command command(context_, hwnd_);
    if (!command.RequireConnection()) return;
    if (auto uid = SelectTypeACard(command, kCascadeProfile, kRequestIdle)) {
        uid_.SetBytes(*uid);
        command.Done(Message(kTextSuccess));
    }
}

void MifarePanelBase::OnHalt() {
    Command command(context_, hwnd_);
    if (!command.RequireConnection()) return;
    if (HaltTypeACard(command)) command.Done(Message(kTextSuccess));
}

std::optional<uint8_t> MifarePanelBase::PreparePurse(Command& command) {
    if (!CardPrelude(command)) return std::nullopt;
    const uint8_t keyType = IsChecked(IDC_MF_PURSE_USE_KEY_A) ? kMifareKeyA : kMifareKeyB;
    const int sector = purseSector_.Selected();
    const int block = purseBlock_.Selected();
    const auto key = KeyOf(command, purseKey_);
    if (!key || sector < 0 || block < 0) return std::nullopt;
    if (!command.Call(reader_.rf_M1_authentication2, kDevice, keyType, mifare::FirstBlockOfSector(sector),
                      key->data())) {
        return std::nullopt;
    }
    return BlockOfSector(sector, block);
}

std::optional<int32_t> MifarePanelBase::PurseValue() {
    const std::wstring text = valueDec_.Text();
    if (const auto value = ParsePurseValue(text)) return value;
    // An empty field asks for a value; a value the card cannot hold names the range.
    const std::wstring message =
        text.empty() ? Message(kTextNeedData) : UiText(mifare_text::kValueOutOfRange);
    context_.services.ShowMessageBox(hwnd_, message, UiText(kBoxCaptionWarning),
                                     MB_OK | MB_ICONWARNING);
    return std::nullopt;
}

void MifarePanelBase::ChangeValue(const ValueFunction& function, int successText) {
    Command command(context_, hwnd_);
    ClearCardOnFailure(command);
    const auto block = PreparePurse(command);
    if (!block) return;
    const auto value = PurseValue();
    if (!value) return;
    if (!command.CallLoggedAfterReport(function, kDevice, *block, *value)) return;
    command.Done(Message(successText));
}

void MifarePanelBase::OnInitialize() { ChangeValue(reader_.rf_M1_initval, kTextInitPurseOk); }
void MifarePanelBase::OnIncrement() { ChangeValue(reader_.rf_M1_increment, kTextIncrementOk); }
void MifarePanelBase::OnDecrement() { ChangeValue(reader_.rf_M1_decrement, kTextDecrementOk); }

void MifarePanelBase::OnBalance() {
    valueDec_.SetText(L"");
    valueHex_.SetText(L"");
    Command command(context_, hwnd_);
    ClearCardOnFailure(command);
    const auto block = PreparePurse(command);
    if (!block) return;
    int32_t value = 0;
    if (!command.CallLoggedAfterReport(reader_.rf_M1_readval, kDevice, *block, &value)) return;
    ShowValue(value);
    command.Done(Message(kTextReadBalanceOk));
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

void MifarePanelBase::ReadSector(int index) {
    MifareWindow& window = *windows_[static_cast<std::size_t>(index)];
    window.ClearBlocks();
    Command command(context_, hwnd_);
    ClearCardOnFailure(command);
    if (!CardPrelude(command)) return;
    const auto key = KeyOf(command, window.Key());
    const int sector = window.Sector();
    if (!key || sector < 0) return;
    if (!command.Call(reader_.rf_M1_authentication2, kDevice, window.KeyType(),
                      mifare::FirstBlockOfSector(sector), key->data())) {
        return;
    }
    for (int i = 0; i < mifare::BlocksInSector(sector); ++i) {
        const uint8_t block = BlockOfSector(sector, i);
        uint8_t buffer[kReadBufferSize] = {};
        uint8_t length = 0;
        if (!command.Call(reader_.rf_M1_read, kDevice, block, buffer, &length)) return;
        if (length != mifare::kBlockSize) {
            // A short block with status 0 must not read as success.
            command.Failed(FormatText(Message(kTextReadBlockError), block));
            return;
        }
        window.ShowBlock(i, std::span<const uint8_t, mifare::kBlockSize>(buffer, mifare::kBlockSize));
    }
    command.Done(Message(kTextReadOk));
}

void MifarePanelBase::WriteBlock(int index) {
    MifareWindow& window = *windows_[static_cast<std::size_t>(index)];
    Command command(context_, hwnd_);
    ClearCardOnFailure(command);
    if (!CardPrelude(command)) return;
    const auto key = KeyOf(command, window.Key());
    const int sector = window.Sector();
    const int blockIndex = window.BlockIndex();
    if (!key || sector < 0 || blockIndex < 0) return;
    const MifareBlock data = window.BlockToWrite(blockIndex);
    if (blockIndex == TrailerIndex(sector)) {
        if (!AccessBitsAreConsistent(data)) {
            command.InputError(UiText(mifare_text::kAccessBitsInvalid));
            return;
        }
        if (context_.services.ShowMessageBox(hwnd_, Message(kTextConfirmWriteBlock3),
                                             UiText(kBoxCaptionWarning),
                                             MB_OKCANCEL | MB_ICONWARNING) != IDOK) {
            return;
        }
    }
    if (!command.Call(reader_.rf_M1_authentication2, kDevice, window.KeyType(),
                      mifare::FirstBlockOfSector(sector), key->data())) {
        return;
    }
    if (!command.CallNotLoggedOnFailure(reader_.rf_M1_write, kDevice,
                                        BlockOfSector(sector, blockIndex), data.data())) {
        return;
    }
    command.Done(Message(kTextWriteOk));
}

CardSecrets MifarePanelBase::TypedSecrets() const {
    CardSecrets secrets;
    const auto add = [&](const ByteTextEdit& edit) {
        Bytes key = edit.GetBytes();
        if (key.size() == kMifareKeySize) secrets.mifareKeys.push_back(std::move(key));
    };
    for (const auto& window : windows_) add(window->Key());
    add(purseKey_);
    return secrets;
}
