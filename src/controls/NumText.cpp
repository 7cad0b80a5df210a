#include "NumText.h"

#include "Convert.h"

#include <charconv>
#include <climits>
#include <clocale>
#include <cstdlib>

#include <locale.h>
#include <stdlib.h>

namespace NumText {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Skips leading blanks and reads a sign; returns the position after them.
size_t SkipBlanksAndSign(const CString& s, bool& negative)
{
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    return i;
}

}  // namespace

double ReadNumber(const CString& strText)
{
    // strtod in the "C" locale is atof without the process locale's decimal comma.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return strtod_l(strText.c_str(), nullptr, cLocale);
}

int ReadInteger(const CString& strText)
{
    bool negative = false;
    size_t i = SkipBlanksAndSign(strText, negative);
    long long v = 0;
    for (; i < strText.size() && strText[i] >= '0' && strText[i] <= '9'; ++i) {
        v = v * 10 + (strText[i] - '0');
        if (v > 1LL + INT_MAX)
            v = 1LL + INT_MAX;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return int(v);
}

CString FormatFixed(double dValue, int nDecimals)
{
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, dValue, std::chars_format::fixed, nDecimals);
    if (res.ec != std::errc())
        return CString();
    return CString(buf, res.ptr);
}

CString FormatInt(int nValue) { return std::to_string(nValue); }

int Trunc(double x) { return TruncToInt(x); }

int Nearest(double x) { return TruncToInt(x + 0.5); }

}  // namespace NumText
