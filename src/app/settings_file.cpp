// The settings file "torva.ini". Readers look for a line that begins with
// their key (any case) and take the rest of the line; a later line wins.
// Writers copy the file into the scratch file "$TEMP" beside it, replacing
// the one line whose key matches exactly or appending it, then move the
// scratch file over the settings file in one step: a failure at any point
// leaves the old file whole.
#include "app/ini.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/qzt_runtime.h"

int g_TvMode = 0;

static const char INI_FILE_NAME[] = "torva.ini";
static const char INI_SCRATCH_NAME[] = "$TEMP";

int INI_GetLineKey(const char* line, char* key, size_t keySize)
{
    if (!line[0] || keySize == 0) return 0;
    const char* colon = std::strchr(line, ':');
    if (!colon) return 0;
    size_t n = 0;
    for (const char* p = line; p < colon && n + 1 < keySize; p++)
        if (*p != '%') key[n++] = *p;
    key[n] = 0;
    return 1;
}

void INI_GetLineValue(const char* line, char* value, size_t valueSize)
{
    if (valueSize == 0) return;
    value[0] = 0;
    const char* colon = std::strchr(line, ':');
    if (!colon) return;
    size_t len = std::strlen(line);
    const char* end = len ? line + len - 1 : line;  // the line break
    size_t n = 0;
    for (const char* p = colon + 1; p < end && n + 1 < valueSize; p++) value[n++] = *p;
    value[n] = 0;
}

static std::string IniPath(const char* folder, const char* name)
{
    return std::string(folder) + name;
}

// One physical line: its text without the break, and whether it had one.
struct IniLine {
    std::string text;
    bool hasBreak;
};

// Reads the next line of any length; false at the end of the file.
static bool ReadLine(FILE* f, IniLine* line)
{
    line->text.clear();
    line->hasBreak = false;
    int c;
    bool any = false;
    while ((c = std::fgetc(f)) != EOF) {
        any = true;
        if (c == '\n') {
            line->hasBreak = true;
            break;
        }
        line->text.push_back((char)c);
    }
    // A file written on this system ends its lines with CR LF; the CR is part
    // of the break, not of the value.
    if (line->hasBreak && !line->text.empty() && line->text.back() == '\r') line->text.pop_back();
    return any;
}

enum IniFind { INI_NO_FILE, INI_NO_KEY, INI_FOUND };

// Looks for `key` (with its percent sign and colon) over lines cut at
// `lineMax` characters; the value of the last matching line goes to `value`.
static IniFind FindValue(const char* folder, const char* key, size_t lineMax, std::string* value)
{
    FILE* f = std::fopen(IniPath(folder, INI_FILE_NAME).c_str(), "rb");
    if (!f) return INI_NO_FILE;
    IniFind found = INI_NO_KEY;
    size_t keyLen = std::strlen(key);
    IniLine line;
    while (ReadLine(f, &line)) {
        // A last line without a break is not examined: it may be half written.
        if (!line.hasBreak) break;
        // The reader's buffer holds lineMax - 1 characters and the break.
        std::string text = line.text.substr(0, lineMax - 1);
        if (text.size() >= keyLen && _strnicmp(text.c_str(), key, keyLen) == 0) {
            *value = text.substr(keyLen);
            found = INI_FOUND;
        }
    }
    std::fclose(f);
    return found;
}

static void CopyOut(const std::string& s, char* buf, size_t bufSize)
{
    if (bufSize == 0) return;
    size_t n = s.size() < bufSize - 1 ? s.size() : bufSize - 1;
    std::memcpy(buf, s.data(), n);
    buf[n] = 0;
}

const char* INI_ReadWpsName(const char* folder, char* buf, size_t bufSize)
{
    std::string value;
    IniFind r = FindValue(folder, "%wpsname:", INI_LINE_MAX, &value);
    if (r == INI_NO_FILE) return nullptr;
    CopyOut(r == INI_FOUND && !value.empty() ? value : std::string(" no name "), buf, bufSize);
    return buf;
}

const char* INI_ReadLastDesignPath(char* out, size_t outSize, const char* folder)
{
    std::string dir, name;
    if (FindValue(folder, "%pcbpath:", INI_PATH_LINE_MAX, &dir) == INI_NO_FILE) return nullptr;
    FindValue(folder, "%wpsname:", INI_PATH_LINE_MAX, &name);
    if (name.empty()) {
        CopyOut(" no name ", out, outSize);
        return out;
    }
    if (name.size() >= 4 && name[name.size() - 4] == '.') name.resize(name.size() - 4);
    CopyOut(dir + name, out, outSize);
    return out;
}

int INI_ReadTvMode(const char* folder)
{
    std::string value;
    if (FindValue(folder, "%tvmode:", INI_LINE_MAX, &value) != INI_FOUND || value.empty()) return 0;
    if (value[0] == '0') return 0;
    if (value[0] == '1') return 1;
    return 2;
}

int INI_ReadMove(const char* folder)
{
    std::string value;
    IniFind r = FindValue(folder, "%Move:", INI_LINE_MAX, &value);
    if (r == INI_NO_FILE) return 0;
    static const char* const steps[] = {"10", "25", "50", "75", "100"};
    for (const char* s : steps)
        if (value == s) return std::atoi(s);
    return -1;
}

