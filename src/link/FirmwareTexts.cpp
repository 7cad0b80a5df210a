#include "FirmwareTexts.h"

#include "Globals.h"

const CString g_strUpdateFileErrorCn = "更新文件错误!";
const CString g_strUpdateFileErrorEn = "Update file error!";
const CString g_strHexUsbCn = "连接Usb";
const CString g_strHexUsbEn = "Connected Usb";
const CString g_strHexNetCn = "连接网络";
const CString g_strHexNetEn = "Connected NetWork";
const CString g_strHexEraseCn = "擦除中......";
const CString g_strHexEraseEn = "Erasing......";
const CString g_strUpdateFailedCn = "固件更新失败";
const CString g_strUpdateFailedEn = "The firmware update failed";
const CString g_strUpdateFailedBangCn = "固件更新失败!";
const CString g_strUpdateFailedBangEn = "The firmware update failed!";

const CString& FirmwareText(const CString& cn, const CString& en) { return g_bChinese ? cn : en; }
