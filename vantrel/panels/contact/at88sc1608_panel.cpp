#include "vantrel/panels/contact/at88sc1608_panel.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/at88sc_cipher.h"
#include "vantrel/panels/contact/at88sc1608_ids.h"
#include "vantrel/panels/contact/at88sc1608_plan.h"

namespace {

constexpr int kBytesPerLine = 16;
constexpr int kRowsPerPage = 16;
// Each zone one page in normal weight, its lines labelled with their offsets.
constexpr HexPageShape kConfigShape{kRowsPerPage, kSc1608Chunk, kSc1608ConfigSize / kBytesPerLine, kBytesPerLine,
                                    LineLabels::Offset, 2, false};
constexpr HexPageShape kUserShape{kRowsPerPage, kBytesPerLine, kSc1608ZoneSize / kBytesPerLine, kBytesPerLine,
                                  LineLabels::Offset, 2, false};
constexpr int kBelowLast = 50;
constexpr int kAddressListReadBase = 50;
constexpr int kPasswordReadBase = 8;

constexpr Caption kCaptions[] = {
    {IDC_SC1608_RESET, {L"复位", L"Reset"}},
    {IDC_SC1608_READ_FUSE, {L"读取", L"Read"}},
    {IDC_SC1608_BLOW_FUSE, {L"熔断", L"Fuse"}},
    {IDC_SC1608_INITIALIZE, {L"初始化", L"Initialize"}},
    {IDC_SC1608_AUTHENTICATE, {L"验证", L"Authenticate"}},
    {IDC_SC1608_CONFIG_READ, {L"读卡", L"Read"}},
    {IDC_SC1608_CONFIG_WRITE, {L"写卡", L"Write"}},
    {IDC_SC1608_USER_READ, {L"读卡", L"Read"}},
    {IDC_SC1608_USER_WRITE, {L"写卡", L"Write"}},
};

// The group boxes drawn as framed captions, in the order of frames_.
constexpr int kGroups[] = {IDC_SC1608_RESET_GROUP, IDC_SC1608_FUSE_GROUP, IDC_SC1608_AUTH_GROUP};

std::wstring Message(MainText entry) { return UiText(kMainMessages, entry); }

at88sc::Block ToBlock(const Bytes& bytes) {
    at88sc::Block block{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), block.size()), block.begin());
    return block;
}

}  // namespace

CAt88sc1608Panel::CAt88sc1608Panel(PanelContext& context)
    : WithMessageMap(IDD_AT88SC1608, context), config_(kConfigShape), user_(kUserShape) {
    HexPageEditor::LoadRichEdit();
    UseCaptions(kCaptions);
}

std::span<const MessageEntry<CAt88sc1608Panel>> CAt88sc1608Panel::Messages() {
    using P = CAt88sc1608Panel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_SC1608_RESET, &P::OnReset),
        OnCommand(IDC_SC1608_READ_FUSE, &P::OnReadFuse),
        OnCommand(IDC_SC1608_BLOW_FUSE, &P::OnBlowFuse),
        OnCommand(IDC_SC1608_AUTHENTICATE, &P::OnAuthenticate),
        OnCommand(IDC_SC1608_CONFIG_READ, &P::OnConfigRead),
        OnCommand(IDC_SC1608_CONFIG_WRITE, &P::OnConfigWrite),
        OnCommand(IDC_SC1608_USER_READ, &P::OnUserRead),
        OnCommand(IDC_SC1608_USER_WRITE, &P::OnUserWrite),
    };
    return map;
}

void CAt88sc1608Panel::FillChoices(int id, int readBase) {
    BindItem(id);
    std::vector<NumberedItem> items;
    for (const Sc1608Choice& choice : Sc1608PasswordChoices(readBase)) items.push_back({choice.text, choice.data});
    ListAt(id).Fill(items, 0);
}

int CAt88sc1608Panel::SelectedData(int id) const { return std::max(0, ListAt(id).Selected()); }

