// The repair passes after a load, on designs made in a scratch work space:
// the clearance-rule upgrade of old designs and the element numbers.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/file_load.h"
#include "engine/board_builder.h"
#include "platform/layout_fill.h"
#include "platform/layout_line.h"
#include "platform/layout_page.h"
#include "platform/layout_tables.h"
#include "platform/layout_text.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"

namespace {

class Repairs : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        path = std::string(temp) + "load_repairs_" + std::to_string(GetCurrentProcessId()) + ".wps";
        space = WPS_Open(path.c_str());
        ASSERT_NE(space, nullptr);
    }
    void TearDown() override
    {
        WPS_Close(space);
        WPS_Delete(path.c_str());
    }
    std::string path;
    void* space = nullptr;
};

int Code(int from, int to) { return TRL_MakeClearanceCode(0x2000000, from, to); }

}  // namespace

TEST_F(Repairs, OldClearanceCodesGainTheirNewPartners)
{
    struct Case {
        const char* name;
        uint32_t version;
        std::vector<RuleClearance> before;
        std::vector<RuleClearance> after;  // the record's first entries afterwards
    } cases[] = {
        {"old only: the new partner gets its value", 15001100,
         {{Code(0x11, 0x11), 0, 250}},
         {{Code(0x11, 0x11), 0, 250}, {Code(0x11, 0x90), 0, 250}}},
        {"new only: no value", 15001100, {{Code(0x11, 0x90), 0, 300}}, {{Code(0x11, 0x90), 0, -1}}},
        {"both: the new one takes the old value", 15001100,
         {{Code(0x13, 0x11), 0, 120}, {Code(0x13, 0x50), 0, 999}},
         {{Code(0x13, 0x11), 0, 120}, {Code(0x13, 0x50), 0, 120}}},
        {"a newer design is left alone", 15001101, {{Code(0x13, 0x13), 0, 80}}, {{Code(0x13, 0x13), 0, 80}, {0, 0, 0}}},
    };
    for (const Case& c : cases) {
        RuleTable* t = DDM_Open_RuleTable(DDM_Open(nullptr));
        t->count = 1;
        std::fill(std::begin(t->rule[0].entry), std::end(t->rule[0].entry), RuleClearance{0, 0, 0});
        for (size_t i = 0; i < c.before.size(); ++i) t->rule[0].entry[i] = c.before[i];
        EXPECT_EQ(FILE_UpgradeRuleTable(c.version), c.version <= 15001100 ? 1 : 0) << c.name;
        for (size_t i = 0; i < c.after.size(); ++i) {
            EXPECT_EQ(t->rule[0].entry[i].code, c.after[i].code) << c.name << " entry " << i;
            EXPECT_EQ(t->rule[0].entry[i].value, c.after[i].value) << c.name << " entry " << i;
        }
    }
}

TEST_F(Repairs, FullRuleRecordGainsNothing)
{
    RuleTable* t = DDM_Open_RuleTable(DDM_Open(nullptr));
    t->count = 1;
    for (int i = 0; i < 128; ++i) t->rule[0].entry[i] = {Code(0x20 + i % 8, 0x20), 0, i};
    t->rule[0].entry[5] = {Code(0x11, 0x11), 0, 77};
    RuleRecord before = t->rule[0];
    EXPECT_EQ(FILE_UpgradeRuleTable(15000000), 1);
    EXPECT_EQ(memcmp(&before, &t->rule[0], sizeof before), 0);
}

TEST_F(Repairs, ElementsAreNumberedLevelByLevelInPageOrderWithoutGaps)
{
    int l1 = BLD_AddLevel("L1", 2, 1, 0x0000C0);
    int l2 = BLD_AddLevel("L2", 2, 2, 0x00C000);
    int line = BLD_AddLine(20000);
    int fillLine = BLD_AddFillLine(20000);
    int textLine = BLD_AddTextLine(15000, 100000);
    int via = BLD_AddVia(60000, BLD_AddHole(30000));
    // Made in this order: a text on level 1, a line on level 2, a line on
    // level 1, a VIA (VIAs live on level 0), a fill on level 1.
    TextRecord* text = BLD_Text(l1, textLine, "A", 0, 0, 100000);
    LineRecord* lineOn2 = BLD_Line(l2, line, 0, 0, 1000000, 0);
    LineRecord* lineOn1 = BLD_Line(l1, line, 0, 500000, 1000000, 500000);
    ViaRecord* v = BLD_Via(via, 200000, 200000);
    void* fill = BLD_Fill(l1, fillLine, -1, {{0, 0}, {1000000, 0}, {1000000, 1000000}, {0, 1000000}}, {});
    ASSERT_TRUE(text && lineOn2 && lineOn1 && v && fill);

    EXPECT_EQ(FILE_NumberElements(DDM_Open(nullptr)), 0);
    EXPECT_EQ(v->elementNo, 1u);
    EXPECT_EQ(text->elementNo, 2u);
    EXPECT_EQ(lineOn1->elementNo, 3u);
    EXPECT_EQ(((FillHead*)((char*)fill + 112))->elementNo, 4u);
    EXPECT_EQ(lineOn2->elementNo, 5u);
}

TEST_F(Repairs, FiguresThatAreNeitherLinesNorArcsAreDropped)
{
    int level = BLD_AddLevel("L1", 2, 1, 0x0000C0);
    int line = BLD_AddLine(20000);
    LineRecord* straight = BLD_Line(level, line, 0, 0, 1000000, 0);
    LineRecord* arc = BLD_Arc(level, line, false, {0, 0}, {1000000, 0}, {500000, 0});
    LineRecord* odd = BLD_Line(level, line, 0, 500000, 1000000, 500000);
    odd->code = FC_VIA;
    EXPECT_EQ(FILE_DropNonLineFigures(), 1);
    EXPECT_FALSE(straight->status & ES_DELETED);
    EXPECT_FALSE(arc->status & ES_DELETED);
    EXPECT_TRUE(odd->status & ES_DELETED);
    EXPECT_EQ(FILE_DropNonLineFigures(), 0);  // nothing left to drop
}
