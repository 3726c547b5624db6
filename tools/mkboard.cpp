// mkboard: writes a design file built with the board builder.
//   mkboard OUT.tpw             the demo board: four layers, a few dozen parts
//                               with pins and names, named nets joining the
//                               pins, several hundred signal lines and arcs,
//                               VIAs, a ground fill with holes, texts and the
//                               board outline
//   mkboard OUT.tpw --large N   a board of N elements for benchmarks
// The work space is a scratch file beside the output, deleted at the end.
// The board goes through a temporary file, so a reader never sees half of it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/board_builder.h"
#include "platform/qzt_env.h"
#include "platform/qzt_file.h"
#include "platform/qzt_wps.h"

namespace {

constexpr int MM = 100000;

struct Layers {
    int top, gnd, pwr, bottom, silk, outline;
    int line, thin, outlineLine, fillLine, textLine, via, smallVia;
};

Layers MakeTables()
{
    Layers l{};
    l.top = BLD_AddLevel("TOP", 2, 1, 0x0000C0);
    l.gnd = BLD_AddLevel("GND", 2, 2, 0x00A000);
    l.pwr = BLD_AddLevel("PWR", 2, 3, 0xA000A0);
    l.bottom = BLD_AddLevel("BOTTOM", 2, 4, 0xC00000);
    l.silk = BLD_AddLevel("SILK", 5, 0, 0xFFFFFF);
    l.outline = BLD_AddLevel("OUTLINE", 7, 0, 0x00FFFF);
    l.line = BLD_AddLine(25000);        // 0.25 mm signal
    l.thin = BLD_AddLine(15000);        // 0.15 mm signal
    l.outlineLine = BLD_AddLine(10000);
    l.fillLine = BLD_AddFillLine(20000);
    l.textLine = BLD_AddTextLine(15000, 120000);
    l.via = BLD_AddVia(60000, BLD_AddHole(30000));
    l.smallVia = BLD_AddVia(45000, BLD_AddHole(20000));
    return l;
}

// A resistor, a capacitor and a 16-pin package.
struct Shapes {
    int r, c, ic;
};

Shapes MakeShapes(const Layers& l)
{
    Shapes s{};
    s.r = BLD_Shape("R1608", {{l.smallVia, -80000, 0, "1"}, {l.smallVia, 80000, 0, "2"}}, l.silk,
                    l.outlineLine, {{-130000, -60000}, {130000, -60000}, {130000, 60000}, {-130000, 60000}});
    s.c = BLD_Shape("C2012", {{l.smallVia, -100000, 0, "1"}, {l.smallVia, 100000, 0, "2"}}, l.silk,
                    l.outlineLine, {{-160000, -80000}, {160000, -80000}, {160000, 80000}, {-160000, 80000}});
    std::vector<BldPin> pins;
    static char names[16][4];
    for (int i = 0; i < 16; ++i) {
        std::snprintf(names[i], sizeof(names[i]), "%d", i + 1);
        int col = i < 8 ? 0 : 1, row = i < 8 ? i : 15 - i;
        pins.push_back({l.via, col ? 380000 : -380000, 445000 - row * 127000, names[i]});
    }
    s.ic = BLD_Shape("SOP16", pins, l.silk, l.outlineLine,
                     {{-300000, -520000}, {300000, -520000}, {300000, 520000}, {-300000, 520000}});
    return s;
}

void Demo()
{
    Layers l = MakeTables();
    Shapes s = MakeShapes(l);
    const int W = 80 * MM, H = 60 * MM;

    // Board outline with rounded corners.
    int r = 3 * MM;
    BLD_Line(l.outline, l.outlineLine, r, 0, W - r, 0);
    BLD_Line(l.outline, l.outlineLine, W, r, W, H - r);
    BLD_Line(l.outline, l.outlineLine, W - r, H, r, H);
    BLD_Line(l.outline, l.outlineLine, 0, H - r, 0, r);
    BLD_Arc(l.outline, l.outlineLine, false, {W - r, 0}, {W, r}, {W - r, r});
    BLD_Arc(l.outline, l.outlineLine, false, {W, H - r}, {W - r, H}, {W - r, H - r});
    BLD_Arc(l.outline, l.outlineLine, false, {r, H}, {0, H - r}, {r, H - r});
    BLD_Arc(l.outline, l.outlineLine, false, {0, r}, {r, 0}, {r, r});

    // Nets: ground and supply, sixteen data nets between the ICs and the
    // resistors and capacitors, forty bus nets on the power layer.
    char name[16];
    int gnd = BLD_Net("GND"), vcc = BLD_Net("VCC");
    int data[16], bus[40];
    for (int i = 0; i < 16; ++i) {
        std::snprintf(name, sizeof(name), "D%d", i);
        data[i] = BLD_Net(name);
    }
    for (int i = 0; i < 40; ++i) {
        std::snprintf(name, sizeof(name), "BUS%02d", i);
        bus[i] = BLD_Net(name);
    }

    // Four ICs across the top, resistors and capacitors in rows below.
    void* ics[4];
    for (int i = 0; i < 4; ++i) {
        int x = 12 * MM + i * 18 * MM, y = 45 * MM;
        std::snprintf(name, sizeof(name), "U%d", i + 1);
        ics[i] = BLD_Part(s.ic, name, "SN74HC595", x, y, 0.0, false);
        BLD_PinNet(ics[i], "8", gnd);
        BLD_PinNet(ics[i], "16", vcc);
        BLD_Text(l.silk, l.textLine, name, x - 250000, y + 700000, 120000);
    }
    void* passives[32];
    int parts = 0;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 8; ++col, ++parts) {
            int x = 8 * MM + col * 9 * MM, y = 10 * MM + row * 7 * MM;
            bool resistor = (row + col) % 3 != 0;
            std::snprintf(name, sizeof(name), resistor ? "R%d" : "C%d", parts + 1);
            passives[parts] = BLD_Part(resistor ? s.r : s.c, name, resistor ? "10K" : "0.1uF", x, y,
                                       row % 2 ? 90.0 : 0.0, false);
            BLD_PinNet(passives[parts], "1", resistor ? vcc : gnd);
            BLD_Text(l.silk, l.textLine, name, x - 150000, y + 250000, 80000);
        }

