// The settings file "torva.ini" in the program folder: one "%key:value" line
// per setting, read key by key and rewritten through a scratch file so that a
// failed write never costs the old file.
#pragma once
#include <cstddef>

// Longest line the readers examine, line break included (a longer line is
// cut there); the design-path reader takes longer lines.
constexpr size_t INI_LINE_MAX = 99;
constexpr size_t INI_PATH_LINE_MAX = 255;

// The key of a line: every character before the first colon except percent
// signs. A line without a colon has no key: 0 then, 1 when a key was copied.
// An empty line leaves `key` as it was.
int INI_GetLineKey(const char* line, char* key, size_t keySize);
// The value of a line: everything after the first colon up to, not
// including, the line's last character (its line break).
void INI_GetLineValue(const char* line, char* value, size_t valueSize);

// Readers. Each reads "torva.ini" in `folder` (the program folder, or the
// folder of another running copy; ending in a separator). The result when the
// file is missing and when the key is missing or empty is given per reader.
//
// The last design's name: `buf` (missing file: null; no key: " no name ").
const char* INI_ReadWpsName(const char* folder, char* buf, size_t bufSize);
// The last design's folder and name, the name without its extension
// (missing file: null; no name: " no name ").
const char* INI_ReadLastDesignPath(char* out, size_t outSize, const char* folder);
// The work mode: 0 for "0", 1 for "1", 2 for anything else (missing: 0; 0).
int INI_ReadTvMode(const char* folder);
// The move step: 10, 25, 50, 75 or 100, else -1 (missing file: 0; no key: -1).
int INI_ReadMove(const char* folder);
// The display width in millimetres (0; 0).
int INI_ReadDisplayWidth(const char* folder);
// The maximum zoom (0.0; 0.0).
double INI_ReadZoomMax(const char* folder);
// The main and sub grid hide values (0.0; 2.0) and (0.0; 3.0).
double INI_ReadMainGrid(const char* folder);
double INI_ReadSubGrid(const char* folder);

// Writers: 1 when the file holds the new line, 0 when it could not be
// written (the old file is then left whole). `folder` null means the program
// folder of the environment.
int INI_WriteWpsName(const char* name, const char* folder = nullptr);
int INI_WritePcbPath(const char* path, const char* folder = nullptr);
int INI_WriteTvMode(const char* folder = nullptr);
int INI_WriteMainGrid(double value, const char* folder = nullptr);
int INI_WriteSubGrid(double value, const char* folder = nullptr);

// The concurrent-design mode that "%tvmode:" records; this program never
// leaves mode 0.
extern int g_TvMode;
