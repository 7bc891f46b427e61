#include "vantrel/panels/iso14443b/thr1064_panel.h"

#include <string>

#include "vantrel/panels/iso14443b/thr1064_ids.h"
#include "vantrel/toolkit/field_reset.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr int kSetUpAttempts = 2;
constexpr uint8_t kTypeB = 'B';
constexpr uint8_t kAtqbMode = 0;
constexpr std::size_t kSerialSize = 8;
constexpr std::size_t kKeySize = 8;
constexpr std::size_t kPageSize = 8;
constexpr std::size_t kAnswerSize = 256;
constexpr std::size_t kConfigurationByte = 7;
constexpr int kPages = 4;

// Page edits: page 0, page 1's five pieces, page 2, page 3.
constexpr int kPageEdits[] = {IDC_THR_PAGE0,   IDC_THR_PAGE1_A, IDC_THR_PAGE1_B, IDC_THR_PAGE1_C,
                              IDC_THR_PAGE1_D, IDC_THR_PAGE1_E, IDC_THR_PAGE2,   IDC_THR_PAGE3};
constexpr int kPage1First = 1, kPage1Pieces = 5;
constexpr std::size_t kPageSizes[kPages] = {8, 40, 8, 8};
constexpr int kPageEditIndex[kPages] = {0, kPage1First, 6, 7};
constexpr MainText kNeedPageText[kPages] = {kTextNeedPage0, kTextNeedPage1, kTextNeedPage2, kTextNeedPage3};

constexpr UiString kFreeRead{L"自由读", L"Read"};
constexpr UiString kFreeWrite{L"自由写", L"Write"};

constexpr Caption kCaptions[] = {
    {IDC_THR_SERIAL_LABEL, {L"序列号", L"Serial"}},
    {IDC_THR_SEARCH, {L"寻卡", L"Search card"}},
    {IDC_THR_KEY_LABEL, {L"密  钥", L"key"}},
    {IDC_THR_AUTHENTICATE, {L"认证", L"Authenticate"}},
    {IDC_THR_PAGE_LABEL, {L"页地址", L"Page Address"}},
    {IDC_THR_READ, {L"读", L"Read"}},
    {IDC_THR_WRITE, {L"写", L"Write"}},
    {IDC_THR_P0_READ, kFreeRead},
    {IDC_THR_P0_WRITE, kFreeWrite},
    {IDC_THR_P1_READ, kFreeRead},
    {IDC_THR_P1_WRITE, kFreeWrite},
    {IDC_THR_P2_READ, kFreeRead},
    {IDC_THR_P2_WRITE, kFreeWrite},
    {IDC_THR_P2_KEY, {L"密钥", L"Key"}},
    {IDC_THR_P3_READ, kFreeRead},
    {IDC_THR_P3_WRITE, kFreeWrite},
    {IDC_THR_P3_AUTH_DEC, {L"认证减", L"Auth dec"}},
    {IDC_THR_P3_AUTH_READ, {L"认证读", L"Auth read"}},
    {IDC_THR_P3_AUTH_WRITE, {L"认证写", L"Auth write"}},
};

}  // namespace

CThr1064Panel::CThr1064Panel(PanelContext& context) : WithMessageMap(IDD_THR1064, context) { UseCaptions(kCaptions); }

std::span<const MessageEntry<CThr1064Panel>> CThr1064Panel::Messages() {
    using P = CThr1064Panel;
    static const MessageEntry<P> map[] = {
        OnCommand(IDC_THR_SEARCH, &P::OnSearch),
        OnCommand(IDC_THR_AUTHENTICATE, &P::OnAuthenticate),
        OnCommand(IDC_THR_READ, &P::OnRead),
        OnCommand(IDC_THR_WRITE, &P::OnWrite),
    };
    return map;
}

BOOL CThr1064Panel::OnInitDialog() {
    CardPanelBase::OnInitDialog();
    for (auto [edit, id] : {std::pair{&serial_, IDC_THR_SERIAL}, std::pair{&key_, IDC_THR_KEY}}) {
        Bind(*edit, id);
        edit->SetByteLimit(kKeySize);
        UseHexFont(*edit);
    }
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        Bind(pages_[i], kPageEdits[i]);
        pages_[i].SetByteLimit(kPageSize);
        UseHexFont(pages_[i]);
    }
    const auto boxes = ClearedThr1064Boxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) Bind(boxes_[i], boxes[i].id);
    for (int id : {IDC_THR_SEARCH, IDC_THR_AUTHENTICATE, IDC_THR_READ, IDC_THR_WRITE}) BindItem(id);

    std::vector<NumberedItem> pages;
    for (int page = 0; page < kPages; ++page) pages.push_back({FormatText(L"Page%d", page), page});
    NumberList pageList;
    Bind(pageList, IDC_THR_PAGE_LIST);
    pageList.Fill(pages, 0);
    SetContentHeightToClient();
    return TRUE;
}

