// The AT88RF020 panel: the type B tag search showing the PUPI, the password
// check, the lock bytes, the count with its signature, reading every page
// but the password page, writing one page and deselecting.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "vantrel/panels/iso14443b/at88rf020_ids.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/result_report.h"

class CAt88rf020Panel : public WithMessageMap<CAt88rf020Panel, CardPanelBase> {
public:
    CAt88rf020Panel(PanelContext& context, int templateId = IDD_AT88RF020);

    static std::span<const MessageEntry<CAt88rf020Panel>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnReqB();
    void OnCheck();
    void OnLock();
    void OnCount();
    void OnRead();
    void OnWrite();
    void OnDeselect();

    bool SearchOnce(Command& cmd);
    // Reads `page` into its edits; false, reported, on a failed or short read.
    bool ReadPage(Command& cmd, int page, const std::wstring& failureText);
    void ClearEdits(const std::vector<int>& ids);
    void SetUpHexEdit(ByteTextEdit& edit, int id, std::size_t bytes);

    ByteTextEdit pupi_;
    ByteTextEdit password_;
    ByteTextEdit lock_;
    ByteTextEdit signature_;
    std::vector<std::unique_ptr<ByteTextEdit>> pages_;
};
