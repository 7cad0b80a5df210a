#include "CSendData.h"

#include "Globals.h"

#include <algorithm>
#include <cstring>

void CSendData::SetData(std::vector<BYTE> frame)
{
    m_frame = std::move(frame);
    m_nLength = int(m_frame.size());
    m_nPos = std::min(m_nPos, m_nLength);
}

void CSendData::SetLength(int n)
{
    // A length beyond the bytes held would make the report cutter read past the frame.
    m_nLength = std::clamp(n, 0, int(m_frame.size()));
    m_nPos = std::min(m_nPos, m_nLength);
}

void CSendData::SetPos(int n) { m_nPos = std::clamp(n, 0, m_nLength); }

BOOL CSendData::HasMore() const
{
    if (g_nLinkType == 0)
        return m_nPos < m_nLength;
    return m_bMore;
}

BOOL CSendData::IsLastReadDone() const
{
    if (g_nLinkType == 0)
        return m_bLastRead && m_nPos == m_nLength;
    return m_bLastRead;
}

BOOL CSendData::IsLastWriteDone() const
{
    if (g_nLinkType == 0)
        return m_bLastWrite && m_nPos >= m_nLength;
    return m_bLastWrite;
}

BOOL CSendData::NextReport()
{
    if (m_nPos >= m_nLength)
        return FALSE;
    const int n = std::min(USB_REPORT_DATA, m_nLength - m_nPos);
    std::memset(g_byUsbOutReport, 0, sizeof(g_byUsbOutReport));
    std::memcpy(g_byUsbOutReport + 1, m_frame.data() + m_nPos, size_t(n));
    m_nPos += n;
    return TRUE;
}
