#include "vantrel/panels/connection/device_page.h"

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "common/calendar.h"
#include "vantrel/framework/common_controls.h"
#include "vantrel/panels/connection/device_page_ids.h"
#include "vantrel/toolkit/first_choice.h"
#include "vantrel/toolkit/result_report.h"

namespace {

constexpr std::size_t kAnswerBufferSize = 1024;
constexpr std::size_t kClockBytes = 7;

// Day of the week of a calendar date, Sunday = 0.
int DayOfWeek(const SYSTEMTIME& date) { return calendar::Weekday({date.wYear, date.wMonth, date.wDay}) % 7; }

std::wstring TextOfModel(const std::string& model) {
    std::wstring text;
    for (char c : model) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::optional<uint16_t> ParsePortNumber(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(L" \t");
    uint32_t value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const wchar_t c = text[i];
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - L'0');
        if (value > 0xFFFF) return std::nullopt;
    }
    return static_cast<uint16_t>(value);
}

CDevicePage::CDevicePage(PanelContext& context) : WithMessageMap(IDD_DEVICE_PAGE, context) {
    UseCaptions(DevicePageCaptions());
}

std::span<const MessageEntry<CDevicePage>> CDevicePage::Messages() {
    static const MessageEntry<CDevicePage> map[] = {
        OnCommand(IDC_DEV_CONNECT, &CDevicePage::OnConnect),
        OnCommand(IDC_DEV_GET_INFO, &CDevicePage::OnGetInformation),
        OnCommand(IDC_DEV_NUMBER_READ, &CDevicePage::OnReadDeviceNumber),
        OnCommand(IDC_DEV_NUMBER_WRITE, &CDevicePage::OnWriteDeviceNumber),
        OnCommand(IDC_DEV_BEEP_SEND, &CDevicePage::OnBeep),
        OnCommand(IDC_DEV_ANTENNA_SEND, &CDevicePage::OnAntenna),
        OnCommand(IDC_DEV_LIGHT_SEND, &CDevicePage::OnLight),
        OnCommand(IDC_DEV_CLOCK_READ, &CDevicePage::OnReadClock),
        OnCommand(IDC_DEV_CLOCK_WRITE, &CDevicePage::OnWriteClock),
        OnNotify(IDC_DEV_CLOCK_DATE, DTN_DATETIMECHANGE, &CDevicePage::OnDateChanged),
        OnNotify(IDC_DEV_CLOCK_TIME, DTN_DATETIMECHANGE, &CDevicePage::OnTimeChanged),
    };
    return map;
}

BOOL CDevicePage::OnInitDialog() {
    CardPanelBase::OnInitDialog();

    IpAddressControl(Item(IDC_DEV_ADDRESS)).SetAddress(kDefaultReaderAddress);
    SetDlgItemInt(hwnd_, IDC_DEV_PORT, kDefaultReaderPort, TRUE);

    BindItem(IDC_DEV_COLOUR);
    std::vector<NumberedItem> colours;
    for (std::size_t i = 0; i < kLedColourNames.size(); ++i) colours.push_back({kLedColourNames[i], static_cast<int>(i)});
    ListAt(IDC_DEV_COLOUR).Fill(colours, 0);
    CheckFirstChoice(Item(IDC_DEV_ANTENNA_ON));

    Bind(modelEdit_, IDC_DEV_MODEL);
    modelEdit_.SetReadOnly();
    Bind(versionEdit_, IDC_DEV_VERSION);
    versionEdit_.SetReadOnly();
    Bind(deviceNumberEdit_, IDC_DEV_NUMBER);
    deviceNumberEdit_.SetByteLimit(kDeviceNumberBytes);
    Bind(beepTimeEdit_, IDC_DEV_BEEP_TIME);
    beepTimeEdit_.SetByteLimit(kBeepTimeBytes);

    const SYSTEMTIME now = context_.services.LocalTime();
    SetPickerTime(IDC_DEV_CLOCK_DATE, now);
    SetPickerTime(IDC_DEV_CLOCK_TIME, now);
    ShowWeekday(WeekdayNumber(now.wDayOfWeek));

    ReplaceGroupBoxes({IDC_DEV_PORT_GROUP, IDC_DEV_INFO_GROUP, IDC_DEV_LIGHT_GROUP,
                       IDC_DEV_NUMBER_GROUP, IDC_DEV_BEEP_GROUP, IDC_DEV_ANTENNA_GROUP,
                       IDC_DEV_CLOCK_GROUP, IDC_DEV_SUPPORT_GROUP});
    for (std::size_t i = 0; i < cardBoxes_.size(); ++i) {
        Bind(cardBoxes_[i], kFirstSupportedCardId + static_cast<int>(i));
    }
    SetContentHeightToClient();
    return TRUE;
}

