#include "FixedField.h"

#include "Globals.h"
#include "ModelUi.h"
#include "SceneImage.h"

#include <cstring>

CString g_strCustomName = "Custom";
CString g_strSceneNameBuf;

namespace {

const char* const kWhiteSpace = " \t\r\n\v\f";

CString FieldPrefix(const BYTE* pField, int nBytes)
{
    if (!pField || nBytes <= 0)
        return CString();
    const void* pZero = std::memchr(pField, 0, size_t(nBytes));
    const size_t nLen = pZero ? size_t(static_cast<const BYTE*>(pZero) - pField) : size_t(nBytes);
    return CString(reinterpret_cast<const char*>(pField), nLen);
}

}  // namespace

CString TrimBlanks(const CString& strText)
{
    const size_t first = strText.find_first_not_of(kWhiteSpace);
    if (first == CString::npos)
        return CString();
    const size_t last = strText.find_last_not_of(kWhiteSpace);
    return strText.substr(first, last - first + 1);
}

CString FieldToString(const BYTE* pField, int n)
{
    return TrimBlanks(FieldPrefix(pField, n - 1));
}

CString BytesToTrimmedString(const BYTE* pField, int n)
{
    return TrimBlanks(FieldPrefix(pField, n));
}

BOOL StrToFixedField(BYTE* pField, int n, const CString& strText)
{
    if (n <= 0 || strText.size() >= size_t(n)) {
        if (g_bChinese)
            ModelUi::Get().MessageBoxOk("字符长度错误!", -2);
        else
            ModelUi::Get().MessageBoxOk("Char len error!", -3);
        return FALSE;
    }
    if (!pField)
        return FALSE;
    std::memset(pField, 0, size_t(n));
    std::memcpy(pField, strText.data(), strText.size());
    return TRUE;
}

BOOL StrToZeroPaddedField(BYTE* pField, const CString& strText, int n)
{
    return StrToFixedField(pField, n, strText);
}

BOOL IsNameInUse(int nSkip, const CString& strName, BOOL bStored, int nLen)
{
    if (!bStored || nLen <= 0)
        return FALSE;
    if (nLen > SCENE_NAME_SIZE)
        nLen = SCENE_NAME_SIZE;
    // The field form the name would be saved in: its bytes, then zeros. A name longer than
    // the field is compared by its first nLen bytes.
    BYTE field[SCENE_NAME_SIZE] = {};
    std::memcpy(field, strName.data(), strName.size() < size_t(nLen) ? strName.size() : size_t(nLen));
    for (int i = 0; i < STORED_SCENES; ++i) {
        if (i == nSkip)
            continue;
        if (std::memcmp(field, g_StoredScenes[i] + SCENE_NAME_OFFSET, size_t(nLen)) == 0)
            return TRUE;
    }
    return FALSE;
}

BOOL IsBlankString(const CString& strText)
{
    return TrimBlanks(strText).empty();
}
