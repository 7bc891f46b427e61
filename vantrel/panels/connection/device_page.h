// The device page: connects to the reader and drives the reader's own
// functions (product information, device number, beeper, antenna, LED colour
// and clock).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "vantrel/framework/message_map.h"
#include "vantrel/framework/subclass.h"
#include "vantrel/panels/connection/device_page_logic.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/display_only_box.h"


// A port number as typed: a whole number 0..65535, blanks around it allowed.
std::optional<uint16_t> ParsePortNumber(const std::wstring& text);

class CDevicePage : public WithMessageMap<CDevicePage, CardPanelBase> {
public:
    explicit CDevicePage(PanelContext& context);

    static std::span<const MessageEntry<CDevicePage>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnConnect();
    void OnGetInformation();
    void OnReadDeviceNumber();
    void OnWriteDeviceNumber();
    void OnBeep();
    void OnAntenna();
    void OnLight();
    void OnReadClock();
    void OnWriteClock();
    LRESULT OnDateChanged(NMHDR*);
    LRESULT OnTimeChanged(NMHDR*) { return 0; }

    void ShowSupportedCards(const SupportedCards& boxes);
    void ShowWeekday(int weekdayNumber);
    SYSTEMTIME PickerTime(int id) const;
    void SetPickerTime(int id, const SYSTEMTIME& time);

    ByteTextEdit modelEdit_;
    ByteTextEdit versionEdit_;
    ByteTextEdit deviceNumberEdit_;
    ByteTextEdit beepTimeEdit_;
    std::array<DisplayOnlyBox, kSupportedCardCount> cardBoxes_;
};
