// The library's entry operations: each sets up the entry window for its kind
// of value with the caller's bounds, and writes the caller's output only when
// the user confirmed a value that fits.
#include <cstdio>
#include <cstring>
#include <vector>

#include "input/entry.h"
#include "platform/xwinput.h"

struct FloatBounds {
    double minimum, maximum, value;
};
struct IntBounds {
    int32_t minimum, maximum, value;
};
struct PairBounds {
    int32_t xMin, xMax, yMin, yMax, x, y;
};
struct TextLimit {
    int maxLength;
    std::vector<char>* out;
};

static bool AcceptFloat(const char* text, void* context)
{
    FloatBounds* b = (FloatBounds*)context;
    double v;
    if (!XWI_ParseFloat(text, &v) || v < b->minimum || v > b->maximum) return false;
    b->value = v;
    return true;
}

static bool AcceptInteger(const char* text, void* context)
{
    IntBounds* b = (IntBounds*)context;
    int32_t v;
    if (!XWI_ParseInteger(text, &v) || v < b->minimum || v > b->maximum) return false;
    b->value = v;
    return true;
}

static bool AcceptCoord(const char* text, void* context)
{
    IntBounds* b = (IntBounds*)context;
    int32_t v;
    if (!XWI_ParseCoord(text, &v) || v < b->minimum || v > b->maximum) return false;
    b->value = v;
    return true;
}

static bool AcceptPair(const char* text, void* context)
{
    PairBounds* b = (PairBounds*)context;
    int32_t x, y;
    if (!XWI_ParsePair(text, &x, &y)) return false;
    if (x < b->xMin || x > b->xMax || y < b->yMin || y > b->yMax) return false;
    b->x = x;
    b->y = y;
    return true;
}

static bool AcceptText(const char* text, void* context)
{
    TextLimit* t = (TextLimit*)context;
    size_t n = strlen(text);
    if ((int)n > t->maxLength) return false;
    t->out->assign(text, text + n + 1);
    return true;
}

extern "C" int XWinputFloat(HWND hOwner, double* value, double minimum, double maximum, int, int)
{
    if (!value || !(minimum <= maximum)) return 0;
    FloatBounds b = {minimum, maximum, 0.0};
    char prompt[128];
    snprintf(prompt, sizeof prompt, "%.4f ～ %.4f", minimum, maximum);
    XWI_Entry e = {"数値入力", prompt, nullptr, XWI_NUMBER_FIELD_MAX, XWI_KIND_NUMBER, true, AcceptFloat, &b};
    int r = XWI_RunEntry(hOwner, e);
    if (r == 1) *value = b.value;
    return r;
}

extern "C" int XWinputInteger(HWND hOwner, int32_t* value, int32_t minimum, int32_t maximum, int, int)
{
    if (!value || minimum > maximum) return 0;
    IntBounds b = {minimum, maximum, 0};
    char prompt[128];
    snprintf(prompt, sizeof prompt, "%ld ～ %ld", (long)minimum, (long)maximum);
    XWI_Entry e = {"整数入力", prompt, nullptr, XWI_NUMBER_FIELD_MAX, XWI_KIND_NUMBER, true, AcceptInteger, &b};
    int r = XWI_RunEntry(hOwner, e);
    if (r == 1) *value = b.value;
    return r;
}

extern "C" int XWinputZahyou(HWND hOwner, int32_t* value, int32_t minimum, int32_t maximum, int, int)
{
    if (!value || minimum > maximum) return 0;
    IntBounds b = {minimum, maximum, 0};
    char prompt[128];
    snprintf(prompt, sizeof prompt, "%.5f ～ %.5f mm", minimum / 100000.0, maximum / 100000.0);
    XWI_Entry e = {"座標入力", prompt, nullptr, XWI_NUMBER_FIELD_MAX, XWI_KIND_COORD, true, AcceptCoord, &b};
    int r = XWI_RunEntry(hOwner, e);
    if (r == 1) *value = b.value;
    return r;
}

extern "C" int XWinputZahyou2(HWND hOwner, int32_t* pairs, int32_t xMin, int32_t xMax, int32_t yMin,
                              int32_t yMax, int count, int)
{
    if (!pairs || count < 1 || xMin > xMax || yMin > yMax) return 0;
    // Every point is kept aside until the last is confirmed: a cancel half
    // way leaves the caller's pairs as they were.
    std::vector<int32_t> got((size_t)count * 2);
    for (int i = 0; i < count; ++i) {
        PairBounds b = {xMin, xMax, yMin, yMax, 0, 0};
        char prompt[160];
        snprintf(prompt, sizeof prompt, "X %.3f～%.3f  Y %.3f～%.3f",
                 xMin / 100000.0, xMax / 100000.0, yMin / 100000.0, yMax / 100000.0);
        char caption[64];
        if (count > 1) snprintf(caption, sizeof caption, "座標入力 (%d/%d)", i + 1, count);
        else snprintf(caption, sizeof caption, "座標入力");
        XWI_Entry e = {caption, prompt, nullptr, XWI_NUMBER_FIELD_MAX, XWI_KIND_COORD, true, AcceptPair, &b};
        int r = XWI_RunEntry(hOwner, e);
        if (r != 1) return r;
        got[(size_t)i * 2] = b.x;
        got[(size_t)i * 2 + 1] = b.y;
    }
    memcpy(pairs, got.data(), got.size() * sizeof(int32_t));
    return 1;
}

extern "C" int XWinputString(HWND hOwner, char* buffer, int maxLength, int flag, int mode)
{
    if (!buffer || maxLength < 0) return 0;
    std::vector<char> out;
    TextLimit t = {maxLength, &out};
    char prompt[64];
    snprintf(prompt, sizeof prompt, "最大 %d 文字", maxLength);
    // The caller's text is shown only as far as the field takes it, and read
    // no further than the length the caller said its buffer holds.
    std::vector<char> initial;
    if (flag == 1) {
        size_t n = strnlen(buffer, (size_t)maxLength);
        initial.assign(buffer, buffer + n);
        initial.push_back('\0');
    }
    XWI_Entry e = {"文字入力", prompt, flag == 1 ? initial.data() : nullptr, maxLength, XWI_KIND_STRING,
                   mode != 0, AcceptText, &t};
    int r = XWI_RunEntry(hOwner, e);
    if (r == 1) memcpy(buffer, out.data(), out.size());
    return r;
}

extern "C" void XWinputDelHistoryAll(HWND)
{
    XWI_HistoryClear(XWI_HistoryOf(XWI_KIND_STRING));
    XWI_HistoryClear(XWI_HistoryOf(XWI_KIND_NUMBER));
    XWI_HistoryClear(XWI_HistoryOf(XWI_KIND_COORD));
}
