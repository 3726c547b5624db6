// Design files: a saved design loads back byte for byte in every table and
// page; damaged, truncated and foreign files are refused with the open
// design untouched; the data checks write the load log.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "engine/board_builder.h"
#include "platform/layout_page.h"
#include "platform/layout_part.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_env.h"
#include "platform/qzt_file.h"
#include "platform/qzt_tables.h"
#include "store_test_util.h"

namespace {

// Every table and page of the open design, as bytes.
std::string Snapshot()
{
    std::string s;
    auto add = [&](const void* p, size_t n) { s.append((const char*)p, n); };
    add(ENV_GetENVClass(), sizeof(EnvRecord));
    add(TLV_Get_TlvClass(), sizeof(LevelTable));
    add(TSZ_Get_TszClass(), sizeof(SizeTable));
    add(TLL_Get_TllClass(), sizeof(LineTable));
    add(TPL_Get_TplClass(), sizeof(LineTable));
    add(TTL_Get_TtlClass(), sizeof(TextLineTable));
    add(TVT_Get_TvtClass(), sizeof(ViaTable));
    add(DDM_Open_HoleTable(nullptr), sizeof(HoleTable));
    add(DDM_Open_PCBInfData(nullptr), sizeof(PcbInfData));
    for (int code = 1; code < 256; ++code)
        for (void* p = dam_NextPage(nullptr, code, 0, 0); p; p = dam_NextPage(p, code, 0, 0))
            add(p, dam_GetDataSize(p));
    return s;
}

void BuildSmallBoard(int lines)
{
    int top = BLD_AddLevel("TOP", 2, 1, 0xFF);
    int bottom = BLD_AddLevel("BOTTOM", 2, 2, 0xFF00);
    int silk = BLD_AddLevel("SILK", 5, 0, 0xFFFFFF);
    int line = BLD_AddLine(20000);
    int fillLine = BLD_AddFillLine(10000);
    int textLine = BLD_AddTextLine(15000, 150000);
    int via = BLD_AddVia(60000, BLD_AddHole(30000));
    for (int i = 0; i < lines; ++i) BLD_Line(i % 2 ? top : bottom, line, i * 1000, 0, i * 1000, 50000, i);
    BLD_Arc(top, line, false, {100000, 0}, {0, 100000}, {0, 0});
    BLD_Via(via, 5000, 5000, 3);
    BLD_Text(silk, textLine, "U1 テスト", 1000, 2000, 150000);
    BLD_Fill(bottom, fillLine, 1, {{0, 0}, {500000, 0}, {500000, 500000}, {0, 500000}},
             {{{100000, 100000}, {200000, 100000}, {200000, 200000}}});
    int shape = BLD_Shape("R0805", {{via, -100000, 0, "1"}, {via, 100000, 0, "2"}}, silk, line,
                          {{-150000, -60000}, {150000, -60000}, {150000, 60000}, {-150000, 60000}});
    BLD_Part(shape, "R1", "10K", 300000, 300000, 90.0, false);
}

std::string TempFile(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + std::to_string(GetCurrentProcessId()) + name;
}

std::vector<char> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), (std::streamsize)bytes.size());
}

TEST(DesignFile, SavedDesignLoadsBackByteForByte)
{
    ScratchWorkSpace ws;
    BuildSmallBoard(400);
    std::string path = TempFile("board.tpw");
    char what[256];
    ASSERT_EQ(DDM_WriteDesignFile(path.c_str(), DESIGN_KIND_TPW, what), DFE_OK) << what;
    EXPECT_STREQ(DDM_Open_PCBInfData(nullptr)->writer, "Torva.exe");
    std::string saved = Snapshot();

    // Change the design, then load the file over it.
    BuildSmallBoard(10);
    ASSERT_NE(Snapshot(), saved);
    uint32_t version = 0;
    ASSERT_EQ(DDM_ReadDesignFile(path.c_str(), DESIGN_KIND_TPW, &version, what), DFE_OK) << what;
    EXPECT_EQ(version, DESIGN_VERSION);
    EXPECT_EQ(Snapshot(), saved);
    EXPECT_STREQ(DDM_Open_PCBInfData(nullptr)->writer, "Torva.exe");

    // Saving the loaded design gives the same file; walks still work.
    std::string again = TempFile("again.tpw");
    ASSERT_EQ(DDM_WriteDesignFile(again.c_str(), DESIGN_KIND_TPW, what), DFE_OK);
    EXPECT_EQ(ReadBytes(again), ReadBytes(path));
    int lines = 0;
    for (void* p = dam_NextPage(nullptr, DCODE_LINE, 0, 0); p; p = dam_NextPage(p, DCODE_LINE, 0, 0))
        lines += dam_Get_cnt_of_DataPH(p);
    EXPECT_EQ(lines, 401);

    // Into a fresh work space too, whose pages were never touched.
    WPS_Delete(ws.path.c_str());
    ASSERT_NE(WPS_Open(ws.path.c_str()), nullptr);
    ASSERT_EQ(DDM_ReadDesignFile(path.c_str(), DESIGN_KIND_TPW, &version, what), DFE_OK) << what;
    EXPECT_EQ(Snapshot(), saved);
    DeleteFileA(path.c_str());
    DeleteFileA(again.c_str());
}

