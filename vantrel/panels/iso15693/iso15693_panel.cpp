#include "vantrel/panels/iso15693/iso15693_panel.h"

#include <algorithm>

#include "vantrel/framework/wait_cursor.h"
#include "vantrel/panels/iso15693/iso15693_ids.h"
#include "vantrel/toolkit/first_choice.h"
#include "vantrel/toolkit/hex_text.h"
#include "vantrel/toolkit/id_range.h"

namespace {

static_assert(IdsAreConsecutive({IDC_ISO15693_STATUS0, 1501, 1502, 1503, 1504, 1505, 1506, 1507,
                                 1508, 1509, 1510, 1511, 1512, 1513, 1514, IDC_ISO15693_STATUS15}),
              "status field i is STATUS0 + i");

constexpr uint8_t kTypeIso15693 = '1';
constexpr uint8_t kReadMode = 2;
constexpr std::size_t kAnswerSize = 1024;
constexpr int kRowsPerPage = 16;
// A block a line, labelled with its number.
constexpr HexPageShape kPaneShape{kRowsPerPage, kVicinityBlockSize, kRowsPerPage, kVicinityBlockSize};
constexpr int kLayoutExtraHeight = 80;
constexpr int kGap = 12;
// Room for the deferred moves of every control of the template.
constexpr int kTemplateControls = 48;

constexpr int kSlotRadios[] = {IDC_ISO15693_SLOT1, IDC_ISO15693_SLOT2, IDC_ISO15693_SLOT3,
                               IDC_ISO15693_SLOT4};
constexpr int kUidEdits[] = {IDC_ISO15693_UID1, IDC_ISO15693_UID2, IDC_ISO15693_UID3,
                             IDC_ISO15693_UID4};

constexpr UiString kSystemInfoTooShort{L"系统信息应答不足12个字节!",
                                       L"System information answer is shorter than 12 bytes!"};

std::wstring Message(MainText entry) { return UiText(kMainMessages, entry); }

// The shift that centres the block from the radio buttons to the scroll
// bar in `client`, never starting it left of the panel.
int CentringShift(const RECT& client, const RECT& radio, const RECT& bar) {
    const int x0 = std::max<int>(0, (client.right + radio.left - bar.right) / 2);
    return x0 - radio.left;
}

}  // namespace

CIso15693Panel::CIso15693Panel(PanelContext& context, int32_t code)
    : WithMessageMap(IDD_ISO15693, context), code_(code), option_(code != kCodeICodeSli), pane_(kPaneShape) {
    HexPageEditor::LoadRichEdit();
}

std::span<const MessageEntry<CIso15693Panel>> CIso15693Panel::Messages() {
    using P = CIso15693Panel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_ISO15693_INVENTORY, &P::OnInventory),
        OnCommand(IDC_ISO15693_GET_INFO, &P::OnGetInformation),
        OnCommand(IDC_ISO15693_WRITE_DSFID, &P::OnWriteDsfid),
        OnCommand(IDC_ISO15693_LOCK_DSFID, &P::OnLockDsfid),
        OnCommand(IDC_ISO15693_WRITE_AFI, &P::OnWriteAfi),
        OnCommand(IDC_ISO15693_LOCK_AFI, &P::OnLockAfi),
        OnCommand(IDC_ISO15693_READ, &P::OnRead),
        OnCommand(IDC_ISO15693_WRITE, &P::OnWrite),
        OnCommand(IDC_ISO15693_LOCK, &P::OnLock),
    };
    return map;
}

