// Design loading in the whole viewer: the demo board fitted into the canvas,
// the file-name rules, a damaged design, the check messages that point to
// "read_err.log", and arcs too large to keep.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/file_load.h"
#include "app/rot.h"
#include "load_fixture.h"
#include "platform/layout_line.h"
#include "platform/layout_page.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_env.h"
#include "platform/qzt_runtime.h"
#include "view/cnv.h"

namespace {

// The demo board has a text in characters the stroke font lacks: each load
// of it warns once, and says nothing else.
const char FONT_WARNING[] = "TEXT.FNTﾌｧｲﾙに不足しているﾌｫﾝﾄがあります\n read_err.logﾌｧｲﾙを確認してください";

std::string DesignName() { return ENV_GetPCBpathfile(ENV_GetENVClass()) + 260; }

std::string Message(const char* format, const std::string& log)
{
    char text[800];
    std::snprintf(text, sizeof text, format, log.c_str());
    return text;
}

std::vector<LineRecord> LiveFigures()
{
    std::vector<LineRecord> out;
    for (void* p = dam_NextPage(nullptr, DCODE_LINE, DAM_SEL_ALL, 0); p; p = dam_NextPage(p, DCODE_LINE, DAM_SEL_ALL, 0)) {
        void* d = dam_GetDataAddress(p);
        for (int i = 0; i < dam_Get_cnt_of_DataPH(d); ++i) {
            LineRecord r;
            std::memcpy(&r, PageRecord(d, i, sizeof(LineRecord)), sizeof r);
            if (!(r.status & ES_DELETED)) out.push_back(r);
        }
    }
    return out;
}

// What the message boxes said, for a failure's report.
std::string Said(KIT_DialogWatch* watch)
{
    std::string out;
    for (const KIT_SeenDialog& d : watch->Seen()) out += "[" + d.caption + "] " + d.text + "\n";
    return out;
}

class DesignLoad : public ::testing::Test {
protected:
    void Start(const char* first = "demo.tpw", const std::vector<std::pair<int, std::string>>& answers = {})
    {
        f = LF_Start(first, &commands, answers);
        ASSERT_NE(f->frame, nullptr);
        ASSERT_TRUE(LF_WaitLoad(f));
    }
    void TearDown() override { delete commands; }
    // The message boxes seen since `from`.
    std::vector<KIT_SeenDialog> Since(size_t from)
    {
        std::vector<KIT_SeenDialog> all = commands->Seen();
        return std::vector<KIT_SeenDialog>(all.begin() + (long)std::min(from, all.size()), all.end());
    }
    std::string Log() { return f->folder + "read_err.log"; }

    LoadFixture* f = nullptr;
    KIT_DialogWatch* commands = nullptr;  // message boxes of the command thread
};

// The view shows the whole extent with 5 % around it, centred, filling the
// canvas in one direction, in the canvas's proportions.
void ExpectFitted(const int32_t box[4])
{
    CanvasState* cs = CNV_GetState();
    ASSERT_NE(cs, nullptr);
    ASSERT_GT(cs->cxViewUnits, 0);
    const BoardRect& v = cs->rcView;
    double w = ((double)box[2] - box[0]) * 1.05, h = ((double)box[3] - box[1]) * 1.05;
    double vw = (double)v.right - v.left, vh = (double)v.top - v.bottom;
    EXPECT_GE(vw, w - 2);
    EXPECT_GE(vh, h - 2);
    EXPECT_TRUE(std::abs(vw - w) <= 2 || std::abs(vh - h) <= 2) << vw << " x " << vh << " for " << w << " x " << h;
    EXPECT_NEAR((v.left + (double)v.right) / 2, (box[0] + (double)box[2]) / 2, 2);
    EXPECT_NEAR((v.top + (double)v.bottom) / 2, (box[1] + (double)box[3]) / 2, 2);
    EXPECT_NEAR(vw / vh, (double)cs->cxViewUnits / cs->cyViewUnits, 0.01);
}

}  // namespace