void CThr1064Panel::ShowBoxes(const std::array<Thr1064Box, kThr1064BoxCount>& boxes) {
    for (const Thr1064Box& box : boxes) SetChecked(box.id, box.checked);
}

bool CThr1064Panel::SetUpField(Command& cmd) {
    for (int attempt = 0; attempt < kSetUpAttempts; ++attempt) {
        if (ResetField(cmd, kStandardFieldWaits, kTypeB)) return true;
    }
    return false;
}

void CThr1064Panel::OnSearch() {
    for (ByteTextEdit& page : pages_) page.Clear();
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!SetUpField(cmd)) {
        serial_.Clear();
        return;
    }
    std::array<uint8_t, kAnswerSize> answer{};
    uint8_t length = 0;
    if (!cmd.Call(reader_.rf_atqb, kDevice, kAtqbMode, answer.data(), &length)) {
        serial_.Clear();
        return;
    }
    if (length < kSerialSize) {
        serial_.Clear();
        cmd.FailedAnswer(reader_.rf_atqb);
        return;
    }
    serial_.SetBytes(answer.data(), kSerialSize);
    cmd.Done(UiText(kMainMessages, kTextFindCardOk));
}

void CThr1064Panel::OnAuthenticate() {
    Command cmd(context_, hwnd_, false);
    if (key_.ByteCount() != kKeySize) {
        cmd.InputError(UiText(kMainMessages, kTextNeedKey8Bytes));
        return;
    }
    const Bytes key = key_.GetBytes();
    if (!cmd.Call(reader_.rf_thr1064_check, kDevice, key.data())) return;
    cmd.Done(UiText(kMainMessages, kTextAuthenticateOk));
}

void CThr1064Panel::ForgetPage(int page) {
    if (page == 0) {
        pages_[0].Clear();
        ShowBoxes(ClearedThr1064Boxes());
    } else if (page == 1) {
        for (int i = 0; i < kPage1Pieces; ++i) pages_[kPage1First + i].Clear();
    }
}

void CThr1064Panel::OnRead() {
    Command cmd(context_, hwnd_, false);
    const int page = ListAt(IDC_THR_PAGE_LIST).Selected();
    if (page < 0 || page >= kPages) return;
    std::array<uint8_t, kAnswerSize> answer{};
    uint8_t length = 0;
    const int32_t status =
        cmd.CallQuietly(reader_.rf_thr1064_read, kDevice, static_cast<uint8_t>(page), answer.data(), &length);
    if (status != 0) {
        ForgetPage(page);
        cmd.Failed(status, reader_.rf_thr1064_read.Name());
        return;
    }
    // A successful call with an answer of another size shows none of it.
    if (length != kPageSizes[page]) {
        ForgetPage(page);
        cmd.FailedAnswer(reader_.rf_thr1064_read);
        return;
    }
    for (std::size_t offset = 0, i = kPageEditIndex[page]; offset < length; offset += kPageSize, ++i) {
        pages_[i].SetBytes(answer.data() + offset, kPageSize);
    }
    if (page == 0) ShowBoxes(DecodeThr1064Configuration(answer[kConfigurationByte]));
    cmd.Done(UiText(kMainMessages, kTextSuccess));
}

void CThr1064Panel::OnWrite() {
    Command cmd(context_, hwnd_, false);
    const int page = ListAt(IDC_THR_PAGE_LIST).Selected();
    if (page < 0 || page >= kPages) return;
    const int first = kPageEditIndex[page];
    const int pieces = page == 1 ? kPage1Pieces : 1;
    std::size_t count = 0;
    Bytes data;
    for (int i = first; i < first + pieces; ++i) {
        count += pages_[i].ByteCount();
        const Bytes piece = pages_[i].GetBytes();
        data.insert(data.end(), piece.begin(), piece.end());
    }
    if (count != kPageSizes[page] || data.size() != kPageSizes[page]) {
        cmd.InputError(UiText(kMainMessages, kNeedPageText[page]));
        return;
    }
    if (!cmd.Call(reader_.rf_thr1064_write, kDevice, static_cast<uint8_t>(page), data.data(),
                  static_cast<uint8_t>(data.size()))) {
        return;
    }
    cmd.Done(UiText(kMainMessages, kTextSuccess));
}
