#include "vantrel/panels/iso14443b/at88rf020_panel.h"

#include <array>
#include <string>

#include "vantrel/panels/iso14443b/at88rf020_pages.h"
#include "vantrel/toolkit/field_reset.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr int kSearchAttempts = 2;
constexpr uint8_t kTagMode = 'r';
constexpr uint8_t kAtqbMode = 0;
constexpr std::size_t kAtqbSize = 12;
constexpr std::size_t kAnswerSize = 256;
constexpr std::size_t kPasswordSize = 8;
constexpr std::size_t kLockSize = 4;
constexpr std::size_t kSignatureSize = 6;
constexpr int kLockPage = 0;
constexpr int kCountPage = 2;


constexpr Caption kCaptions[] = {
    {IDC_AT020_REQB, {L"寻卡", L"ReqB"}},
    {IDC_AT020_CHECK, {L"验证", L"Check"}},
    {IDC_AT020_LOCK, {L"LOCK", L"Lock"}},
    {IDC_AT020_COUNT, {L"记数", L"Count"}},
    {IDC_AT020_READ, {L"读卡", L"Read Card"}},
    {IDC_AT020_WRITE, {L"写卡", L"Write Card"}},
    {IDC_AT020_DESELECT, {L"DESELECT", L"Deselect"}},
    {IDC_AT020_PUPI_LABEL, {L"PUPI", L"PUPI"}},
    {IDC_AT020_PASSWORD_LABEL, {L"密码", L"Password"}},
    {IDC_AT020_LOCK_LABEL, {L"LOCK", L"Lock"}},
    {IDC_AT020_SIGNATURE_LABEL, {L"签名", L"Signature"}},
    {IDC_AT020_PAGE_LABEL, {L"页地址", L"Page"}},
};

}  // namespace

CAt88rf020Panel::CAt88rf020Panel(PanelContext& context, int templateId) : WithMessageMap(templateId, context) {
    UseCaptions(kCaptions);
}

std::span<const MessageEntry<CAt88rf020Panel>> CAt88rf020Panel::Messages() {
    using P = CAt88rf020Panel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_AT020_REQB, &P::OnReqB),   OnCommand(IDC_AT020_CHECK, &P::OnCheck),
        OnCommand(IDC_AT020_LOCK, &P::OnLock),   OnCommand(IDC_AT020_COUNT, &P::OnCount),
        OnCommand(IDC_AT020_READ, &P::OnRead),   OnCommand(IDC_AT020_WRITE, &P::OnWrite),
        OnCommand(IDC_AT020_DESELECT, &P::OnDeselect),
    };
    return map;
}

BOOL CAt88rf020Panel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    SetUpHexEdit(pupi_, IDC_AT020_PUPI, 0);
    SetUpHexEdit(password_, IDC_AT020_PASSWORD, kPasswordSize);
    SetUpHexEdit(lock_, IDC_AT020_LOCK_BYTES, kLockSize);
    SetUpHexEdit(signature_, IDC_AT020_SIGNATURE, kSignatureSize);
    for (int page = 0; page < kAt020Pages; ++page) {
        for (const At020PageEdit& edit : At020PageEdits(page)) {
            pages_.push_back(std::make_unique<ByteTextEdit>());
            SetUpHexEdit(*pages_.back(), edit.id, edit.bytes);
        }
    }
    for (int id : {IDC_AT020_REQB, IDC_AT020_CHECK, IDC_AT020_LOCK, IDC_AT020_COUNT, IDC_AT020_READ,
                   IDC_AT020_WRITE, IDC_AT020_DESELECT}) {
        BindItem(id);
    }
    // Page 2 is written by counting and page 0 by locking: neither is offered.
    std::vector<int> writable = {1};
    for (int page = kAt020SkippedPage; page < kAt020Pages; ++page) writable.push_back(page);
    NumberList pageList;
    Bind(pageList, IDC_AT020_PAGE_LIST);
    pageList.Fill(writable, 0);

    ReplaceGroupBoxes({IDC_AT020_FRAME});
    SetContentHeightBelow(IDC_AT020_FRAME);
    return TRUE;
}

void CAt88rf020Panel::SetUpHexEdit(ByteTextEdit& edit, int id, std::size_t bytes) {
    Bind(edit, id);
    if (bytes > 0) edit.SetByteLimit(bytes);
    UseHexFont(edit);
}

void CAt88rf020Panel::ClearEdits(const std::vector<int>& ids) {
    for (int id : ids) Window(Item(id)).SetText(L"");
}

