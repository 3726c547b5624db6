// Texts that use characters the stroke font lacks would show boxes on the
// screen and in every output; after a load they are listed in the log beside
// the design, so the designer can find them by level and position.
//
// Runs on the thread that loads; the canvas window owns the messages.
#include "edit/font_miss_log.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/layout_text.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_env.h"
#include "platform/qzt_font.h"
#include "platform/qzt_runtime.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"
#include "app/frame_state.h"
#include "view/cnv.h"

// The index of the first character the font lacks, or -1.
static int FirstMissing(const TextRecord* t)
{
    int count = t->charCount;
    if (count > TEXT_MAX_CHARS) count = TEXT_MAX_CHARS;
    for (int i = 0; i < count; ++i)
        if (!FNT_GetFontInformation(t->chars[i])) return i;
    return -1;
}

static void WriteLine(HANDLE log, const char* line)
{
    if (log == INVALID_HANDLE_VALUE) return;
    DWORD length = (DWORD)strlen(line), written = 0;
    SetFilePointer(log, 0, nullptr, FILE_END);
    if (!WriteFile(log, line, length, &written, nullptr) || written != length) {
        MessageBeep(MB_ICONHAND);
        MessageBoxA(nullptr, "Log Write Error.", nullptr, MB_OK | MB_ICONHAND);
    }
}

int FILE_FontMissLog()
{
    HWND hCanvas = CNV_GetWindow();
    DdmContext* ctx = DDM_Open(ROT_GetDesignHandle());
    int levels = TLV_Get_Level_UseNum(DDM_Open_LevelTable(ctx));

    char path[MAX_PATH + 16];
    snprintf(path, sizeof path, "%sread_err.log", ENV_GetPCBpathfile(ENV_GetENVClass()));
    HANDLE log = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (log == INVALID_HANDLE_VALUE) ErrMsgFormat(hCanvas, GetLastError(), "ファイルオープン");

    int found = 0;
    for (int level = 1; level <= levels; ++level) {
        for (void* page = dam_NextPage(nullptr, DCODE_TEXT, DAM_SEL_LEVEL, level); page;
             page = dam_NextPage(page, DCODE_TEXT, DAM_SEL_LEVEL, level)) {
            void* data = dam_GetDataAddress(page);
            int count = dam_Get_cnt_of_DataPH(data);
            for (int r = 0; r < count; ++r) {
                const TextRecord* t = (const TextRecord*)PageRecord(data, r, sizeof(TextRecord));
                if ((t->status & ES_DELETED) || t->exempt > 0) continue;
                int miss = FirstMissing(t);
                if (miss < 0) continue;
                char text[2 * TEXT_MAX_CHARS + 1];
                int n = t->charCount < 0 ? 0 : (t->charCount > TEXT_MAX_CHARS ? TEXT_MAX_CHARS : t->charCount);
                Short2Char(text, t->chars, n);
                char line[512];
                snprintf(line, sizeof line,
                         "[Level%3d] [文字CODE 0x%4x ] [%2dbyte目] [文字列 (%s) ] [座標(%.3lf,%.3lf)]TEXT.FNTに存在しません%s",
                         level, (unsigned)t->chars[miss], miss, text, t->x / 100000.0, t->y / 100000.0, "\r\n");
                WriteLine(log, line);
                found = 1;
            }
        }
    }
    if (found)
        MessageBoxA(hCanvas, "TEXT.FNTﾌｧｲﾙに不足しているﾌｫﾝﾄがあります\n read_err.logﾌｧｲﾙを確認してください", "警告",
                    MB_ICONEXCLAMATION);
    if (log != INVALID_HANDLE_VALUE) CloseHandle(log);
    DAM_Close(ctx);
    return 1;
}