void CDevicePage::OnConnect() {
    Command cmd(context_, hwnd_);
    // Checked before anything changes: a bad port leaves the target and an
    // open connection as they are.
    const std::optional<uint16_t> port = ParsePortNumber(Window(Item(IDC_DEV_PORT)).Text());
    if (!port) {
        cmd.InputError(UiText(kNeedPortNumberText));
        return;
    }

    // 0.0.0.0 (any port) is the library's built-in virtual reader.
    const DWORD address = IpAddressControl(Item(IDC_DEV_ADDRESS)).Address();
    ReaderConnection& connection = context_.connection;
    connection.address[0] = static_cast<uint16_t>(FIRST_IPADDRESS(address));
    connection.address[1] = static_cast<uint16_t>(SECOND_IPADDRESS(address));
    connection.address[2] = static_cast<uint16_t>(THIRD_IPADDRESS(address));
    connection.address[3] = static_cast<uint16_t>(FOURTH_IPADDRESS(address));
    connection.port = *port;

    if (connection.open) {
        cmd.CloseConnection();
        cmd.Failed(UiText(kMainMessages, kTextConnectFailed));
    }

    const int32_t status = cmd.CallQuietly(reader_.rf_init_com, connection.port, connection.address);
    if (status != 0) {
        cmd.CloseConnection();
        ReportResult(context_.services, status, reader_.rf_init_com.Name());
        return;
    }
    connection.open = true;
    context_.services.ShowConnectionTarget();
    cmd.Done(UiText(kMainMessages, kTextConnectOk));
}

void CDevicePage::OnGetInformation() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;

    std::array<uint8_t, kAnswerBufferSize> buffer{};
    uint8_t length = 0;
    if (!cmd.Call(reader_.rf_get_model, kDevice, buffer.data(), &length)) return;
    buffer[length] = 0;
    const std::string model = ModelTextFromAnswer(buffer, length);
    modelEdit_.SetText(TextOfModel(model));
    ShowSupportedCards(SupportedCardBoxes(model));

    uint32_t version = 0;
    if (!cmd.Call(reader_.lib_ver, &version)) return;
    versionEdit_.SetText(LibraryVersionText(version));
    cmd.Done(UiText(kMainMessages, kTextGetProductInfoOk));
}

void CDevicePage::OnReadDeviceNumber() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;

    std::array<uint8_t, kDeviceNumberBytes> number{};
    if (!cmd.Call(reader_.rf_get_device_number, number.data())) return;
    deviceNumberEdit_.SetBytes(number.data(), number.size());
    cmd.Done(UiText(kMainMessages, kTextReadDeviceNumberOk));
}

void CDevicePage::OnWriteDeviceNumber() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;

    const Bytes bytes = deviceNumberEdit_.GetBytes();
    const std::optional<uint16_t> number = DeviceNumberFromBytes(bytes);
    if (!number) {
        cmd.InputError(UiText(kMainMessages, kTextNeedDeviceNumber2Bytes));
        return;
    }
    if (!cmd.Call(reader_.rf_init_device_number, *number)) return;
    cmd.Done(UiText(kMainMessages, kTextWriteDeviceNumberOk));
}