BOOL CIso15693Panel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    ListAt(IDC_ISO15693_BLOCK_LIST).Fill(0, LockableBlockCount(code_) - 1);
    BindItem(IDC_ISO15693_BLOCK_LIST);

    Bind(dsfid_, IDC_ISO15693_DSFID);
    Bind(afi_, IDC_ISO15693_AFI);
    for (ByteTextEdit* field : {&dsfid_, &afi_}) {
        field->SetByteLimit(1);
        UseHexFont(*field);
    }
    for (int id : kSlotRadios) BindItem(id);
    CheckFirstChoice(Item(IDC_ISO15693_SLOT1));
    // Filled by the inventory only.
    for (std::size_t i = 0; i < uids_.size(); ++i) {
        Bind(uids_[i], kUidEdits[i]);
        uids_[i].SetByteLimit(kVicinityUidSize);
        uids_[i].SetLocked(true);
        UseHexFont(uids_[i]);
    }
    for (int i = 0; i < kStatusFieldsPerPage; ++i) {
        Bind(statusFields_[static_cast<std::size_t>(i)], IDC_ISO15693_STATUS0 + i);
        UseHexFont(statusFields_[static_cast<std::size_t>(i)]);
    }
    BindItem(IDC_ISO15693_STATUS_LABEL);

    BindPane(pane_, IDC_ISO15693_EDITOR, IDC_ISO15693_PAGE_BAR);
    statusCount_ = InitialBlockCount(code_);
    pane_.Start(statusCount_ * kVicinityBlockSize);
    ShowStatusFields();
    PlaceControls();
    SetContentHeightBelow(IDC_ISO15693_PAGE_BAR);
    return TRUE;
}

// The status column and the scroll bar follow the editor's rows.
void CIso15693Panel::PlaceControls() {
    const HexPageEditor& editor = pane_.Editor();
    const RECT e = editor.RectIn(hwnd_);
    const int pitch = editor.LinePitch();
    const int top = e.top + editor.TextOrigin().y;
    const int width = editor.CharWidth() * 3;
    const int left = e.right + kGap;
    std::vector<std::pair<HWND, RECT>> placed;
    for (int i = 0; i < kStatusFieldsPerPage; ++i) {
        const int y = top + i * pitch;
        placed.emplace_back(statusFields_[static_cast<std::size_t>(i)], RECT{left, y, left + width, y + pitch});
    }
    HWND label = Item(IDC_ISO15693_STATUS_LABEL);
    const RECT l = Window(label).RectIn(hwnd_);
    const int labelLeft = std::min<int>(left, left + width / 2 - Width(l) / 2);
    placed.emplace_back(label, RECT{labelLeft, e.top - Height(l) - 4, labelLeft + Width(l), e.top - 4});
    const RECT bar = pane_.BarRect(std::max<int>(left + width, labelLeft + Width(l)) + kGap);
    if (pane_.Bar() != nullptr) placed.emplace_back(pane_.Bar(), bar);
    const RECT radio = Window(Item(IDC_ISO15693_SLOT1)).RectIn(hwnd_);
    MoveControls(HasPlannedClient() ? CentringShift(InitialClientRect(), radio, bar) : 0, placed);
}

void CIso15693Panel::MoveControls(int dx, const std::vector<std::pair<HWND, RECT>>& placed) {
    HDWP moves = BeginDeferWindowPos(kTemplateControls);
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr && moves != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT now = Window(child).RectIn(hwnd_);
        RECT r = now;
        for (const auto& [control, place] : placed) {
            if (control == child) r = place;
        }
        OffsetRect(&r, dx, 0);
        if (EqualRect(&r, &now)) continue;
        moves = DeferWindowPos(moves, child, nullptr, r.left, r.top, Width(r), Height(r),
                               SWP_NOZORDER | SWP_NOACTIVATE | (IsWindowVisible(hwnd_) ? 0 : SWP_NOREDRAW));
    }
    if (moves != nullptr) EndDeferWindowPos(moves);
}