    // Signal lines: each resistor row fans out to the ICs with an L-shaped
    // route, the corner rounded by an arc, a VIA where it changes layer.
    // Route k joins pin 2 of passive k % 32 to pin k % 16 + 1 of IC k % 4,
    // on data net k % 16.
    for (int k = 0; k < 120; ++k) {
        int ic = k % 4, pin = k % 16, net = data[k % 16];
        std::snprintf(name, sizeof(name), "%d", pin + 1);
        BLD_PinNet(ics[ic], name, net);
        BLD_PinNet(passives[k % 32], "2", net);
        int px = 12 * MM + ic * 18 * MM + (pin < 8 ? -380000 : 380000);
        int py = 45 * MM + 445000 - (pin < 8 ? pin : 15 - pin) * 127000;
        int sx = 8 * MM + (k % 8) * 9 * MM + 80000, sy = 10 * MM + (k / 8 % 4) * 7 * MM;
        int level = k % 2 ? l.top : l.bottom;
        int lineNo = k % 3 ? l.line : l.thin;
        int bend = sy + (k % 5 + 1) * 500000;
        int rr = 200000;
        int dir = px > sx ? 1 : -1;
        BLD_Line(level, lineNo, sx, sy, sx, bend - rr, net);
        BLD_Arc(level, lineNo, dir > 0, {sx, bend - rr}, {sx + dir * rr, bend}, {sx + dir * rr, bend - rr}, net);
        BLD_Line(level, lineNo, sx + dir * rr, bend, px - dir * rr, bend, net);
        BLD_Arc(level, lineNo, dir < 0, {px - dir * rr, bend}, {px, bend + rr}, {px - dir * rr, bend + rr}, net);
        BLD_Line(level, lineNo, px, bend + rr, px, py, net);
        if (level == l.bottom) BLD_Via(l.via, px, py - 300000, net);
    }
    // Bus lines on the power layer, with VIAs along them.
    for (int k = 0; k < 40; ++k) {
        int y = 5 * MM + k * MM;
        BLD_Line(l.pwr, l.line, 4 * MM, y, 76 * MM, y, bus[k]);
        for (int v = 0; v < 4; ++v) BLD_Via(l.smallVia, 10 * MM + v * 18 * MM + k * 20000, y, bus[k]);
    }

