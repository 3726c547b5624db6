// The board builder: parts with their pins placed, nets joined to pins and
// found again through the PCB information record, fills with holes laid out
// as figures, texts as character codes; all of it kept by a save and load.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/board_builder.h"
#include "platform/layout_design.h"
#include "platform/layout_fill.h"
#include "platform/layout_part.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_file.h"
#include "platform/qzt_tables.h"
#include "store_test_util.h"

namespace {

std::string NetName(int net)
{
    const PcbInfData* inf = DDM_Open_PCBInfData(nullptr);
    if (net < 1 || (uint32_t)net > inf->netPageCount) return "?";
    const DataPageHeader* page =
        (const DataPageHeader*)DAM_GetPage(nullptr, inf->netPage[inf->firstNetPage + net - 1]);
    return page && page->dataCode == DCODE_NET ? std::string(page->name) : "?";
}

const ViaRecord* PinNamed(void* partPage, const char* name)
{
    int key = dam_Get_key_of_DataPH(partPage, 4);
    for (void* p = dam_NextPage(nullptr, DCODE_PIN, DAM_SEL_PART, key); p;
         p = dam_NextPage(p, DCODE_PIN, DAM_SEL_PART, key))
        for (int i = 0; i < dam_Get_cnt_of_DataPH(p); ++i) {
            const ViaRecord* pin = (const ViaRecord*)PageRecord(p, i, 60);
            if (std::strcmp(pin->name, name) == 0) return pin;
        }
    return nullptr;
}

TEST(BoardBuilder, PartsPinsAndNets)
{
    ScratchWorkSpace ws;
    int top = BLD_AddLevel("TOP", 2, 1, 0xFF);
    int silk = BLD_AddLevel("SILK", 5, 0, 0xFFFFFF);
    int line = BLD_AddLine(20000);
    int via = BLD_AddVia(60000, BLD_AddHole(30000));
    int shape = BLD_Shape("R2", {{via, -100000, 0, "1"}, {via, 100000, 0, "2"}}, silk, line,
                          {{-150000, -50000}, {150000, -50000}, {150000, 50000}, {-150000, 50000}});
    ASSERT_GT(shape, 0);
    void* r1 = BLD_Part(shape, "R1", "10K", 1000000, 2000000, 90.0, false);
    void* r2 = BLD_Part(shape, "R2", "10K", 3000000, 2000000, 0.0, true);
    ASSERT_NE(r1, nullptr);
    ASSERT_NE(r2, nullptr);

    // Pins are turned and mirrored with their part; a mirrored part's pins
    // lie on the other side.
    const ViaRecord* r1p1 = PinNamed(r1, "1");
    const ViaRecord* r2p1 = PinNamed(r2, "1");
    ASSERT_NE(r1p1, nullptr);
    ASSERT_NE(r2p1, nullptr);
    EXPECT_EQ(+(r1p1->x), 1000000);
    EXPECT_EQ(+(r1p1->y), 2000000 - 100000);
    EXPECT_EQ(+(r2p1->x), 3000000 + 100000);
    EXPECT_EQ(+(r2p1->y), 2000000);
    EXPECT_TRUE(r2p1->status & ES_OTHER_SIDE);
    EXPECT_FALSE(r1p1->status & ES_OTHER_SIDE);
    const PartRecord* part = (const PartRecord*)PageRecord(r1, 0, 0);
    EXPECT_STREQ(part->assignName, "R1");
    EXPECT_EQ(+(part->place), 90000 << 8);
    EXPECT_EQ(+(part->outline1[0][0]), 1000000 + 50000);  // (-150000, -50000) turned by 90 degrees
    EXPECT_EQ(+(part->outline1[0][1]), 2000000 - 150000);

    // Nets: numbered from 1, named through their pages, joined to pins and
    // carried by lines.
    int gnd = BLD_Net("GND");
    int sig = BLD_Net("CLK_OUT_LONG_NAME_CUT");
    EXPECT_EQ(gnd, 1);
    EXPECT_EQ(sig, 2);
    EXPECT_EQ(NetName(gnd), "GND");
    EXPECT_EQ(NetName(sig), "CLK_OUT_LONG_NA");  // 15 characters and the terminator
    EXPECT_EQ(BLD_PinNet(r1, "2", sig), PinNamed(r1, "2"));
    EXPECT_EQ(BLD_PinNet(r2, "1", sig), r2p1);
    EXPECT_EQ(BLD_PinNet(r2, "9", sig), nullptr);
    EXPECT_EQ(+(PinNamed(r1, "2")->net), sig);
    EXPECT_EQ(+(PinNamed(r1, "2")->lgnet), sig);
    EXPECT_EQ(+(PinNamed(r1, "1")->net), -1);
    EXPECT_EQ(+(BLD_Line(top, line, 1000000, 2100000, 3100000, 2000000, sig)->net), sig);

    // Everything survives a save and a load over another design.
    char path[MAX_PATH], what[256];
    GetTempPathA(MAX_PATH, path);
    std::strcat(path, "builder_nets.tpw");
    ASSERT_EQ(DDM_WriteDesignFile(path, DESIGN_KIND_TPW, what), DFE_OK) << what;
    BLD_Net("EXTRA");
    ASSERT_EQ(DDM_ReadDesignFile(path, DESIGN_KIND_TPW, nullptr, what), DFE_OK) << what;
    EXPECT_EQ(+(DDM_Open_PCBInfData(nullptr)->netPageCount), 2u);
    EXPECT_EQ(NetName(sig), "CLK_OUT_LONG_NA");
    void* second = dam_NextPage(dam_NextPage(nullptr, DCODE_PART, 0, 0), DCODE_PART, 0, 0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(+(PinNamed(second, "1")->net), sig);
    DeleteFileA(path);
}

TEST(BoardBuilder, FillWithHolesAndTexts)
{
    ScratchWorkSpace ws;
    int gnd = BLD_AddLevel("GND", 2, 1, 0xFF);
    int fillLine = BLD_AddFillLine(10000);
    int textLine = BLD_AddTextLine(10000, 100000);
    void* fill = BLD_Fill(gnd, fillLine, 5, {{0, 0}, {1000000, 0}, {1000000, 800000}, {0, 800000}},
                          {{{100000, 100000}, {200000, 100000}, {200000, 200000}},
                           {{500000, 500000}, {600000, 500000}, {600000, 600000}, {500000, 600000}}});
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(dam_Get_key_of_DataPH(fill, 1), gnd);
    EXPECT_EQ(dam_Get_key_of_DataPH(fill, 3), 5);

    // Three figures, each a head and its points, closed by the first point
    // again; points are relative to the head's offset.
    struct Figure {
        uint16_t kind;
        int points;
        int32_t lastX, lastY;
    };
    const Figure expected[] = {{FK_FIRST_FIGURE, 5, 0, 0},
                               {FK_NEXT_FIGURE, 4, 100000, 100000},
                               {FK_NEXT_FIGURE, 5, 500000, 500000}};
    int at = 0;
    for (const Figure& f : expected) {
        const FillHead* head = (const FillHead*)PageRecord(fill, at, FILL_ENTRY_SIZE);
        EXPECT_EQ(+(head->kind), f.kind) << at;
        EXPECT_EQ(+(head->lineNo), fillLine);
        EXPECT_EQ(+(head->points), f.points);
        EXPECT_EQ(+(head->entries), f.points + 1);
        for (int i = 0; i < f.points; ++i) {
            const FillPoint* p = (const FillPoint*)PageRecord(fill, at + 1 + i, FILL_ENTRY_SIZE);
            EXPECT_EQ(+(p->kind), i == 0 ? FK_FIRST_POINT : FK_POINT);
        }
        const FillPoint* last = (const FillPoint*)PageRecord(fill, at + f.points, FILL_ENTRY_SIZE);
        EXPECT_EQ(+(head->ox + last->x), f.lastX);
        EXPECT_EQ(+(head->oy + last->y), f.lastY);
        at += head->entries;
    }
    EXPECT_EQ(dam_Get_cnt_of_DataPH(fill), at);
    const FillHead* first = (const FillHead*)PageRecord(fill, 0, FILL_ENTRY_SIZE);
    EXPECT_EQ(+(first->net), 5);
    EXPECT_GT(+(first->elementNo), 0u);
    int32_t area[4];
    dam_Get_area_of_DataPH(area, fill);
    EXPECT_EQ(std::vector<int32_t>(area, area + 4), (std::vector<int32_t>{0, 0, 1000000, 800000}));
    EXPECT_EQ(BLD_Fill(gnd, fillLine, 5, {{0, 0}, {1, 1}}, {}), nullptr);

    // A text: Shift-JIS pairs make one code each; the page's box holds it.
    TextRecord* text = BLD_Text(gnd, textLine, "U1 テスト", 300000, 400000, 100000);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(+(text->charCount), 6);
    EXPECT_EQ(+(text->chars[0]), 'U');
    EXPECT_GT(+(text->chars[3]), 0x8100);
    EXPECT_EQ(+(text->textLineNo), (uint32_t)textLine);
    void* page = dam_NextPage(nullptr, DCODE_TEXT, DAM_SEL_LEVEL, gnd);
    ASSERT_NE(page, nullptr);
    dam_Get_area_of_DataPH(area, page);
    EXPECT_LE(area[0], 300000);
    EXPECT_LE(area[1], 400000);
    EXPECT_GT(area[2], 300000);
    EXPECT_GT(area[3], 400000);
}

}  // namespace
