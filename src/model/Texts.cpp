#include "Texts.h"

#include "Globals.h"

#include <cstdio>

const CString g_strPresetExt = "ekds";
const CString g_strPresetFilter = ".ekds|*.ekds||";
const CString g_strAllPresetExt = "ekda";
const CString g_strAllPresetFilter = ".ekda|*.ekda||";
const CString g_strMapExt = "qbtz";
const CString g_strMapFilter = ".qbtz|*.qbtz||";
const CString g_strFirmwareExt = "bin";
const CString g_strFirmwareFilter = ".bin|*.bin||";

const CString g_strProductName = "Orvane";
const CString g_strSoftwareVersionCn = "软件版本 VORN-QK1.01";
const CString g_strSoftwareVersionEn = "Software version VORN-QK1.01";

const CString g_strUsbFailCn = "连接失败  请检查USB线缆是否插好或\n该设备已经连接上了另一软件!";
const CString g_strUsbFailEn = "Connection failure!";
const CString g_strWifiFailCn = "连接失败  请检查WIFI是否已连接到设备或\n该设备已经连接上了另一软件!";
const CString g_strWifiFailEn = "Connection failure!";
const CString g_strRestoreEqCn = "是否恢复所有均衡?";
const CString g_strRestoreEqEn = "Whether Restore All EQ?";
const CString g_strBypassEqCn = "是否直通所有均衡?";
const CString g_strBypassEqEn = "Whether ByPass All EQ?";
const CString g_strResetEqCn = "是否重置所有均衡?";
const CString g_strResetEqEn = "Whether the reset All EQ?";
const CString g_strPeqToGeqCn = "是否把参量均衡模式转换为图示均衡模式?";
const CString g_strPeqToGeqEn = "Whether the PEQ Mode convert to GEQ Mode?";
const CString g_strGeqToPeqCn = "是否把图示均衡模式转换为参量均衡模式?";
const CString g_strGeqToPeqEn = "Whether the GEQ Mode convert to PEQ Mode?";
const CString g_strNotConnectedCn = "未连接设备";
const CString g_strNotConnectedEn = "Not connected devices";
const CString g_strConnectedCn = "已连接设备";
const CString g_strConnectedEn = "Connected device";
const CString g_strPromptCn = "提示";
const CString g_strPromptEn = "Prompting";
const CString g_strWarnCn = "警告";
const CString g_strWarnEn = "Warning";
const CString g_strWifiResetOkCn = "恢复WIFI出厂设置成功";
const CString g_strWifiResetOkEn = "Load WIFI factory default success";
const CString g_strWifiResetFailCn = "恢复WIFI出厂设置失败";
const CString g_strWifiResetFailEn = "Load WIFI factory default failure";

CString IntToRadixText(int value, int radix)
{
    if (radix < 2 || radix > 36)
        return CString();
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const bool negative = radix == 10 && value < 0;
    // Radix 10 takes the magnitude of a signed value; the others the unsigned bit pattern.
    uint32_t rest = negative ? 0u - uint32_t(value) : uint32_t(value);
    CString text;
    do {
        text.insert(text.begin(), kDigits[rest % uint32_t(radix)]);
        rest /= uint32_t(radix);
    } while (rest != 0);
    if (radix == 16 && text.size() < 4)
        text.insert(0, 4 - text.size(), '0');
    if (negative)
        text.insert(text.begin(), '-');
    return text;
}

CString FormatElapsedSeconds(LONGLONG ticks)
{
    const double seconds = g_liPerfFreq > 0 ? double(ticks) / double(g_liPerfFreq) : 0.0;
    char text[64];
    // %f of any 64-bit tick count fits: at most 20 digits, the point and six decimals.
    std::snprintf(text, sizeof(text), "延时(秒)=%f ", seconds);
    return text;
}
