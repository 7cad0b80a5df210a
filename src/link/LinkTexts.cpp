#include "LinkTexts.h"

const CString g_strHexApplyCn = "固件更新开始 请勿中断";
const CString g_strHexApplyEn = "Firmware update begins Do not interrupt";
const CString g_strHexDataCn = "数据传输中 请勿中断";
const CString g_strHexDataEn = "Programming Do not interrupt";
const CString g_strHexDoneCn = "更新完成";
const CString g_strHexDoneEn = "Update successfully";
