#include "vantrel/toolkit/status_hints.h"

#include <algorithm>

namespace {

constexpr HintRow kLibraryStatuses[] = {
    {0x00, {L"调用成功。", L"The call succeeded."}},
    {0x01,
     {L"未打开与读写器的连接：请先连接（设置菜单的 Connect 或 Port Set）。",
      L"No connection to the reader is open: connect first (Connect or Port Set in the Set menu)."}},
    {0x02,
     {L"库拒绝了一个参数：缓冲区为空，或块号、页号、地址、长度、模式超出范围。",
      L"The library refused an argument: a missing buffer, or a block, page, address, length or mode out of "
      L"range."}},
    {0x03,
     {L"读写器不支持此功能，或在当前射频模式下不支持。",
      L"The reader does not offer this function, or not in its current RF mode."}},
    {0x04,
     {L"无法在此地址和端口连接读写器：请检查地址、端口以及读写器是否已启动。",
      L"The reader could not be reached at this address and port: check both, and that the reader is on."}},
    {0x05,
     {L"读写器无法保存卡映像或设置；原有内容保持不变。",
      L"The reader could not save a card image or a setting; what it held before is kept."}},
    {0x06,
     {L"日期或时间无效：BCD 数字错误或日期不存在。",
      L"The date or time is not valid: a digit is not BCD, or the date does not exist."}},
    {0x07,
     {L"读写器不再应答或连接已中断；连接已关闭，请重新连接。",
      L"The reader stopped answering or the connection dropped; the connection is closed: connect again."}},
    {0x08,
     {L"读写器的应答格式错误；连接已关闭，请重新连接。",
      L"The reader's answer was malformed; the connection is closed: connect again."}},
    {0x09,
     {L"读写器正忙或不可用：请稍后再试。",
      L"The reader is busy or unavailable: try again in a moment."}},
    {0x10,
     {L"没有卡应答：请把卡放入场内，检查天线已打开、射频模式与卡相符。",
      L"No card answered: put a card in the field, and check that the antenna is on and the RF mode suits the "
      L"card."}},
    {0x11, {L"密钥或密码错误：卡拒绝了验证。", L"Wrong key or password: the card refused the authentication."}},
    {0x12,
     {L"卡的访问条件或锁定位禁止此操作。", L"The card's access conditions or lock bits forbid this operation."}},
    {0x13,
     {L"该块不是钱包（值块）格式：请先初始化钱包。",
      L"The block is not in value-block format: initialise it as a purse first."}},
    {0x14,
     {L"结果会超出钱包的取值范围（32 位有符号数）。",
      L"The result would leave the purse's range (a 32-bit signed value)."}},
    {0x15, {L"访问此块或此页前需要先验证。", L"This block or page needs an authentication first."}},
    {0x16,
     {L"没有选中的卡：请先寻卡（请求并选择）；已休眠的卡需要唤醒。",
      L"No card is selected: search for it first (request and select); a halted card must be woken."}},
    {0x17,
     {L"卡拒绝了此命令（命令未知或帧错误）。", L"The card refused the command (an unknown command or a bad frame)."}},
    {0x18,
     {L"多张卡同时应答：场内只留一张卡。", L"More than one card answered at once: leave one card in the field."}},
    {0x19,
     {L"卡对原始帧的应答 CRC 校验失败：请放稳卡片后重发。",
      L"The answer to a raw frame failed its CRC check: hold the card still and send the frame again."}},
    {-2,
     {L"所加载的读写器库没有提供此函数。", L"The reader library that is loaded does not provide this function."}},
};

constexpr UiString kUnknownStatus{L"程序不认识的状态；请查阅读写器的说明。",
                                  L"A status this program does not know; the reader's manual may explain it."};

constexpr HintRow kStatusWords[] = {
    {0x6281, {L"警告：返回的数据可能已损坏。", L"Warning: part of the returned data may be corrupted."}},
    {0x6282,
     {L"警告：在读到要求的长度之前已到文件或记录的末尾。",
      L"Warning: the end of the file or record came before the length asked for."}},
    {0x6283, {L"警告：所选文件已失效。", L"Warning: the selected file is deactivated."}},
    {0x6300, {L"验证失败。", L"Verification failed."}},
    {0x6581, {L"存储器故障：写入没有成功。", L"Memory failure: the write did not succeed."}},
    {0x6700, {L"长度错误（Lc 或 Le）。", L"Wrong length (Lc or Le)."}},
    {0x6881, {L"不支持逻辑通道。", L"Logical channels are not supported."}},
    {0x6882, {L"不支持安全报文。", L"Secure messaging is not supported."}},
    {0x6981, {L"命令与文件结构不相容。", L"The command does not suit the file's structure."}},
    {0x6982,
     {L"安全状态不满足：请先校验 PIN 或进行外部认证。",
      L"Security status not satisfied: verify the PIN or authenticate first."}},
    {0x6983, {L"认证方法已锁定。", L"The authentication method is blocked."}},
    {0x6984, {L"引用的数据不可用（已失效）。", L"The referenced data is not usable (invalidated)."}},
    {0x6985, {L"使用条件不满足。", L"Conditions of use not satisfied."}},
    {0x6986, {L"不允许此命令：没有当前的基本文件。", L"Command not allowed: no elementary file is selected."}},
    {0x6A80, {L"数据域中的参数不正确。", L"Wrong parameters in the data field."}},
    {0x6A81, {L"不支持此功能。", L"The function is not supported."}},
    {0x6A82, {L"未找到文件或应用。", L"File or application not found."}},
    {0x6A83, {L"未找到记录。", L"Record not found."}},
    {0x6A84, {L"文件中没有足够的存储空间。", L"Not enough memory space in the file."}},
    {0x6A85, {L"Lc 与 TLV 结构不一致。", L"Lc does not match the TLV structure."}},
    {0x6A86, {L"参数 P1、P2 不正确。", L"Wrong parameters P1-P2."}},
    {0x6A87, {L"Lc 与 P1、P2 不一致。", L"Lc does not match P1-P2."}},
    {0x6A88, {L"未找到引用的数据。", L"The referenced data was not found."}},
    {0x6B00, {L"参数 P1、P2 错误（偏移超出文件）。", L"Wrong parameters P1-P2 (an offset beyond the file)."}},
    {0x6D00, {L"指令码不支持或无效。", L"The instruction code is not supported or not valid."}},
    {0x6E00, {L"不支持此类别（CLA）。", L"The class (CLA) is not supported."}},
    {0x6F00, {L"卡报告内部错误，没有精确诊断。", L"The card reported an error without a precise diagnosis."}},
    {0x9000, {L"成功。", L"Success."}},
};

constexpr HintRow kCountedStatusWords[] = {
    {0x6100,
     {L"命令已完成；还有 %d 个字节可取（GET RESPONSE）。",
      L"Done; bytes waiting: %d (GET RESPONSE fetches them)."}},
    {0x63C0, {L"验证失败：还剩 %d 次尝试。", L"Verification failed; tries left: %d."}},
    {0x6C00,
     {L"Le 错误：卡正好有 %d 个字节，请用此长度重发。",
      L"Wrong Le; bytes available: %d. Send the command again with that length."}},
};

// By SW1 alone, for the status words no row above names.
constexpr HintRow kStatusWordClasses[] = {
    {0x62, {L"警告：非易失存储器未改变。", L"Warning: the card's memory is unchanged."}},
    {0x63, {L"警告：非易失存储器已改变。", L"Warning: the card's memory has changed."}},
    {0x64, {L"执行错误：非易失存储器未改变。", L"Execution error: the card's memory is unchanged."}},
    {0x65, {L"执行错误：非易失存储器已改变。", L"Execution error: the card's memory has changed."}},
    {0x67, {L"长度错误。", L"Wrong length."}},
    {0x68, {L"不支持 CLA 中的功能。", L"A function named in CLA is not supported."}},
    {0x69, {L"不允许此命令。", L"Command not allowed."}},
    {0x6A, {L"参数 P1、P2 错误。", L"Wrong parameters P1-P2."}},
};

constexpr HintRow kDesfireStatuses[] = {
    {0x00, {L"成功。", L"Success."}},
    {0x0C, {L"备份文件没有改动，无需提交或放弃。", L"No changes to backup files: nothing to commit or abort."}},
    {0x0E, {L"卡上存储空间不足。", L"Not enough memory left on the card."}},
    {0x1C, {L"不支持此命令码。", L"The command code is not supported."}},
    {0x1E, {L"CRC 或 MAC 与数据不符，或填充字节无效。", L"The CRC or MAC does not match the data, or the padding is wrong."}},
    {0x40, {L"密钥号无效。", L"No such key number."}},
    {0x7E, {L"命令的长度无效。", L"The command's length is not valid."}},
    {0x9D, {L"当前配置或状态不允许此命令。", L"The current configuration or state does not allow this command."}},
    {0x9E, {L"参数值无效。", L"A parameter's value is not valid."}},
    {0xA0, {L"未找到所请求的应用。", L"The application asked for was not found."}},
    {0xA1, {L"应用内部出现不可恢复的错误；该应用将被禁用。", L"An unrecoverable error in the application; it will be disabled."}},
    {0xAE, {L"当前的认证状态不允许此命令：请先认证。", L"The current authentication does not allow this command: authenticate first."}},
    {0xAF, {L"还有数据：发送附加帧命令（AF）取下一帧。", L"More data follows: send the additional-frame command (AF) for the next frame."}},
    {0xBE, {L"读写超出了文件或记录的边界。", L"A read or write beyond the limits of the file or record."}},
    {0xC1, {L"卡内部出现不可恢复的错误；卡将被禁用。", L"An unrecoverable error in the card; the card will be disabled."}},
    {0xCA, {L"上一条命令没有完成：并非所有帧都已收发。", L"The previous command was not completed: not every frame was sent or asked for."}},
    {0xCD, {L"卡已因不可恢复的错误被禁用。", L"The card was disabled by an unrecoverable error."}},
    {0xDE, {L"此编号的文件或应用已经存在。", L"A file or application with this number already exists."}},
    {0xEE, {L"非易失存储器故障，操作未能完成。", L"A failure of the card's memory stopped the operation."}},
    {0xF0, {L"指定的文件号不存在。", L"No file has this number."}},
    {0xF1, {L"文件内部出现不可恢复的错误；该文件将被禁用。", L"An unrecoverable error in the file; it will be disabled."}},
};

constexpr HintRow kIso15693Errors[] = {
    {0x01, {L"标签不支持此命令。", L"The tag does not support this command."}},
    {0x02, {L"标签无法识别此命令（格式错误）。", L"The tag did not recognise the command (a format error)."}},
    {0x03, {L"标签不支持此命令选项。", L"The tag does not support this command option."}},
    {0x0F, {L"未知错误。", L"An error the tag does not name."}},
    {0x10, {L"指定的块不存在。", L"The block named does not exist."}},
    {0x11, {L"指定的块已经锁定，不能再次锁定。", L"The block named is locked already and cannot be locked again."}},
    {0x12, {L"指定的块已锁定，内容不能修改。", L"The block named is locked: its content cannot change."}},
    {0x13, {L"指定的块没有写入成功。", L"The block named was not written."}},
    {0x14, {L"指定的块没有锁定成功。", L"The block named was not locked."}},
};

constexpr uint8_t kDesfireWrapped = 0x91;
constexpr uint8_t kIso15693ErrorFlag = 0x01;

const wchar_t* In(const UiString& text, int language) {
    return language == kLanguageChinese ? text.chinese : text.english;
}

const HintRow* Find(std::span<const HintRow> rows, int32_t code) {
    const auto found = std::find_if(rows.begin(), rows.end(), [code](const HintRow& row) { return row.code == code; });
    return found != rows.end() ? &*found : nullptr;
}

std::wstring TextOf(const HintRow* row, int language) { return row != nullptr ? In(row->text, language) : L""; }

std::wstring StatusWordHint(uint8_t sw1, uint8_t sw2, int language) {
    if (sw1 == kDesfireWrapped) return TextOf(Find(kDesfireStatuses, sw2), language);
    if (const HintRow* row = Find(kStatusWords, sw1 << 8 | sw2)) return In(row->text, language);
    for (const HintRow& row : kCountedStatusWords) {
        const int low = row.code & 0xFF;
        const int fixed = low != 0 ? 0xF0 : 0x00;
        if ((row.code >> 8) != sw1 || (sw2 & fixed) != low) continue;
        // 61xx and 6Cxx count bytes (00 is 256); 63Cx counts tries.
        const int count = low != 0 ? sw2 & 0x0F : (sw2 == 0 ? 256 : sw2);
        return FormatText(In(row.text, language), count);
    }
    return TextOf(Find(kStatusWordClasses, sw1), language);
}

}  // namespace