void CDevicePage::OnBeep() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;

    const Bytes time = beepTimeEdit_.GetBytes();
    if (!time.empty() && !cmd.Call(reader_.rf_beep, kDevice, time[0])) return;
    cmd.Done(UiText(kMainMessages, kTextBeepOk));
}

void CDevicePage::OnAntenna() {
    const uint8_t state = IsChecked(IDC_DEV_ANTENNA_ON) ? 1 : 0;
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;

    if (!cmd.Call(reader_.rf_antenna_sta, kDevice, state)) return;
    cmd.Done(UiText(kMainMessages, kTextAntennaOk));
}

void CDevicePage::OnLight() {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;

    const int colour = ListAt(IDC_DEV_COLOUR).Selected();
    if (!cmd.Call(reader_.rf_light, kDevice, static_cast<uint8_t>(colour < 0 ? 0 : colour))) return;
    cmd.Done(UiText(kMainMessages, kTextLightOk));
}

void CDevicePage::OnReadClock() {
    Command cmd(context_, hwnd_);
    std::array<uint8_t, kAnswerBufferSize> buffer{};
    uint8_t length = 0;
    if (!cmd.Call(reader_.ReadTime, kDevice, buffer.data(), &length)) return;

    // A short or garbled answer names no date: the pickers keep theirs.
    const std::optional<ClockTime> answer =
        ClockFromAnswer(std::span<const uint8_t>(buffer.data(), length));
    if (!answer) {
        cmd.Failed(UiText(kBadClockAnswerText));
        return;
    }
    const ClockTime& time = *answer;
    SYSTEMTIME clock{};
    clock.wYear = static_cast<WORD>(time.year);
    clock.wMonth = static_cast<WORD>(time.month);
    clock.wDay = static_cast<WORD>(time.day);
    clock.wHour = static_cast<WORD>(time.hour);
    clock.wMinute = static_cast<WORD>(time.minute);
    clock.wSecond = static_cast<WORD>(time.second);
    clock.wDayOfWeek = static_cast<WORD>(DayOfWeek(clock));
    SetPickerTime(IDC_DEV_CLOCK_DATE, clock);
    SetPickerTime(IDC_DEV_CLOCK_TIME, clock);
    ShowWeekday(time.weekday);
}

void CDevicePage::OnWriteClock() {
    const SYSTEMTIME date = PickerTime(IDC_DEV_CLOCK_DATE);
    const SYSTEMTIME clock = PickerTime(IDC_DEV_CLOCK_TIME);
    const ClockTime time{date.wYear,   date.wMonth,   date.wDay, WeekdayNumber(DayOfWeek(date)),
                         clock.wHour, clock.wMinute, clock.wSecond};
    const std::array<uint8_t, kClockBytes> bytes = EncodeClock(time);

    Command cmd(context_, hwnd_);
    cmd.Call(reader_.WriteTime, kDevice, bytes.data());
}

LRESULT CDevicePage::OnDateChanged(NMHDR*) {
    ShowWeekday(WeekdayNumber(DayOfWeek(PickerTime(IDC_DEV_CLOCK_DATE))));
    return 0;
}

void CDevicePage::ShowSupportedCards(const SupportedCards& boxes) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        SetChecked(kFirstSupportedCardId + static_cast<int>(i), boxes[i]);
    }
}

void CDevicePage::ShowWeekday(int weekdayNumber) {
    Window(Item(IDC_DEV_WEEKDAY)).SetText(WeekdayText(weekdayNumber));
}

SYSTEMTIME CDevicePage::PickerTime(int id) const { return DateTimePicker(Item(id)).Time(); }

void CDevicePage::SetPickerTime(int id, const SYSTEMTIME& time) { DateTimePicker(Item(id)).SetTime(time); }
