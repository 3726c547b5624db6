// The settings file: key readers with their defaults, the line splitters, and
// the rewrite through the scratch file that keeps every other line and never
// loses the old file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/ini.h"
#include "kit/gui_kit.h"

namespace {

// A fresh folder per test; the settings file of the program folder is never
// touched.
class IniFolder {
public:
    IniFolder()
    {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::string(tmp) + "torva_ini_" + info->name() + "_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
        Remove();
    }
    ~IniFolder()
    {
        Remove();
        RemoveDirectoryA(dir_.c_str());
    }
    const char* Dir() const { return dir_.c_str(); }
    std::string File() const { return dir_ + "torva.ini"; }
    void Write(const std::string& bytes) const
    {
        std::ofstream(File(), std::ios::binary) << bytes;
    }
    std::string Read() const
    {
        std::ifstream f(File(), std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    bool ScratchLeft() const { return GetFileAttributesA((dir_ + "$TEMP").c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    // Also what a run stopped midway left, since Wine soon gives a later
    // test program the same process id: the settings file, a scratch file,
    // or the folder made in the scratch file's place.
    void Remove() const
    {
        DeleteFileA(File().c_str());
        DeleteFileA((dir_ + "$TEMP").c_str());
        RemoveDirectoryA((dir_ + "$TEMP").c_str());
    }
    std::string dir_;
};

}  // namespace

TEST(SettingsFile, LineKeyAndValue)
{
    struct Row {
        const char* line;
        int hasKey;
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"%ZoomMAX:400\n", 1, "ZoomMAX", "400"},
        {"%pcbpath:C:\\a:b\\\n", 1, "pcbpath", "C:\\a:b\\"},  // value keeps later colons
        {"%%odd%:x\n", 1, "odd", "x"},                       // every percent sign dropped
        {"no colon here\n", 0, "(old)", ""},
        {"%empty:\n", 1, "empty", ""},
    };
    for (const Row& r : rows) {
        char key[32] = "(old)";
        char value[64] = "(old)";
        EXPECT_EQ(INI_GetLineKey(r.line, key, sizeof(key)), r.hasKey) << r.line;
        EXPECT_STREQ(key, r.key) << r.line;
        INI_GetLineValue(r.line, value, sizeof(value));
        EXPECT_STREQ(value, r.value) << r.line;
    }
    char key[8] = "kept";
    EXPECT_EQ(INI_GetLineKey("", key, sizeof(key)), 0);
    EXPECT_STREQ(key, "kept") << "an empty line leaves the buffer as it was";
    char small[4];
    INI_GetLineKey("%longkey:1\n", small, sizeof(small));
    EXPECT_STREQ(small, "lon") << "the key is cut to the buffer";
}

TEST(SettingsFile, ReadersOnAMissingFileAndMissingKeys)
{
    IniFolder d;
    char buf[300];
    EXPECT_EQ(INI_ReadWpsName(d.Dir(), buf, sizeof(buf)), nullptr);
    EXPECT_EQ(INI_ReadLastDesignPath(buf, sizeof(buf), d.Dir()), nullptr);
    EXPECT_EQ(INI_ReadTvMode(d.Dir()), 0);
    EXPECT_EQ(INI_ReadMove(d.Dir()), 0);
    EXPECT_EQ(INI_ReadDisplayWidth(d.Dir()), 0);
    EXPECT_EQ(INI_ReadZoomMax(d.Dir()), 0.0);
    EXPECT_EQ(INI_ReadMainGrid(d.Dir()), 0.0);
    EXPECT_EQ(INI_ReadSubGrid(d.Dir()), 0.0);

    d.Write("%other:1\r\n%wpsname:\r\n");
    EXPECT_STREQ(INI_ReadWpsName(d.Dir(), buf, sizeof(buf)), " no name ");
    EXPECT_EQ(INI_ReadTvMode(d.Dir()), 0);
    EXPECT_EQ(INI_ReadMove(d.Dir()), -1);
    EXPECT_EQ(INI_ReadDisplayWidth(d.Dir()), 0);
    EXPECT_EQ(INI_ReadZoomMax(d.Dir()), 0.0);
    EXPECT_EQ(INI_ReadMainGrid(d.Dir()), 2.0);
    EXPECT_EQ(INI_ReadSubGrid(d.Dir()), 3.0);
}

TEST(SettingsFile, ReadersTakeValuesByKeyInAnyCase)
{
    IniFolder d;
    d.Write("%ZOOMMAX:800\r\n"       // capitals match
            "%display:300\n"         // a bare line feed ends a line too
            "%display:340\r\n"       // a later line wins
            "%Move:30\r\n"
            "%maingrid:4.5\r\n"
            "%subgrid:6\r\n"
            "%tvmode:1\r\n"
            "%subgrid:7");           // no line break: not examined
    EXPECT_EQ(INI_ReadZoomMax(d.Dir()), 800.0);
    EXPECT_EQ(INI_ReadDisplayWidth(d.Dir()), 340);
    EXPECT_EQ(INI_ReadMove(d.Dir()), -1) << "30 is not a move step";
    EXPECT_EQ(INI_ReadMainGrid(d.Dir()), 4.5);
    EXPECT_EQ(INI_ReadSubGrid(d.Dir()), 6.0);
    EXPECT_EQ(INI_ReadTvMode(d.Dir()), 1);

    struct Row {
        const char* text;
        int mode;
    };
    for (Row r : {Row{"%tvmode:0\r\n", 0}, Row{"%tvmode:1x\r\n", 1}, Row{"%tvmode:7\r\n", 2}, Row{"%Move:50\r\n", 50}}) {
        d.Write(r.text);
        int got = std::string(r.text).find("Move") != std::string::npos ? INI_ReadMove(d.Dir()) : INI_ReadTvMode(d.Dir());
        EXPECT_EQ(got, r.mode) << r.text;
    }
}

TEST(SettingsFile, LastDesignPathDropsOnlyTheExtension)
{
    IniFolder d;
    char buf[300];
    d.Write("%pcbpath:C:\\designs\\\r\n%wpsname:board.tpw\r\n");
    EXPECT_STREQ(INI_ReadLastDesignPath(buf, sizeof(buf), d.Dir()), "C:\\designs\\board");
    d.Write("%pcbpath:C:\\designs\\\r\n%wpsname:my.board\r\n");
    EXPECT_STREQ(INI_ReadLastDesignPath(buf, sizeof(buf), d.Dir()), "C:\\designs\\my.board");
    d.Write("%pcbpath:C:\\designs\\\r\n");
    EXPECT_STREQ(INI_ReadLastDesignPath(buf, sizeof(buf), d.Dir()), " no name ");
    // The path reader takes lines up to 255 characters, the others 99.
    std::string longDir = "C:\\" + std::string(150, 'd') + "\\";
    d.Write("%pcbpath:" + longDir + "\r\n%wpsname:b\r\n");
    EXPECT_EQ(std::string(INI_ReadLastDesignPath(buf, sizeof(buf), d.Dir())), longDir + "b");
}

TEST(SettingsFile, GridValueFormatsForNewAndRewrittenFiles)
{
    IniFolder d;
    EXPECT_EQ(INI_WriteMainGrid(0.5, d.Dir()), 1) << "creating the file is a success";
    EXPECT_EQ(d.Read(), "%maingrid:0.500000\r\n");
    EXPECT_EQ(INI_WriteMainGrid(0.5, d.Dir()), 1);
    EXPECT_EQ(d.Read(), "%maingrid:0.500\r\n");
    EXPECT_EQ(INI_WriteSubGrid(3.25, d.Dir()), 1);
    EXPECT_EQ(d.Read(), "%maingrid:0.500\r\n%subgrid:3.250\r\n");
    EXPECT_EQ(INI_ReadSubGrid(d.Dir()), 3.25);
    EXPECT_FALSE(d.ScratchLeft());
}

TEST(SettingsFile, RewriteKeepsEveryOtherLineInItsOrder)
{
    IniFolder d;
    d.Write("; a comment of somebody's\r\n"
            "%Direct2D:Enable\r\n"
            "%MainGrid:9\r\n"        // another case: not the writer's line
            "%maingrid:1.000\r\n"
            "\r\n"
            "%ALPHA_STRING:0.5\n"
            "%hand:edited");          // last line without a break
    ASSERT_EQ(INI_WriteMainGrid(2.5, d.Dir()), 1);
    EXPECT_EQ(d.Read(), "; a comment of somebody's\r\n"
                        "%Direct2D:Enable\r\n"
                        "%MainGrid:9\r\n"
                        "%maingrid:2.500\r\n"
                        "\r\n"
                        "%ALPHA_STRING:0.5\r\n"
                        "%hand:edited\r\n");
    ASSERT_EQ(INI_WritePcbPath("D:\\work\\", d.Dir()), 1);
    std::string after = d.Read();
    const std::string appended = "%hand:edited\r\n%pcbpath:D:\\work\\\r\n";
    ASSERT_GE(after.size(), appended.size());
    EXPECT_EQ(after.substr(after.size() - appended.size()), appended) << "an unknown key is appended";
}

TEST(SettingsFile, DesignNameWritesTheWorkModeToo)
{
    IniFolder d;
    ASSERT_EQ(INI_WriteWpsName("board", d.Dir()), 1);
    EXPECT_EQ(d.Read(), "%wpsname:board\r\n%tvmode:0\r\n");
    ASSERT_EQ(INI_WriteWpsName("other", d.Dir()), 1);
    EXPECT_EQ(d.Read(), "%wpsname:other\r\n%tvmode:0\r\n");
}

TEST(SettingsFile, FailedScratchFileLeavesTheFileAndSaysSo)
{
    IniFolder d;
    const std::string before = "%pcbpath:C:\\x\\\r\n%maingrid:1.000\r\n";
    d.Write(before);
    // A folder of the scratch file's name: the scratch file cannot be created.
    ASSERT_TRUE(CreateDirectoryA((std::string(d.Dir()) + "$TEMP").c_str(), nullptr));
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    watch.Answer(IDOK);
    EXPECT_EQ(INI_WritePcbPath("D:\\y\\", d.Dir()), 0);
    EXPECT_EQ(INI_WriteMainGrid(4.0, d.Dir()), 0);
    ASSERT_EQ(watch.Count(), 2u);
    EXPECT_EQ(watch.Seen()[0].text, "ファイルTorva.Iniをオープンできません");
    EXPECT_EQ(watch.Seen()[0].caption, "pcbpathname registor");
    EXPECT_EQ(watch.Seen()[1].caption, "wpsname registor");
    EXPECT_EQ(d.Read(), before);
}

TEST(SettingsFile, FailedReplaceKeepsTheOldFileWhole)
{
    IniFolder d;
    const std::string before = "%wpsname:board\r\n%maingrid:1.000\r\n%keep:me\r\n";
    d.Write(before);
    // Another program holds the settings file open for reading without
    // letting it be deleted: the file reads, the scratch file is written in
    // full, and only the last step, the replace, fails.
    HANDLE held = CreateFileA(d.File().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(INI_WriteMainGrid(5.0, d.Dir()), 0);
    CloseHandle(held);
    EXPECT_EQ(d.Read(), before);
    EXPECT_FALSE(d.ScratchLeft()) << "the scratch file is removed after a failure";
}