TEST(DesignFile, BadFilesAreRefusedAndTheOpenDesignStays)
{
    ScratchWorkSpace ws;
    BuildSmallBoard(300);
    std::string path = TempFile("good.tpw");
    char what[256];
    ASSERT_EQ(DDM_WriteDesignFile(path.c_str(), DESIGN_KIND_TPW, what), DFE_OK);
    std::vector<char> good = ReadBytes(path);
    BuildSmallBoard(5);
    std::string before = Snapshot();

    struct Case {
        const char* name;
        std::vector<char> bytes;
        int kind;
        DesignFileError expected;
    };
    std::vector<Case> cases;
    auto flipped = [&](size_t at) {
        std::vector<char> b = good;
        b[at] ^= 0x40;
        return b;
    };
    cases.push_back({"heap byte flipped", flipped(good.size() - 100), DESIGN_KIND_TPW, DFE_DAMAGED});
    cases.push_back({"table byte flipped", flipped(128 + 32 + 100), DESIGN_KIND_TPW, DFE_DAMAGED});
    cases.push_back({"header byte flipped", flipped(20), DESIGN_KIND_TPW, DFE_DAMAGED});
    cases.push_back({"truncated", std::vector<char>(good.begin(), good.end() - 5000), DESIGN_KIND_TPW, DFE_TRUNCATED});
    cases.push_back({"header only", std::vector<char>(good.begin(), good.begin() + 128), DESIGN_KIND_TPW, DFE_TRUNCATED});
    cases.push_back({"empty", {}, DESIGN_KIND_TPW, DFE_FOREIGN});
    std::string text = "%wpsname:board\r\n";
    cases.push_back({"text file", std::vector<char>(text.begin(), text.end()), DESIGN_KIND_TPW, DFE_FOREIGN});
    cases.push_back({"design as template", good, DESIGN_KIND_TTP, DFE_KIND});

    std::string bad = TempFile("bad.tpw");
    for (const Case& c : cases) {
        WriteBytes(bad, c.bytes);
        uint32_t version = 0;
        EXPECT_EQ(DDM_ReadDesignFile(bad.c_str(), c.kind, &version, what), c.expected) << c.name;
        EXPECT_NE(what[0], 0) << c.name;
        EXPECT_EQ(Snapshot(), before) << c.name;
    }
    EXPECT_EQ(DDM_ReadDesignFile(TempFile("missing.tpw").c_str(), DESIGN_KIND_TPW, nullptr, what), DFE_OPEN);
    EXPECT_EQ(Snapshot(), before);
    DeleteFileA(bad.c_str());
    DeleteFileA(path.c_str());
}

TEST(DesignFile, FailedSaveKeepsTheOldFile)
{
    ScratchWorkSpace ws;
    BuildSmallBoard(20);
    std::string path = TempFile("keep.tpw");
    char what[256];
    ASSERT_EQ(DDM_WriteDesignFile(path.c_str(), DESIGN_KIND_TPW, what), DFE_OK);
    std::vector<char> old = ReadBytes(path);
    // The temporary cannot be made: a folder stands in its place.
    std::string tmp = path + ".$" + std::to_string(GetCurrentProcessId()) + "$";
    CreateDirectoryA(tmp.c_str(), nullptr);
    BuildSmallBoard(50);
    EXPECT_EQ(DDM_WriteDesignFile(path.c_str(), DESIGN_KIND_TPW, what), DFE_WRITE);
    EXPECT_EQ(ReadBytes(path), old);
    RemoveDirectoryA(tmp.c_str());
    DeleteFileA(path.c_str());
}