void CIso15693Panel::Layout(int) {
    const RECT client = ClientRect();
    const RECT radio = Window(Item(IDC_ISO15693_SLOT1)).RectIn(hwnd_);
    const RECT bar = Window(pane_.Bar()).RectIn(hwnd_);
    const int dx = CentringShift(client, radio, bar);
    MoveWindow(hwnd_, client.left, client.top, Width(client),
               Height(client) + kLayoutExtraHeight, TRUE);
    SetContentHeightToClient();
    // Nothing left to do when initialisation knew the area.
    if (dx != 0) MoveControls(dx, {});
    Invalidate();
}

Bytes CIso15693Panel::SlotUid() const { return uids_[CheckedIndex(kSlotRadios)].GetBytes(); }

CardSecrets CIso15693Panel::TypedSecrets() const {
    CardSecrets secrets;
    secrets.tagUid = SlotUid();
    return secrets;
}

std::optional<Bytes> CIso15693Panel::ChooseUid(Command& cmd) {
    Bytes uid = SlotUid();
    if (uid.size() != kVicinityUidSize) {
        cmd.InputError(Message(kTextUidLengthError));
        return std::nullopt;
    }
    return uid;
}

void CIso15693Panel::OnInventory() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!cmd.Call(reader_.rf_init_type, kDevice, kTypeIso15693)) return;
    for (ByteTextEdit& uid : uids_) uid.Clear();
    uint8_t answer[kAnswerSize] = {};
    uint8_t length = 0;
    if (!cmd.Call(reader_.ISO15693_Inventorys, kDevice, answer, &length)) return;
    const std::vector<Bytes> found = InventoryUids(std::span<const uint8_t>(answer, length));
    for (std::size_t i = 0; i < found.size(); ++i) uids_[i].SetBytes(found[i]);
    cmd.Done(Message(kTextInventoryOk));
}

void CIso15693Panel::OnGetInformation() {
    // Until an answer proves otherwise, the tag is taken for one that needs mode 6.
    option_ = true;
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    dsfid_.Clear();
    afi_.Clear();
    if (!cmd.Call(reader_.rf_init_type, kDevice, kTypeIso15693)) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    uint8_t answer[kAnswerSize] = {};
    uint8_t length = 0;
    if (!cmd.Call(reader_.ISO15693_Get_System_Information, kDevice, kReadMode, uid->data(), answer,
                  &length)) {
        return;
    }
    if (length < kSystemInfoMinLength) {
        // A short answer to a successful call is still a failure.
        cmd.Failed(UiText(kSystemInfoTooShort));
        return;
    }
    dsfid_.SetBytes(&answer[9], 1);
    afi_.SetBytes(&answer[10], 1);
    option_ = code_ != kCodeICodeSli;
    cmd.Done(Message(kTextGetInformationOk));
}

template <typename Fn>
void CIso15693Panel::WriteByte(const Fn& write, ByteTextEdit& field, MainText missing, MainText done) {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    const Bytes value = field.GetBytes();
    if (value.empty()) {
        cmd.InputError(Message(missing));
        return;
    }
    if (!cmd.Call(write, kDevice, WriteMode(), uid->data(), value[0])) return;
    cmd.Done(Message(done));
}

template <typename Fn>
void CIso15693Panel::LockByte(const Fn& lock, MainText done) {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    if (!cmd.Call(lock, kDevice, WriteMode(), uid->data())) return;
    cmd.Done(Message(done));
}

void CIso15693Panel::OnWriteDsfid() {
    WriteByte(reader_.ISO15693_Write_DSFID, dsfid_, kTextNeedDsfid, kTextWriteDsfidOk);
}

void CIso15693Panel::OnLockDsfid() { LockByte(reader_.ISO15693_Lock_DSFID, kTextLockDsfidOk); }

void CIso15693Panel::OnWriteAfi() {
    WriteByte(reader_.ISO15693_Write_AFI, afi_, kTextNeedAfi, kTextWriteAfiOk);
}

void CIso15693Panel::OnLockAfi() { LockByte(reader_.ISO15693_Lock_AFI, kTextLockAfiOk); }