std::span<const HintRow> LibraryStatusHints() { return kLibraryStatuses; }
std::span<const HintRow> StatusWordHints() { return kStatusWords; }
std::span<const HintRow> CountedStatusWordHints() { return kCountedStatusWords; }
std::span<const HintRow> DesfireStatusHints() { return kDesfireStatuses; }
std::span<const HintRow> Iso15693ErrorHints() { return kIso15693Errors; }

std::wstring StatusHint(int32_t status, int language) {
    const HintRow* row = Find(kLibraryStatuses, status);
    return In(row != nullptr ? row->text : kUnknownStatus, language);
}

std::wstring AnswerHint(AnswerForm form, std::span<const uint8_t> answer, int language) {
    const size_t size = answer.size();
    switch (form) {
        case AnswerForm::None:
            return L"";
        case AnswerForm::StatusWord:
            return size >= 2 ? StatusWordHint(answer[size - 2], answer[size - 1], language) : L"";
        case AnswerForm::DesfireNative:
            // A wrapped command's answer ends in 91xx; a native one starts with its status.
            if (size >= 2 && answer[size - 2] == kDesfireWrapped) {
                if (const HintRow* row = Find(kDesfireStatuses, answer[size - 1])) return In(row->text, language);
            }
            return size >= 1 ? TextOf(Find(kDesfireStatuses, answer[0]), language) : L"";
        case AnswerForm::Iso15693:
            return size >= 2 && (answer[0] & kIso15693ErrorFlag) != 0 ? TextOf(Find(kIso15693Errors, answer[1]), language)
                                                                       : L"";
    }
    return L"";
}