TEST(DesignFile, DataChecksWriteTheLoadLog)
{
    struct Case {
        const char* name;
        std::function<void()> fault;
        int tableResult, areaResult;  // 0: the check logged
        const char* logged;           // a piece of the log's text
    };
    const std::vector<Case> cases = {
        {"clean board", [] {}, 1, 1, nullptr},
        {"line number beyond the table", [] { BLD_Line(1, 99, 0, 0, 10, 10); }, 0, 1, "=99,"},
        {"VIA number above 65535",
         [] { BLD_Via(1, 0, 0)->defViaTbl = 1; }, 0, 1, "=65537,"},
        {"text on a level the table lacks",
         [] { BLD_Text(9, 1, "X", 0, 0, 100000); }, 0, 1, "level=9,"},
        {"part whose shape is gone",
         [] {
             void* page = dam_NextPage(nullptr, DCODE_PART, 0, 0);
             ((PartRecord*)PageRecord(page, 0, 0))->shapeNo = 77;
         },
         0, 1, "=77,"},
        {"line beyond the work area", [] { BLD_Line(1, 1, 0, 0, 160000000, 10); }, 1, 0, "1600.0000"},
        {"fill point beyond the work area",
         [] { BLD_Fill(2, 1, 1, {{0, 0}, {-151000000, 0}, {0, 500000}}, {}); }, 1, 0, "-1510.0000"},
    };
    std::string log = TempFile("read_err.log");
    for (const Case& c : cases) {
        ScratchWorkSpace ws;
        BuildSmallBoard(10);
        c.fault();
        DeleteFileA(log.c_str());
        DdmContext* ctx = DDM_Open(ws.hDesign);
        EXPECT_EQ(DDM_TabalNoCheck(ctx, nullptr, log.c_str()), c.tableResult) << c.name;
        EXPECT_EQ(DDM_AllDataAreaCheck(ctx, nullptr, log.c_str()), c.areaResult) << c.name;
        DDM_Close(ctx);
        std::vector<char> bytes = ReadBytes(log);
        std::string text(bytes.begin(), bytes.end());
        if (c.logged)
            EXPECT_NE(text.find(c.logged), std::string::npos) << c.name << ": " << text;
        else
            EXPECT_EQ(GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
    }
    DeleteFileA(log.c_str());
}

}  // namespace

#include "kit/gui_kit.h"
#include "platform/trvdlg.h"

namespace {

struct CountingProgress : DoingProgress {
    uint64_t lastDone = 0, lastTotal = 0;
    int reports = 0;
};

void Count(DoingProgress* self, uint64_t done, uint64_t total)
{
    CountingProgress* p = (CountingProgress*)self;
    p->lastDone = done;
    p->lastTotal = total;
    ++p->reports;
}

TEST(DesignFile, LoadTpwReportsProgressAndSaysWhyItRefuses)
{
    ScratchWorkSpace ws;
    BuildSmallBoard(50);
    std::string path = TempFile("pair.tpw");
    char what[256];
    ASSERT_EQ(DDM_WriteDesignFile(path.c_str(), DESIGN_KIND_TPW, what), DFE_OK);
    char pair[520] = {};
    size_t slash = path.find_last_of('\\');
    std::strcpy(pair, path.substr(0, slash + 1).c_str());
    std::strcpy(pair + 260, path.substr(slash + 1).c_str());

    CountingProgress progress{};
    progress.report = Count;
    uint32_t version = 0;
    DdmContext* ctx = DDM_Open(ws.hDesign);
    EXPECT_EQ(DDM_LoadTPW(nullptr, ctx, pair, 1, &version, "読み込み", &progress), 1);
    EXPECT_EQ(version, DESIGN_VERSION);
    EXPECT_GT(progress.reports, 0);
    EXPECT_EQ(progress.lastDone, progress.lastTotal);

    // A truncated file: the engine's own message, naming the file.
    std::vector<char> bytes = ReadBytes(path);
    bytes.resize(bytes.size() / 2);
    WriteBytes(path, bytes);
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    EXPECT_EQ(DDM_LoadTPW(nullptr, ctx, pair, 1, &version, "読み込み", nullptr), 0);
    std::vector<KIT_SeenDialog> seen = watch.Seen();
    std::string names;
    for (const KIT_SeenDialog& d : seen) names += "[" + d.caption + "] " + d.text + "\n";
    ASSERT_EQ(seen.size(), 1u) << names;
    EXPECT_EQ(seen[0].caption, "読み込み");
    EXPECT_NE(seen[0].text.find("途中で切れています"), std::string::npos);
    EXPECT_NE(seen[0].text.find("pair.tpw"), std::string::npos);
    DDM_Close(ctx);
    DeleteFileA(path.c_str());
}

}  // namespace