BOOL CAt88sc1608Panel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    for (int id : {IDC_SC1608_RESET, IDC_SC1608_READ_FUSE, IDC_SC1608_BLOW_FUSE, IDC_SC1608_INITIALIZE,
                   IDC_SC1608_AUTHENTICATE, IDC_SC1608_CONFIG_READ, IDC_SC1608_CONFIG_WRITE,
                   IDC_SC1608_USER_READ, IDC_SC1608_USER_WRITE}) {
        BindItem(id);
    }
    Bind(answer_, IDC_SC1608_ANSWER);
    Bind(fuse_, IDC_SC1608_FUSE);
    Bind(gc_, IDC_SC1608_GC);
    Bind(q0_, IDC_SC1608_Q0);
    Bind(secureCode_, IDC_SC1608_SECURE_CODE);
    Bind(password_, IDC_SC1608_PASSWORD);
    for (ByteTextEdit* field : {&answer_, &fuse_, &gc_, &q0_, &secureCode_, &password_}) UseHexFont(*field);
    gc_.SetByteLimit(kSc1608BlockSize);
    q0_.SetByteLimit(kSc1608BlockSize);
    secureCode_.SetByteLimit(kSc1608PasswordSize);
    password_.SetByteLimit(kSc1608PasswordSize);
    fuse_.SetLocked(true);

    ReplaceGroupBoxes({IDC_SC1608_RESET_GROUP, IDC_SC1608_FUSE_GROUP, IDC_SC1608_AUTH_GROUP});
    FillChoices(IDC_SC1608_ADDRESS_LIST, kAddressListReadBase);
    FillChoices(IDC_SC1608_PASSWORD_CHOICE, kPasswordReadBase);
    ListAt(IDC_SC1608_ZONE_LIST).Fill(0, 7);
    BindItem(IDC_SC1608_ZONE_LIST);

    BindPane(config_, IDC_SC1608_CONFIG_EDITOR);
    BindPane(user_, IDC_SC1608_USER_EDITOR);
    config_.Start(0);
    user_.Start(0);
    SetContentHeightBelow(IDC_SC1608_USER_WRITE);
    return TRUE;
}

void CAt88sc1608Panel::Layout(int) {
    const RECT client = ClientRect();
    const int left = Window(Item(IDC_SC1608_RESET_GROUP)).RectIn(hwnd_).left;
    const int right = Window(Item(IDC_SC1608_PASSWORD_CHOICE)).RectIn(hwnd_).right;
    // Centred, but never further left than the panel's edge.
    const int dx = std::max<int>((client.right - right - client.left + left) / 2 - left, -left);
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        Window control(child);
        RECT r = control.RectIn(hwnd_);
        OffsetRect(&r, dx, 0);
        control.Move(r, false);
    }
    for (std::size_t i = 0; i < frames_.size() && i < std::size(kGroups); ++i) {
        frames_[i].Move(Window(Item(kGroups[i])).RectIn(hwnd_));
    }
    const int bottom = Window(Item(IDC_SC1608_USER_WRITE)).RectIn(hwnd_).bottom + kBelowLast;
    MoveWindow(hwnd_, client.left, client.top, Width(client), bottom - client.top, TRUE);
    SetContentHeightBelow(IDC_SC1608_USER_WRITE);
    Invalidate();
}

bool CAt88sc1608Panel::Verify(Command& cmd, const ByteTextEdit& field, uint8_t index) {
    const Bytes password = field.GetBytes();
    if (password.size() < kSc1608PasswordSize) {
        cmd.InputError(Message(kTextNeedKey3Bytes));
        return false;
    }
    return cmd.Call(reader_.AT1608_VerifyPassword, kDevice, index, password.data());
}

void CAt88sc1608Panel::OnReset() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!cmd.Call(reader_.OpenCard, kDevice)) return;
    std::array<uint8_t, 4> answer{};
    if (!cmd.Call(reader_.AT1608_Rst, kDevice, answer.data())) return;
    answer_.SetBytes(answer.data(), answer.size());
    cmd.Done(Message(kTextSuccess));
}

void CAt88sc1608Panel::OnReadFuse() {
    fuse_.Clear();
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    uint8_t fuse = 0;
    if (!cmd.Call(reader_.AT1608_ReadFuse1, kDevice, &fuse)) return;
    fuse_.SetBytes(&fuse, 1);
    cmd.Done(Message(kTextSuccess));
}

void CAt88sc1608Panel::OnBlowFuse() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!cmd.Call(reader_.AT1608_WriteFuse1, kDevice)) return;
    cmd.Done(Message(kTextSuccess));
}

void CAt88sc1608Panel::OnAuthenticate() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const Bytes gc = gc_.GetBytes();
    if (gc.size() < kSc1608BlockSize) {
        cmd.InputError(Message(kTextNeedGc8Bytes));
        return;
    }
    const Bytes q0 = q0_.GetBytes();
    if (q0.size() < kSc1608BlockSize) {
        cmd.InputError(Message(kTextNeedQ0_8Bytes));
        return;
    }
    std::array<uint8_t, kSc1608BlockSize> cryptogram{};
    if (!cmd.Call(reader_.AT1608_Read, kDevice, kSc1608CryptogramAddress, static_cast<uint32_t>(kSc1608BlockSize),
                  kSc1608ConfigZone, cryptogram.data())) {
        return;
    }
    const at88sc::Block q1 = at88sc::Answer(cryptogram, ToBlock(gc), ToBlock(q0));
    std::array<uint8_t, 2 * kSc1608BlockSize> challenge{};
    std::copy_n(q0.begin(), kSc1608BlockSize, challenge.begin());
    std::copy(q1.begin(), q1.end(), challenge.begin() + kSc1608BlockSize);
    if (!cmd.Call(reader_.AT1608_Authenticate, kDevice, challenge.data(), q1.data())) return;
    cmd.Done(Message(kTextSuccess));
}