bool CIso15693Panel::ReadPlanInto(Command& cmd, const Bytes& uid, Bytes& data, Bytes& security) {
    const VicinityReadPlan plan = ReadPlan(option_);
    for (const BlockRange& range : plan.data) {
        uint8_t answer[kAnswerSize] = {};
        uint8_t length = 0;
        if (!cmd.Call(reader_.ISO15693_Read, kDevice, kReadMode, uid.data(), range.first,
                      range.count, answer, &length)) {
            return false;
        }
        const int wanted = range.count * kVicinityBlockSize;
        if (length < wanted) {
            cmd.Failed(FormatText(Message(kTextReadBlockError).c_str(), range.first));
            return false;
        }
        // Extra bytes would shift every later block.
        data.insert(data.end(), answer, answer + wanted);
    }
    for (const BlockRange& range : plan.security) {
        uint8_t answer[kAnswerSize] = {};
        uint8_t length = 0;
        if (!cmd.Call(reader_.ISO15693_Get_Block_Security, kDevice, kReadMode, uid.data(),
                      range.first, range.count, answer, &length)) {
            return false;
        }
        if (length != range.count) {
            cmd.Failed(FormatText(Message(kTextReadBlockError).c_str(), range.first));
            return false;
        }
        security.insert(security.end(), answer, answer + length);
    }
    return true;
}

void CIso15693Panel::OnRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    // Typed digits not written do not outlive the read, whatever its outcome.
    pane_.DropChanges();
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    Bytes data;
    Bytes security;
    {
        WaitCursor wait;
        if (!ReadPlanInto(cmd, *uid, data, security)) return;
    }
    pane_.Load(data);
    std::copy(security.begin(), security.end(), statusTable_.begin());
    statusCount_ = static_cast<int>(security.size());
    ShowStatusFields();
    cmd.Done(Message(kTextSuccess));
}

void CIso15693Panel::OnWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    const int first = pane_.FirstChangedRow();
    if (first < 0) {
        cmd.Failed(Message(kTextNoChangedBlocks));
        return;
    }
    for (int block = first; block <= pane_.LastChangedRow(); ++block) {
        // Four data bytes and the zero the library finds after them.
        uint8_t data[kVicinityBlockSize + 1] = {};
        const Bytes row = pane_.RowBytes(block);
        std::copy_n(row.begin(), std::min<std::size_t>(row.size(), kVicinityBlockSize), data);
        if (!cmd.Call(reader_.ISO15693_Write, kDevice, WriteMode(), uid->data(),
                      static_cast<uint8_t>(block), data)) {
            return;
        }
        pane_.MarkWritten(block * kVicinityBlockSize, kVicinityBlockSize);
    }
    cmd.Done(Message(kTextSuccess));
}

void CIso15693Panel::OnLock() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const auto uid = ChooseUid(cmd);
    if (!uid) return;
    const int block = ListAt(IDC_ISO15693_BLOCK_LIST).Selected();
    if (block < 0) return;
    if (!cmd.Call(reader_.ISO15693_Lock_Block, kDevice, WriteMode(), uid->data(),
                  static_cast<uint8_t>(block))) {
        return;
    }
    cmd.Done(Message(kTextSuccess));
}

void CIso15693Panel::ShowStatusFields() {
    const int page = pane_.CurrentPage();
    for (int i = 0; i < kStatusFieldsPerPage; ++i) {
        ByteTextEdit& field = statusFields_[static_cast<std::size_t>(i)];
        const int entry = page * kStatusFieldsPerPage + i;
        // A field that shows its text already is not drawn again.
        if (StatusFieldShown(code_, page, i) && entry < static_cast<int>(statusTable_.size())) {
            field.SetTextIfChanged(BytesToHex(&statusTable_[static_cast<std::size_t>(entry)], 1));
        } else {
            field.Clear();
        }
    }
}

void CIso15693Panel::OnPageTurned(HexPagePane&) { ShowStatusFields(); }
