#include "ValueText.h"

#include "Globals.h"

#include <cstdarg>
#include <cstdio>

CString FormatText(const char* pFormat, ...)
{
    char buf[128];
    va_list args;
    va_start(args, pFormat);
    std::vsnprintf(buf, sizeof buf, pFormat, args);
    va_end(args);
    return buf;
}

CString PolarityText(int nPolarity)
{
    if (g_bChinese)
        return nPolarity ? "反相" : "正相";
    return nPolarity ? "Pol-" : "Pol+";
}

CString OnOffText(int nOn) { return nOn ? "On" : "OFF"; }

CString DelayStepText(int nStep)
{
    const double ms = nStep < 100 ? nStep * 0.1 : (nStep - 100) + 10.0;
    return FormatText("%0.1fms", ms);
}
