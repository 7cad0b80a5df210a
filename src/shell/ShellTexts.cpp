#include "ShellTexts.h"

const CString g_strNoLinkCn = "没有连接可以打开";
const CString g_strNoLinkEn = "No connection can be opened";
const CString g_strNeedFirmwareCn = "设备异常 请更新固件!";
const CString g_strNeedFirmwareEn = "Please Update the Firmware!";
const CString g_strCustomNameCn = "自定义";

const CString g_strSaveSceneFileErrCn = "保存场景文件错误!";
const CString g_strSaveSceneFileErrEn = "Save presets file error!";
const CString g_strReadSceneFileErrCn = "读场景文件错误!";
const CString g_strReadSceneFileErrEn = "Read presets file  error!";
const CString g_strSaveAllFileErrCn = "保存整机场景文件错误!";
const CString g_strSaveAllFileErrEn = "Save all presets file error!";
const CString g_strReadAllFileErrCn = "读整机场景文件错误!";
const CString g_strReadAllFileErrEn = "Read all presets file error!";
const CString g_strSaveMapErrCn = "保存输出配置错误!";
const CString g_strSaveMapErrEn = "Save output map error!";
const CString g_strReadMapErrCn = "读输出配置错误!";
const CString g_strReadMapErrEn = "Read output map error!";

const char* const g_szProgramVersion = "MPEK-QK1.00";

namespace {
int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }
}  // namespace

CString VersionMismatchText(char cProgramMajor, char cDeviceMajor, BOOL bChinese)
{
    const CString p(1, cProgramMajor);
    const CString d(1, cDeviceMajor);
    const bool deviceOlder = DigitValue(cProgramMajor) >= DigitValue(cDeviceMajor);
    // The Chinese texts write the tags with a hyphen, the English ones with an underscore.
    if (bChinese) {
        if (deviceOlder)
            return "设备版本比PC软件版本号低，只有版本号为“MPE4-JX" + p + ".01到MPE4-JX" + p +
                   ".99”之间的设备才能和该版本的PC软件连接。";
        return "PC软件版本比设备版本号低，只有版本号为“PPE4-JX" + d + ".01到PPE4-JX" + d +
               ".99”之间的PC软件才能和该版本的设备连接。";
    }
    if (deviceOlder)
        return " If device version is lower than the software version, only the device at version, MPE4_JX" + p +
               ".01 to MPE4_JX" + p + ".99, can be connected with this software.";
    return " If software version is lower than the device version, only the software at version, PPE4_JX" + d +
           ".01 to PPE4_JX" + d + ".99, can be connected with this device.";
}