int INI_ReadDisplayWidth(const char* folder)
{
    std::string value;
    if (FindValue(folder, "%display:", INI_LINE_MAX, &value) != INI_FOUND) return 0;
    return std::atoi(value.c_str());
}

static double ReadDouble(const char* folder, const char* key, double noFile, double noKey)
{
    std::string value;
    IniFind r = FindValue(folder, key, INI_LINE_MAX, &value);
    if (r == INI_NO_FILE) return noFile;
    if (r == INI_NO_KEY || value.empty()) return noKey;
    return std::strtod(value.c_str(), nullptr);
}

double INI_ReadZoomMax(const char* folder)
{
    return ReadDouble(folder, "%ZoomMAX:", 0.0, 0.0);
}

double INI_ReadMainGrid(const char* folder)
{
    return ReadDouble(folder, "%maingrid:", 0.0, 2.0);
}

double INI_ReadSubGrid(const char* folder)
{
    return ReadDouble(folder, "%subgrid:", 0.0, 3.0);
}

static bool WriteAll(FILE* f, const std::string& s)
{
    return s.empty() || std::fwrite(s.data(), 1, s.size(), f) == s.size();
}

static bool WriteNewFile(const std::string& path, const std::string& line)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = WriteAll(f, line);
    return (std::fclose(f) == 0) && ok;
}

// Replaces (or appends) the line of `key` (without percent sign and colon).
// `newFileLine` is the whole file when there is none yet; `rewriteLine` the
// line that goes into an existing file. Both end with "\r\n".
static int WriteKey(const char* folder, const char* key, const std::string& rewriteLine,
                    const std::string& newFileLine, const char* failCaption)
{
    std::string target = IniPath(folder, INI_FILE_NAME);
    std::string scratch = IniPath(folder, INI_SCRATCH_NAME);
    FILE* in = std::fopen(target.c_str(), "rb");
    if (!in) {
        // Only a file that is really not there is created anew; one that
        // exists but cannot be read is left alone.
        if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES) return 0;
        return WriteNewFile(target, newFileLine) ? 1 : 0;
    }
    FILE* out = std::fopen(scratch.c_str(), "wb");
    if (!out) {
        MessageBoxA(nullptr, "ファイルTorva.Iniをオープンできません", failCaption, MB_OK);
        std::fclose(in);
        return 0;
    }
    bool ok = true;
    bool replaced = false;
    IniLine line;
    char lineKey[INI_PATH_LINE_MAX + 1];
    while (ok && ReadLine(in, &line)) {
        lineKey[0] = 0;
        bool keyed = INI_GetLineKey(line.text.c_str(), lineKey, sizeof(lineKey)) != 0;
        if (keyed && std::strcmp(lineKey, key) == 0) {
            ok = WriteAll(out, rewriteLine);
            replaced = true;
        } else {
            // A hand-edited last line without a break gets one, so that a line
            // appended after it stays a line of its own.
            ok = WriteAll(out, line.text) && WriteAll(out, "\r\n");
        }
    }
    if (ok && std::ferror(in)) ok = false;
    if (ok && !replaced) ok = WriteAll(out, rewriteLine);
    std::fclose(in);
    if (std::fclose(out) != 0) ok = false;
    if (ok) ok = MoveFileExA(scratch.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        DeleteFileA(scratch.c_str());
        return 0;
    }
    return 1;
}

static std::string Format(const char* fmt, ...)
{
    va_list args, again;
    va_start(args, fmt);
    va_copy(again, args);
    int n = std::vsnprintf(nullptr, 0, fmt, args);
    va_end(args);
    std::string s(n > 0 ? (size_t)n : 0, '\0');
    if (n > 0) std::vsnprintf(s.data(), (size_t)n + 1, fmt, again);
    va_end(again);
    return s;
}

static const char* FolderOrProgram(const char* folder)
{
    return folder ? folder : ENV_GetBinPathEnvClass();
}

int INI_WriteTvMode(const char* folder)
{
    std::string line = Format("%%tvmode:%d\r\n", g_TvMode);
    return WriteKey(FolderOrProgram(folder), "tvmode", line, line, "wpsname registor");
}

int INI_WriteWpsName(const char* name, const char* folder)
{
    folder = FolderOrProgram(folder);
    std::string line = Format("%%wpsname:%s\r\n", name);
    if (!WriteKey(folder, "wpsname", line, line, "wpsname registor")) return 0;
    return INI_WriteTvMode(folder);
}

int INI_WritePcbPath(const char* path, const char* folder)
{
    std::string line = Format("%%pcbpath:%s\r\n", path);
    return WriteKey(FolderOrProgram(folder), "pcbpath", line, line, "pcbpathname registor");
}

int INI_WriteMainGrid(double value, const char* folder)
{
    return WriteKey(FolderOrProgram(folder), "maingrid", Format("%%maingrid:%3.3lf\r\n", value),
                    Format("%%maingrid:%lf\r\n", value), "wpsname registor");
}

int INI_WriteSubGrid(double value, const char* folder)
{
    return WriteKey(FolderOrProgram(folder), "subgrid", Format("%%subgrid:%3.3lf\r\n", value),
                    Format("%%subgrid:%lf\r\n", value), "wpsname registor");
}
