#include "vantrel/toolkit/ui_text.h"

#include <cassert>
#include <cwchar>
#include <iterator>
#include <vector>

namespace {

constexpr const wchar_t* kMainChinese[] = {
    L"呼叫成功",  // 0
    L"呼叫失败,   错误代码：0x%02x",  // 1
    L"设备正在连接中....",  // 2
    L"操作成功",  // 3
    L" ,函数: ",  // 4
    L"端口未打开",  // 5
    L"寻卡操作成功",  // 6
    L"请在密钥区输入6个字节的密钥",  // 7
    L"请在数据区输入数据",  // 8
    L"初始化钱包操作成功",  // 9
    L"充值操作成功",  // 10
    L"扣款操作成功",  // 11
    L"读余款操作成功",  // 12
    L"读卡操作成功",  // 13
    L"你确实需要写入第3块号的数据吗?此操作有可能造成卡的不可用!",  // 14
    L"写卡操作成功",  // 15
    L"内存不足",  // 16
    L"没有修改数据",  // 17
    L"数据失败",  // 18
    L"请在密码区输满8个字节的密码!",  // 19
    L"验证操作成功",  // 20
    L"请在LOCK区输满4个字节!",  // 21
    L"LOCK操作成功",  // 22
    L"请在签名区输满6个字节!",  // 23
    L"记数操作成功",  // 24
    L"读Page: %d 页发生错误!",  // 25
    L"DESELECT操作成功",  // 26
    L"Gc区需要8个Bytes!!",  // 27
    L"Q0区需要8个Bytes!!",  // 28
    L"Configuration zone需要3个Byte 的密码!!",  // 29
    L"没有修改数据",  // 30
    L"cos命令不得少于5字节!",  // 31
    L"复位操作成功",  // 32
    L"UID的值不是8个Byte,请检查数据的正确性!",  // 33
    L"Get Information操作成功",  // 34
    L"DSFID的值不能为空!",  // 35
    L"ISO15693_Write_DSFID操作成功",  // 36
    L"ISO15693_Lock_DSFID 操作成功",  // 37
    L"AFI的值不能为空!",  // 38
    L"ISO15693_Write_AFI 操作成功",  // 39
    L"ISO15693_Lock_AFI 操作成功",  // 40
    L"ISO15693_Inventorys操作成功",  // 41
    L"发送操作成功",  // 42
    L"请在密钥区需要有8或16个字节的密文",  // 43
    L"数据区数据长度必需8个字节的整数倍",  // 44
    L"确实要修改密码吗?",  // 45
    L"请输入密码",  // 46
    L"星期 %d ",  // 47
    L"连接设备失败",  // 48
    L"连接操作成功",  // 49
    L"读取产品信息操作成功",  // 50
    L"读取设备标记操作成功",  // 51
    L"请输满2个字节的设备标记",  // 52
    L"写入设备标记操作成功",  // 53
    L"设置蜂鸣时间操作成功",  // 54
    L"设置天线状态操作成功",  // 55
    L"设置指示灯颜色操作成功",  // 56
    L"读Block: %d 页发生错误!",  // 57
    L"你确定需要进行块锁定操作?",  // 58
    L"块锁定操作成功",  // 59
    L"读取UID成功",  // 60
    L"Srf55vp_Read 操作成功",  // 61
    L"Srf55vp_Write_Reread 操作成功",  // 62
    L"断开操作成功",  // 63
    L"打开端口连接失败",  // 64
    L"Page0数据区需要8个Bytes!",  // 65
    L"Page1数据区需要40个Bytes!",  // 66
    L"Page2数据区需要8个Bytes!",  // 67
    L"Page3数据区需要8个Bytes!",  // 68
};

constexpr const wchar_t* kMainEnglish[] = {
    L"Communication successful",  // 0
    L"Communication failed,   Error Code：0x%02x",  // 1
    L"Connecting",  // 2
    L"Communication successful",  // 3
    L" ,function: ",  // 4
    L"Port did't opened",  // 5
    L"OK",  // 6
    L"Input 6 bytes in key text please!",  // 7
    L"Input date please!",  // 8
    L"OK",  // 9
    L"OK",  // 10
    L"OK",  // 11
    L"OK",  // 12
    L"OK",  // 13
    L"Be sure to write block3!",  // 14
    L"OK",  // 15
    L"Not Enough Memory",  // 16
    L"No change data",  // 17
    L"Failed",  // 18
    L"Input 8 byte in key text please!",  // 19
    L"OK",  // 20
    L"Input 4 byte in Lock text please!",  // 21
    L"OK",  // 22
    L"Input 6 byte in Signature text please!",  // 23
    L"OK",  // 24
    L"Read Page: %d error!",  // 25
    L"OK",  // 26
    L"GInput 8 byte in Gc text please!",  // 27
    L"Input 8 byte in Q0 text please!",  // 28
    L"Input 3 byte key please!",  // 29
    L"No change data",  // 30
    L"Cos command must be more than 5 bytes!",  // 31
    L"OK",  // 32
    L"UID length error!",  // 33
    L"OK",  // 34
    L"Input data in DSFID text please!",  // 35
    L"OK",  // 36
    L"OK",  // 37
    L"Input data in AFI text please!",  // 38
    L"OK",  // 39
    L"OK",  // 40
    L"OK",  // 41
    L"OK",  // 42
    L"Input 8 or 16 byte in key text please!",  // 43
    L"Data length in data area must be multiple of 8 bytes!",  // 44
    L"Be sure to change key?",  // 45
    L"Input key please",  // 46
    L"week %d ",  // 47
    L"Connect failed",  // 48
    L"Connect successful",  // 49
    L"OK",  // 50
    L"OK",  // 51
    L"Input 2 byte in DeveicID text please!",  // 52
    L"OK",  // 53
    L"OK",  // 54
    L"OK",  // 55
    L"OK",  // 56
    L"Read block: %d error!",  // 57
    L"Be sure to lock?",  // 58
    L"OK",  // 59
    L"OK",  // 60
    L"OK",  // 61
    L"OK",  // 62
    L"Disconnect succeddful",  // 63
    L"Opend port failed",  // 64
    L"Input 8 byte in page0 text please!",  // 65
    L"Input 40 byte in page1 text please!",  // 66
    L"Input 8 byte in page2 text please!",  // 67
    L"Input 8 byte in page3 text please!",  // 68
};

constexpr const wchar_t* kDialogBarChinese[] = {L"端口:", L"波特率:", L"卡类型:", L"提示:"};
constexpr const wchar_t* kDialogBarEnglish[] = {L"IP:", L"Port:", L"Card type:", L"Memo:"};

constexpr const wchar_t* kCosDialogChinese[] = {L"清除COS命令", L"退出", L"COS命令"};
constexpr const wchar_t* kCosDialogEnglish[] = {L"Clear", L"Exit", L"COS Command"};

// The dialog keeps its template's language: the items read the same in both.
constexpr const wchar_t* kBackgroundDialogChinese[] = {L"背景 %02d"};
constexpr const wchar_t* kBackgroundDialogEnglish[] = {L"背景 %02d"};

static_assert(std::size(kMainEnglish) == kMainTextCount);
static_assert(std::size(kDialogBarEnglish) == 4);
static_assert(std::size(kCosDialogEnglish) == kCosTextCount);

// Whether the placeholder of `format` takes an unsigned argument.
bool TakesUnsigned(const wchar_t* format) {
    const wchar_t* p = std::wcschr(format, L'%');
    while (p != nullptr && p[1] == L'%') p = std::wcschr(p + 2, L'%');
    if (p == nullptr) return false;
    const wchar_t* conversion = p + 1 + std::wcsspn(p + 1, L"-+ #0123456789.");
    return *conversion != L'\0' && std::wcschr(L"xXuo", *conversion) != nullptr;
}

}  // namespace

