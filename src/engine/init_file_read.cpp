// The engine's reader of the settings file "torva.ini" in the program
// folder: lines of a percent sign, a key, a colon and the value. The program
// writes the file; the engine only reads single keys from it (the display
// mode, the renderer's transparency values).
#include "platform/qzt_runtime.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// A settings file is a few dozen short lines; a bigger file is not one, and
// reading stops there rather than holding it all.
constexpr long MAX_FILE = 1 << 20;
constexpr size_t MAX_VALUE = 255;

bool StartsWithKey(const std::string& line, const char* key, size_t keyLen)
{
    return line.size() >= keyLen && _strnicmp(line.c_str(), key, keyLen) == 0;
}

// The length of at most `limit` bytes of a Shift-JIS text that does not split
// a two-byte character.
size_t CutLength(const std::string& text, size_t limit)
{
    size_t i = 0;
    while (i < text.size()) {
        size_t step = IsDBCSLeadByteEx(932, (BYTE)text[i]) ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    return i;
}

}  // namespace

char* ReadTorvaInitFile(const char* key, char* buffer)
{
    if (!key || !buffer || !*key) return nullptr;
    FILE* f = fopen(ENV_GetBinPath("torva.ini"), "rb");
    if (!f) return nullptr;

    size_t keyLen = strlen(key);
    bool found = false;
    std::string value;
    std::string line;
    long total = 0;
    int c;
    for (;;) {
        c = fgetc(f);
        if (c != EOF && ++total > MAX_FILE) c = EOF;
        if (c == EOF || c == '\n') {
            // Files edited by hand may end without a line break or carry
            // CR LF; both lines count the same.
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (StartsWithKey(line, key, keyLen)) {
                value.assign(line, keyLen, std::string::npos);
                found = true;
            }
            line.clear();
            if (c == EOF) break;
        } else if (line.size() <= MAX_FILE) {
            line.push_back((char)c);
        }
    }
    fclose(f);
    if (!found) return nullptr;
    if (value.size() > MAX_VALUE) value.resize(CutLength(value, MAX_VALUE));
    memcpy(buffer, value.c_str(), value.size() + 1);
    return buffer;
}
