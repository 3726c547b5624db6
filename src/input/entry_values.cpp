// Reading typed numbers and coordinates. The texts come from an edit field;
// anything that is not wholly a number is refused so that a slip such as
// "1.2.3" or "12mm" never passes as a different value.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "input/entry.h"

static const char* SkipBlanks(const char* p)
{
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

static bool OnlyBlanksLeft(const char* p)
{
    return *SkipBlanks(p) == '\0';
}

bool XWI_ParseFloat(const char* text, double* value)
{
    const char* p = SkipBlanks(text);
    if (*p == '\0') return false;
    char* end = nullptr;
    errno = 0;
    double v = strtod(p, &end);
    if (end == p || errno == ERANGE || !std::isfinite(v) || !OnlyBlanksLeft(end)) return false;
    *value = v;
    return true;
}

bool XWI_ParseInteger(const char* text, int32_t* value)
{
    const char* p = SkipBlanks(text);
    if (*p == '\0') return false;
    char* end = nullptr;
    errno = 0;
    long long v = strtoll(p, &end, 10);
    if (end == p || errno == ERANGE || !OnlyBlanksLeft(end)) return false;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    *value = (int32_t)v;
    return true;
}

static bool MmToUnits(double mm, int32_t* value)
{
    double units = std::round(mm * 100000.0);
    if (!(units >= (double)INT32_MIN && units <= (double)INT32_MAX)) return false;
    *value = (int32_t)units;
    return true;
}

bool XWI_ParseCoord(const char* text, int32_t* value)
{
    double mm;
    return XWI_ParseFloat(text, &mm) && MmToUnits(mm, value);
}

bool XWI_ParsePair(const char* text, int32_t* x, int32_t* y)
{
    const char* p = SkipBlanks(text);
    char* end = nullptr;
    errno = 0;
    double mx = strtod(p, &end);
    if (end == p || errno == ERANGE || !std::isfinite(mx)) return false;
    p = SkipBlanks(end);
    if (*p == ',') p = SkipBlanks(p + 1);
    else if (p == end) return false;  // neither a comma nor a blank between the two
    double my;
    if (!XWI_ParseFloat(p, &my)) return false;
    int32_t ux, uy;
    if (!MmToUnits(mx, &ux) || !MmToUnits(my, &uy)) return false;
    *x = ux;
    *y = uy;
    return true;
}