void CAt88rf020Panel::OnReqB() {
    ClearEdits(At020ClearedEdits());
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    for (int attempt = 0; attempt < kSearchAttempts; ++attempt) {
        if (SearchOnce(cmd)) {
            SetFocus(password_);
            cmd.Done(UiText(kMainMessages, kTextFindCardOk));
            return;
        }
    }
    pupi_.Clear();
}

bool CAt88rf020Panel::SearchOnce(Command& cmd) {
    if (!ResetField(cmd, kStandardFieldWaits, kTagMode)) return false;
    std::array<uint8_t, kAnswerSize> answer{};
    uint8_t length = 0;
    if (!cmd.Call(reader_.rf_atqb, kDevice, kAtqbMode, answer.data(), &length)) return false;
    if (length != kAtqbSize) {
        cmd.FailedAnswer(reader_.rf_atqb);
        return false;
    }
    pupi_.SetBytes(answer.data() + 1, 4);
    return true;
}

void CAt88rf020Panel::OnCheck() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const Bytes password = password_.GetBytes();
    if (password.size() != kPasswordSize) {
        cmd.InputError(UiText(kMainMessages, kTextNeedKey8Bytes));
        return;
    }
    if (!cmd.Call(reader_.rf_at020_check, kDevice, password.data())) return;
    cmd.Done(UiText(kMainMessages, kTextAuthenticateOk));
}

bool CAt88rf020Panel::ReadPage(Command& cmd, int page, const std::wstring& failureText) {
    std::array<uint8_t, kAnswerSize> answer{};
    uint8_t length = 0;
    const int32_t status = cmd.CallQuietly(reader_.rf_at020_read, kDevice, static_cast<uint8_t>(page), answer.data(), &length);
    if (status != 0 || length != kAt020PageSize) {
        // A short answer to a successful call is still a failed read.
        if (status != 0) {
            cmd.Failed(status, failureText.c_str());
        } else {
            cmd.Failed(failureText);
        }
        return false;
    }
    std::size_t offset = 0;
    for (const At020PageEdit& edit : At020PageEdits(page)) {
        Window(Item(edit.id)).SetText(BytesToHex(answer.data() + offset, edit.bytes));
        offset += edit.bytes;
    }
    return true;
}

void CAt88rf020Panel::OnLock() {
    ClearEdits({IDC_AT020_PAGE0_LOW, IDC_AT020_PAGE0_HIGH});
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const Bytes lock = lock_.GetBytes();
    if (lock.size() != kLockSize) {
        cmd.InputError(UiText(kMainMessages, kTextNeedLock4Bytes));
        return;
    }
    if (!cmd.CallNotLogged(reader_.rf_at020_lock, kDevice, lock.data())) return;
    if (ReadPage(cmd, kLockPage, reader_.rf_at020_read.Name())) cmd.Done(UiText(kMainMessages, kTextLockOk));
}

void CAt88rf020Panel::OnCount() {
    ClearEdits({IDC_AT020_PAGE2_SIGNATURE, IDC_AT020_PAGE2_COUNT});
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const Bytes signature = signature_.GetBytes();
    if (signature.size() != kSignatureSize) {
        cmd.InputError(UiText(kMainMessages, kTextNeedSignature6Bytes));
        return;
    }
    if (!cmd.Call(reader_.rf_at020_count, kDevice, signature.data())) return;
    if (ReadPage(cmd, kCountPage, reader_.rf_at020_read.Name())) cmd.Done(UiText(kMainMessages, kTextCountOk));
}

void CAt88rf020Panel::OnRead() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    ClearEdits(At020ClearedEdits());
    for (int page = 0; page < kAt020Pages; ++page) {
        if (page == kAt020SkippedPage) continue;
        if (!ReadPage(cmd, page, FormatText(UiText(kMainMessages, kTextReadPageError), page))) return;
    }
    cmd.Done(UiText(kMainMessages, kTextReadOk));
}

void CAt88rf020Panel::OnWrite() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    const int page = ListAt(IDC_AT020_PAGE_LIST).Selected();
    if (page < 0) return;
    const auto data = At020WriteData(page, [this](int id) { return HexToBytes(Window(Item(id)).Text()); });
    if (!cmd.Call(reader_.rf_at020_write, kDevice, static_cast<uint8_t>(page), data.data())) return;
    cmd.Done(UiText(kMainMessages, kTextWriteOk));
}

void CAt88rf020Panel::OnDeselect() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (cmd.Call(reader_.rf_at020_deselect, kDevice)) cmd.Done(UiText(kMainMessages, kTextDeselectOk));
}