void CAt88sc1608Panel::OnConfigRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!Verify(cmd, secureCode_, kSc1608SecureCodeIndex)) return;
    std::array<uint8_t, kSc1608ConfigSize> zone{};
    int32_t firstFailure = 0;
    std::vector<int> failed;
    for (int address = 0; address < kSc1608ConfigSize; address += kSc1608Chunk) {
        std::array<uint8_t, kSc1608Chunk> chunk{};
        const int32_t status = cmd.CallQuietly(reader_.AT1608_Read, kDevice, static_cast<uint8_t>(address),
                                               static_cast<uint32_t>(kSc1608Chunk), kSc1608ConfigZone, chunk.data());
        if (status == 0) {
            std::copy(chunk.begin(), chunk.end(), zone.begin() + address);
        } else {
            failed.push_back(address);
            if (firstFailure == 0) firstFailure = status;
        }
    }
    config_.Load(zone);
    for (int address : failed) config_.MarkUnread(address, kSc1608Chunk);
    // Chunks that failed show as zeros; the read as a whole is then a failure.
    if (firstFailure != 0) {
        cmd.Failed(firstFailure, reader_.AT1608_Read.Name());
        return;
    }
    cmd.Done(Message(kTextSuccess));
}

void CAt88sc1608Panel::OnConfigWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!Verify(cmd, secureCode_, kSc1608SecureCodeIndex)) return;
    const Bytes changed = config_.ChangedBytes();
    if (changed.empty()) {
        cmd.Failed(Message(kTextNoChangedBlocks));
        return;
    }
    const int start = config_.FirstChangedByte();
    // Every changed byte is written; a failure keeps the changes for another try.
    for (const Sc1608Piece& piece : Sc1608ConfigPieces(start, static_cast<int>(changed.size()))) {
        if (!cmd.Call(reader_.AT1608_Write, kDevice, static_cast<uint8_t>(piece.address), kSc1608ConfigZone,
                      changed.data() + piece.offset, static_cast<uint32_t>(piece.length))) {
            return;
        }
        config_.MarkWritten(piece.address, piece.length);
    }
    config_.ClearChanges();
    cmd.Done(Message(kTextSuccess));
}

void CAt88sc1608Panel::OnUserRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!Verify(cmd, password_, static_cast<uint8_t>(SelectedData(IDC_SC1608_PASSWORD_CHOICE)))) return;
    std::array<uint8_t, kSc1608ZoneSize> zone{};
    const int32_t status = cmd.CallQuietly(reader_.AT1608_Read, kDevice, uint8_t{0}, uint32_t{kSc1608ZoneSize},
                                           static_cast<uint8_t>(SelectedData(IDC_SC1608_ZONE_LIST)), zone.data());
    if (status != 0) {
        user_.Load({});
        cmd.Failed(status, reader_.AT1608_Read.Name());
        return;
    }
    user_.Load(zone);
    cmd.Done(Message(kTextSuccess));
}

void CAt88sc1608Panel::OnUserWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!Verify(cmd, password_, static_cast<uint8_t>(SelectedData(IDC_SC1608_PASSWORD_CHOICE)))) return;
    const auto zone = static_cast<uint8_t>(SelectedData(IDC_SC1608_ZONE_LIST));
    const Bytes changed = user_.ChangedBytes();
    if (changed.empty()) {
        cmd.Failed(Message(kTextNoChangedBlocks));
        return;
    }
    if (!cmd.Call(reader_.AT1608_Write, kDevice, static_cast<uint8_t>(user_.FirstChangedByte()), zone,
                  changed.data(), static_cast<uint32_t>(changed.size()))) {
        return;
    }
    user_.MarkWritten(user_.FirstChangedByte(), static_cast<int>(changed.size()));
    user_.ClearChanges();
    cmd.Done(Message(kTextSuccess));
}

CardSecrets CAt88sc1608Panel::TypedSecrets() const {
    CardSecrets secrets;
    secrets.secureCode = secureCode_.GetBytes();
    secrets.password = password_.GetBytes();
    secrets.passwordIndex = static_cast<uint8_t>(SelectedData(IDC_SC1608_PASSWORD_CHOICE));
    secrets.gc = gc_.GetBytes();
    secrets.q0 = q0_.GetBytes();
    return secrets;
}