    // Ground fill over the board with clearance holes around the VIAs rows.
    std::vector<std::vector<BldPoint>> holes;
    for (int i = 0; i < 12; ++i) {
        int x = 6 * MM + i * 6 * MM, y = 30 * MM;
        holes.push_back({{x, y}, {x + 2 * MM, y}, {x + 2 * MM, y + 2 * MM}, {x, y + 2 * MM}});
    }
    BLD_Fill(l.gnd, l.fillLine, gnd, {{MM, MM}, {W - MM, MM}, {W - MM, H - MM}, {MM, H - MM}}, holes);
    BLD_Fill(l.bottom, l.fillLine, gnd, {{2 * MM, 2 * MM}, {20 * MM, 2 * MM}, {20 * MM, 6 * MM}, {2 * MM, 6 * MM}}, {});

    BLD_Text(l.silk, l.textLine, "TORVA DEMO BOARD Rev.A", 30 * MM, 3 * MM, 150000);
    BLD_Text(l.silk, l.textLine, "デモ基板", 60 * MM, 55 * MM, 200000);
    ENV_SetPCBname(nullptr, "DEMO-4L");
    ENV_SetZuban(nullptr, "TV-0001");
    ENV_SetDesigner(nullptr, "Torva");
}

// N elements: lines in a grid over four layers, every tenth a VIA and every
// hundredth a text, on 5000 nets.
void Large(long n)
{
    Layers l = MakeTables();
    int levels[4] = {l.top, l.gnd, l.pwr, l.bottom};
    const int pitch = 50000;
    char name[16];
    for (int k = 0; k < 5000; ++k) {
        std::snprintf(name, sizeof(name), "N%d", k + 1);
        BLD_Net(name);
    }
    for (long i = 0; i < n; ++i) {
        int x = (int)(i % 2000) * pitch, y = (int)(i / 2000) * pitch;
        if (i % 100 == 99)
            BLD_Text(l.silk, l.textLine, "T", x, y, 40000);
        else if (i % 10 == 9)
            BLD_Via(l.smallVia, x, y, (int)(i % 5000) + 1);
        else
            BLD_Line(levels[i % 4], l.thin, x, y, x + pitch - 5000, y + (i % 3) * 10000, (int)(i % 5000) + 1);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mkboard OUT.tpw [--large N]\n");
        return 2;
    }
    std::string out = argv[1];
    long large = argc >= 4 && std::strcmp(argv[2], "--large") == 0 ? std::atol(argv[3]) : 0;
    // Several builds may write the same board at once: each its own work space.
    std::string wps = out + "." + std::to_string(GetCurrentProcessId()) + ".wps";
    if (!WPS_Open(wps.c_str())) {
        std::fprintf(stderr, "mkboard: cannot open the work space %s\n", wps.c_str());
        return 1;
    }
    if (large > 0)
        Large(large);
    else
        Demo();
    // The board must pass the checks that design loading runs.
    std::string log = out + ".check.log";
    DeleteFileA(log.c_str());
    DdmContext* ctx = DDM_Open(nullptr);
    bool clean = DDM_TabalNoCheck(ctx, nullptr, log.c_str()) && DDM_AllDataAreaCheck(ctx, nullptr, log.c_str());
    DDM_Close(ctx);
    if (!clean) {
        std::fprintf(stderr, "mkboard: the board fails the load checks, see %s\n", log.c_str());
        WPS_Delete(wps.c_str());
        return 1;
    }
    char what[256] = "";
    DesignFileError e = DDM_WriteDesignFile(out.c_str(), DESIGN_KIND_TPW, what);
    WPS_Delete(wps.c_str());
    if (e != DFE_OK) {
        std::fprintf(stderr, "mkboard: %s\n", what);
        return 1;
    }
    return 0;
}
