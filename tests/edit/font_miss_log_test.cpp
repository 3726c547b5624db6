// The missing-glyph log: one line per text for its first missing character,
// deleted and exempt texts skipped, the warning only when something was found.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "edit/font_miss_log.h"
#include "engine/board_builder.h"
#include "kit/gui_kit.h"
#include "platform/qzt_env.h"
#include "platform/qzt_font.h"
#include "platform/qzt_wps.h"

namespace {

struct Scratch {
    std::string folder, wps;
    Scratch()
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        folder = std::string(dir) + "fontlog_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        wps = folder + "t.wps";
        WPS_Open(wps.c_str());
        char pair[520] = {};
        snprintf(pair, 260, "%s", folder.c_str());
        snprintf(pair + 260, 260, "board");
        ENV_SetPCBpathfile(ENV_GetENVClass(), pair);
    }
    ~Scratch()
    {
        WPS_Delete(wps.c_str());
        DeleteFileA((folder + "read_err.log").c_str());
        RemoveDirectoryA(folder.c_str());
    }
    std::string Log()
    {
        HANDLE h = CreateFileA((folder + "read_err.log").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "<none>";
        std::string s(65536, '\0');
        DWORD n = 0;
        ReadFile(h, s.data(), (DWORD)s.size(), &n, nullptr);
        CloseHandle(h);
        s.resize(n);
        return s;
    }
    void CreateLog(const char* first)
    {
        HANDLE h = CreateFileA((folder + "read_err.log").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n;
        WriteFile(h, first, (DWORD)strlen(first), &n, nullptr);
        CloseHandle(h);
    }
};

}  // namespace

TEST(FontGlyphs, KnownAndMissingCodes)
{
    EXPECT_NE(FNT_GetFontInformation('A'), nullptr);
    EXPECT_NE(FNT_GetFontInformation(' '), nullptr);
    EXPECT_EQ(FNT_GetFontInformation(0x7F), nullptr);
    EXPECT_EQ(FNT_GetFontInformation(0x8341), nullptr);  // a katakana letter
    const FontGlyph* g = FNT_GetFontInformation('1');
    ASSERT_NE(g, nullptr);
    EXPECT_GE(g->n, 2);
    uint16_t codes[3] = {'A', 0x8341, 'B'};
    char text[8];
    EXPECT_STREQ(Short2Char(text, codes, 3), "A\x83\x41" "B");
}

TEST(FontMissLog, OneLinePerTextForItsFirstMissingCharacter)
{
    Scratch s;
    int level = BLD_AddLevel("L1", 1, 1, 0);
    BLD_AddLevel("L2", 1, 2, 0);
    int tl = BLD_AddTextLine(1000, 100000);
    BLD_Text(level, tl, "OK", 0, 0, 100000);
    BLD_Text(level, tl, "Aアイ", 150000, 250000, 100000);  // two missing: only the first is named
    TextRecord* gone = BLD_Text(level, tl, "ウ", 0, 0, 100000);
    gone->status |= 0x80000000u;
    TextRecord* exempt = BLD_Text(level, tl, "エ", 0, 0, 100000);
    exempt->exempt = 1;
    s.CreateLog("before\r\n");

    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    EXPECT_EQ(FILE_FontMissLog(), 1);
    ASSERT_EQ(watch.Count(), 1u);
    EXPECT_EQ(watch.Seen()[0].caption, "警告");
    EXPECT_EQ(watch.Seen()[0].text, "TEXT.FNTﾌｧｲﾙに不足しているﾌｫﾝﾄがあります\n read_err.logﾌｧｲﾙを確認してください");
    EXPECT_EQ(s.Log(), std::string("before\r\n") +
                           "[Level  1] [文字CODE 0x8341 ] [ 1byte目] [文字列 (Aアイ) ] [座標(1.500,2.500)]TEXT.FNTに存在しません\r\n");
}

TEST(FontMissLog, NothingFoundShowsNothing)
{
    Scratch s;
    int level = BLD_AddLevel("L1", 1, 1, 0);
    int tl = BLD_AddTextLine(1000, 100000);
    BLD_Text(level, tl, "ABC 123", 0, 0, 100000);
    s.CreateLog("");
    KIT_DialogWatch watch;
    EXPECT_EQ(FILE_FontMissLog(), 1);
    EXPECT_EQ(watch.Count(), 0u);
    EXPECT_EQ(s.Log(), "");
}

TEST(FontMissLog, MissingLogIsReportedAndNotCreatedButTheWarningStays)
{
    Scratch s;
    int level = BLD_AddLevel("L1", 1, 1, 0);
    int tl = BLD_AddTextLine(1000, 100000);
    BLD_Text(level, tl, "ア", 0, 0, 100000);
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    watch.Answer(IDOK);
    EXPECT_EQ(FILE_FontMissLog(), 1);
    ASSERT_EQ(watch.Count(), 2u);
    EXPECT_EQ(watch.Seen()[0].caption, "ファイルオープン");
    EXPECT_EQ(watch.Seen()[1].caption, "警告");
    EXPECT_EQ(s.Log(), "<none>");
}