constinit const UiTextTable kMainMessages = MakeUiTextTable(kMainChinese, kMainEnglish);
constinit const UiTextTable kDialogBarLabels =
    MakeUiTextTable(kDialogBarChinese, kDialogBarEnglish);
constinit const UiTextTable kCosDialogCaptions =
    MakeUiTextTable(kCosDialogChinese, kCosDialogEnglish);
constinit const UiTextTable kBackgroundDialogTexts =
    MakeUiTextTable(kBackgroundDialogChinese, kBackgroundDialogEnglish);

const wchar_t* UiTextIn(const UiTextTable& table, int language, int entry) {
    assert(entry >= 0 && static_cast<std::size_t>(entry) < table.size());
    if (entry < 0 || static_cast<std::size_t>(entry) >= table.size()) return L"";
    const auto& row = language == kLanguageChinese ? table.chinese : table.english;
    return row[static_cast<std::size_t>(entry)];
}

const wchar_t* UiText(const UiTextTable& table, int entry) {
    return UiTextIn(table, kLanguageIndex, entry);
}

std::wstring FormatText(const wchar_t* format, int value) {
    const bool asUnsigned = TakesUnsigned(format);
    // swprintf reports a short buffer only as failure: grow and retry, within reason.
    for (std::size_t size = std::wcslen(format) + 32; size <= 0x10000; size *= 2) {
        std::vector<wchar_t> buffer(size);
        const int written =
            asUnsigned
                ? std::swprintf(buffer.data(), size, format, static_cast<unsigned>(value))
                : std::swprintf(buffer.data(), size, format, value);
        if (written >= 0) return std::wstring(buffer.data(), static_cast<std::size_t>(written));
    }
    return std::wstring();
}
