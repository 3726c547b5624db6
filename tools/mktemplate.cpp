// mktemplate: writes the template that predecessor boards are read onto.
//   mktemplate OUT.ttp
// A board brings the entries of its tables (levels, line widths, VIAs,
// fonts) and its elements, but not the tables' sizes: those are the
// template's. This one holds no data and gives the level table and the line,
// fill-line and text-line tables 255 rows each, row n using size n, which
// is where the board reader puts the width of its line-table row n. The
// work space is a scratch file beside the output, deleted at the end; the
// template goes through a temporary file, so a reader never sees half of it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "engine/board_builder.h"
#include "platform/layout_tables.h"
#include "platform/qzt_file.h"
#include "platform/qzt_tables.h"
#include "platform/qzt_wps.h"

namespace {

constexpr int ROWS = 255;

void LineRows(LineTable* t)
{
    for (int n = 1; n <= ROWS; ++n) {
        LineEntry& e = t->entry[n];
        e.number = (uint32_t)n;
        e.aptNo = n;
        e.dispMode = 3;
        e.tblNo = n;
        e.color = (uint32_t)n;
    }
    t->useNum = t->dispNum = ROWS;
    t->activeNo = 1;
}

void MakeTables()
{
    for (int k = 1; k <= ROWS; ++k) BLD_AddLevel("", 1, 0, 0xFFFFFF);
    LineRows(TLL_Get_TllClass());
    LineRows(TPL_Get_TplClass());
    TextLineTable* t = TTL_Get_TtlClass();
    for (int n = 1; n <= ROWS; ++n) {
        TextLineEntry& e = t->entry[n];
        e.number = (uint32_t)n;
        e.aptNo = n;
        e.widthScale = 1.0;
        e.tblNo = n;
    }
    t->useNum = t->dispNum = ROWS;
    t->activeNo = 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mktemplate OUT.ttp\n");
        return 2;
    }
    std::string out = argv[1];
    // Several builds may write the same template at once: each its own work space.
    std::string wps = out + "." + std::to_string(GetCurrentProcessId()) + ".wps";
    if (!WPS_Open(wps.c_str())) {
        std::fprintf(stderr, "mktemplate: cannot open the work space %s\n", wps.c_str());
        return 1;
    }
    MakeTables();
    char what[256] = "";
    DesignFileError e = DDM_WriteDesignFile(out.c_str(), DESIGN_KIND_TTP, what);
    WPS_Delete(wps.c_str());
    if (e != DFE_OK) {
        std::fprintf(stderr, "mktemplate: %s\n", what);
        return 1;
    }
    return 0;
}