TEST_F(DesignLoad, DemoBoardFillsTheCanvasWithFivePercentAround)
{
    Start();
    ASSERT_EQ(commands->Count(), 1u) << Said(commands);
    EXPECT_EQ(commands->Seen()[0].caption, "警告");
    EXPECT_EQ(commands->Seen()[0].text, FONT_WARNING);
    EXPECT_NE(LF_ReadFile(Log()).find("TEXT.FNTに存在しません"), std::string::npos);
    EXPECT_EQ(DesignName(), "demo");
    int32_t box[4];
    ASSERT_TRUE(LF_Extent(box));
    ExpectFitted(box);
    char title[400];
    GetWindowTextA(f->frame, title, sizeof title);
    EXPECT_NE(std::string(title).find("demo"), std::string::npos) << title;
}

TEST_F(DesignLoad, FileNamesTakeTheirExtensionAfterTheLastDot)
{
    Start();
    struct Case {
        const char* given;
        const char* design;  // the design's name afterwards
    } cases[] = {
        {"plain", "plain"},              // ".TPW" added
        {"plain.dat", "plain"},          // another extension becomes "TPW"
        {"my.board.tpw", "my.board"},    // a dot inside the name stays
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(LF_Load(f, c.given)) << c.given;
        EXPECT_EQ(DesignName(), c.design) << c.given;
        int32_t box[4];
        EXPECT_TRUE(LF_Extent(box)) << c.given;
    }
    ASSERT_EQ(commands->Count(), 4u) << Said(commands);
    for (const KIT_SeenDialog& d : commands->Seen()) EXPECT_EQ(d.text, FONT_WARNING);
}

TEST(DesignNames, NormalisedForLoading)
{
    struct Case {
        const char* given;
        const char* loaded;
        int board;
    } cases[] = {
        {"plain", "plain.TPW", 0},      {"plain.tpw", "plain.tpw", 0},   {"plain.Tpw", "plain.Tpw", 0},
        {"plain.dat", "plain.TPW", 0},  {"my.board.tpw", "my.board.tpw", 0}, {"my.board", "my.TPW", 0},
        {"old.pcb", "old.pcb", 1},      {"old.PCB", "old.PCB", 1},       {"v1.2.pcb", "v1.2.pcb", 1},
        {"name.", "name.TPW", 0},
    };
    for (const Case& c : cases) {
        char name[260];
        std::snprintf(name, sizeof name, "%s", c.given);
        EXPECT_EQ(FILE_NormaliseDesignName(name, sizeof name), c.board) << c.given;
        EXPECT_STREQ(name, c.loaded) << c.given;
        FILE_CutExtension(name);
        std::string base = c.loaded;
        EXPECT_EQ(std::string(name), base.substr(0, base.rfind('.'))) << c.given;
    }
}

TEST_F(DesignLoad, DamagedDesignLeavesAnEmptyUsableViewerWithOneMessage)
{
    Start();
    std::string bytesBefore = LF_ReadFile(f->folder + "broken.tpw");
    std::string logBefore = LF_ReadFile(Log());
    char pair[520] = {};
    std::snprintf(pair, 260, "%s", f->folder.c_str());
    std::snprintf(pair + 260, 260, "broken");
    ENV_SetPCBpathfile(ENV_GetENVClass(), pair);

    // From the menu: the file type (a design file) and the proposed file.
    KIT_DialogWatch dialogs;
    dialogs.Answer(IDOK);
    dialogs.Answer(IDOK);
    PostMessageA(f->frame, WM_COMMAND, MAKEWPARAM(40140, 0), 0);
    ASSERT_TRUE(LF_WaitLoad(f));
    EXPECT_EQ(dialogs.Count(), 2u) << Said(&dialogs);

    size_t before = 1;  // the demo's font warning
    std::vector<KIT_SeenDialog> said = Since(before);
    ASSERT_EQ(said.size(), 1u) << Said(commands);
    EXPECT_EQ(said[0].caption, "ＰＣＢ読み込み");  // the engine's, under the command's name
    int32_t box[4];
    EXPECT_FALSE(LF_Extent(box));  // the work space was made afresh before the load
    EXPECT_EQ(LF_ReadFile(f->folder + "broken.tpw"), bytesBefore);
    EXPECT_EQ(LF_ReadFile(Log()), logBefore);
    EXPECT_TRUE(IsWindow(f->frame));

    // Still usable: the next load works.
    ASSERT_TRUE(LF_Load(f, "demo.tpw"));
    EXPECT_TRUE(LF_Extent(box));
    EXPECT_EQ(DesignName(), "demo");
    said = Since(before + 1);
    ASSERT_EQ(said.size(), 1u) << Said(commands);
    EXPECT_EQ(said[0].text, FONT_WARNING);
}

