#include "RecordFields.h"

#include "Globals.h"
#include "ModelUi.h"

#include <cstring>

void PutCrossoverRecord(BYTE* p, const CFilter* pHighPass, const CFilter* pLowPass)
{
    const CFilter* filters[2] = {pHighPass, pLowPass};
    for (int k = 0; k < 2; ++k) {
        if (!filters[k])
            continue;
        BYTE* q = p + 4 * k;
        PutRecordWord(q, filters[k]->GetRefFreq());
        q[2] = filters[k]->GetClassByte();
        q[3] = filters[k]->GetSlopeByte();
    }
}

void LoadCrossoverRecord(const BYTE* p, CFilter* pHighPass, CFilter* pLowPass)
{
    CFilter* filters[2] = {pHighPass, pLowPass};
    for (int k = 0; k < 2; ++k) {
        if (!filters[k])
            continue;
        const BYTE* q = p + 4 * k;
        filters[k]->SetFreq(GetRecordWord(q), 0);
        filters[k]->SetFilterClass(q[2], 0);
        filters[k]->SetSlope(q[3], 0);
        filters[k]->SetModified(0);
    }
}

void PutNameField(BYTE* pField, int nField, const CString& strName)
{
    if (!pField || nField <= 0)
        return;
    const size_t n = strName.size() < size_t(nField) ? strName.size() : size_t(nField);
    std::memset(pField, 0, size_t(nField));
    std::memcpy(pField, strName.data(), n);
}

CString GetNameField(const BYTE* pField, int nField)
{
    if (!pField || nField <= 0)
        return CString();
    const void* pZero = std::memchr(pField, 0, size_t(nField));
    const size_t n = pZero ? size_t(static_cast<const BYTE*>(pZero) - pField) : size_t(nField);
    return CString(reinterpret_cast<const char*>(pField), n);
}

BOOL CheckNameLength(const CString& strName, int nField)
{
    if (nField > 0 && strName.size() < size_t(nField))
        return TRUE;
    if (g_bChinese)
        ModelUi::Get().MessageBoxOk("字符长度错误!", -2);
    else
        ModelUi::Get().MessageBoxOk("Char len error!", -3);
    return FALSE;
}
