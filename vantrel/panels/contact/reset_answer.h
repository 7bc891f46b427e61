// Reading a contact card's or SAM's answer to reset into its edit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/command_console_panel.h"
#include "vantrel/toolkit/result_report.h"

// TS and T0 at least.
inline constexpr std::size_t kShortestResetAnswer = 2;

// Calls `rst`(0, buffer, length) and shows the answer in `info`; a shorter
// answer than any card gives is reported as an error and not shown.
template <typename Fn>
bool ShowResetAnswer(Command& cmd, const Fn& rst, ByteTextEdit& info) {
    std::array<uint8_t, kAnswerBufferSize> answer{};
    uint8_t length = 0;
    if (!cmd.Call(rst, kDevice, answer.data(), &length)) return false;
    if (length < kShortestResetAnswer) {
        cmd.FailedAnswer(rst);
        return false;
    }
    info.SetBytes(answer.data(), length);
    return true;
}