TEST_F(DesignLoad, CheckMessagesNameTheFullPathOfTheLog)
{
    Start();
    // The demo board's checks find nothing: its only message is the font's.
    ASSERT_EQ(commands->Count(), 1u) << Said(commands);
    ASSERT_TRUE(LF_Load(f, "badline.tpw"));
    std::vector<KIT_SeenDialog> said = Since(1);
    ASSERT_EQ(said.size(), 1u) << Said(commands);
    KIT_SeenDialog seen = said[0];
    EXPECT_EQ(seen.caption, "警　告");
    EXPECT_EQ(seen.text, Message("設定範囲外のデータが存在します。ログファイル（%s）を参照してください。", Log()));
    EXPECT_NE(LF_ReadFile(Log()).find("線番号が範囲外です: 線番号=99"), std::string::npos);
}

TEST_F(DesignLoad, ArcsBeyondTheRadiusLimitBecomeLines)
{
    Start();
    size_t before = commands->Count();
    ASSERT_TRUE(LF_Load(f, "bigarc.tpw"));
    std::vector<KIT_SeenDialog> said = Since(before);
    ASSERT_EQ(said.size(), 1u) << Said(commands);
    KIT_SeenDialog seen = said[0];
    EXPECT_EQ(seen.caption, "警　告");
    EXPECT_NE(seen.text.find("半径が制限を超えた円弧をラインに変換しました。"), std::string::npos) << seen.text;
    EXPECT_NE(seen.text.find("ログファイル（" + Log() + "）を参照してください。"), std::string::npos) << seen.text;

    std::vector<LineRecord> figures = LiveFigures();
    ASSERT_EQ(figures.size(), 2u);
    int arcs = 0, lines = 0;
    for (const LineRecord& r : figures) {
        if (r.code == FC_LINE) {
            ++lines;
            EXPECT_EQ(r.x1, 0);
            EXPECT_EQ(r.y1, 2000000);
            EXPECT_EQ(r.x2, 1000000);
            EXPECT_EQ(r.y2, 2000000);
            EXPECT_EQ(r.lineNo, 2);
        } else {
            ++arcs;
            EXPECT_EQ(r.radius, 300000000);  // at the limit: kept
        }
    }
    EXPECT_EQ(arcs, 1);
    EXPECT_EQ(lines, 1);
    std::string log = LF_ReadFile(Log());
    EXPECT_NE(log.find("半径が制限を超えた円弧をラインに変換しました 半径= 3000.000010, level=1 "
                       "[0.0000, 20.0000]-[10.0000, 20.0000]\r\n"),
              std::string::npos)
        << log;
}

TEST_F(DesignLoad, PredecessorBoardIsReadOntoTheProgramsTemplate)
{
    // The template dialog cancelled: the template of the program folder.
    Start("demo.tpw", {{IDCANCEL, "テンプレートを開く"}});
    size_t before = commands->Count();
    ASSERT_TRUE(LF_Load(f, "sample.pcb"));
    std::vector<std::string> captions;
    for (const KIT_SeenDialog& d : Since(before)) captions.push_back(d.caption);
    ASSERT_GE(captions.size(), 3u) << Said(commands);
    EXPECT_EQ(captions[0], "テンプレートを指定してください");
    EXPECT_EQ(captions[1], "テンプレートを開く");
    // After the checks (the sample's test-point pins name a VIA its table
    // lacks, which the table check reports), the folder for the new design.
    EXPECT_NE(std::find(captions.begin() + 2, captions.end(), "フォルダの指定"), captions.end()) << Said(commands);
    for (const KIT_SeenDialog& d : Since(before))
        EXPECT_EQ(d.text.find("ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙの読み込みに失敗しました"), std::string::npos) << d.text;
    // The board's elements are in the design, and the design keeps the
    // board's name in the folder chosen for it.
    int32_t box[4];
    ASSERT_TRUE(LF_Extent(box));
    ExpectFitted(box);
    EXPECT_FALSE(LiveFigures().empty());
    EXPECT_EQ(DesignName(), "sample");
    EXPECT_EQ(std::string(ENV_GetPCBpathfile(ENV_GetENVClass())), f->folder + "sample\\");
}
