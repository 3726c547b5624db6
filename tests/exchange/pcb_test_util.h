// Loading generated predecessor boards into a scratch work space, with the
// reader's message boxes answered and recorded by the kit.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "exchange/mrg.h"
#include "kit/gui_kit.h"
#include "pcb_gen.h"
#include "platform/qzt_wps.h"

struct PcbScratch {
    std::string dir, wps, file;
    void* hDesign = nullptr;

    explicit PcbScratch(const char* tag)
    {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        dir = tmp;
        std::string base = std::string("pcb_") + tag + "_" + std::to_string(GetCurrentProcessId());
        wps = dir + base + ".wps";
        file = base + ".pcb";
        DeleteFileA(wps.c_str());
        hDesign = WPS_Open(wps.c_str());
    }
    ~PcbScratch()
    {
        DeleteFileA((dir + file).c_str());
        WPS_Delete(wps.c_str());
    }
    // Writes the bytes as the board file and reads it into the design.
    int Load(const pcbgen::Bytes& bytes, int aptCommon = 0)
    {
        pcbgen::WriteFileBytes(dir + file, bytes);
        PcbPathPair path{};
        snprintf(path.folder, sizeof path.folder, "%s", dir.c_str());
        snprintf(path.name, sizeof path.name, "%s", file.c_str());
        DdmContext* ctx = DDM_Open(hDesign);
        int r = MRG_ReadOldPcbFile(&path, ctx, aptCommon);
        DDM_Close(ctx);
        return r;
    }
};

// Keeps enough OK answers queued for every box one load may show.
struct BoxAnswers {
    KIT_DialogWatch watch;
    size_t queued = 0;
    void TopUp(size_t n = 64)
    {
        size_t answered = 0;
        for (const KIT_SeenDialog& d : watch.Seen()) answered += d.answeredWith != 0;
        while (queued - answered < n) watch.Answer(IDOK), queued++;
    }
    std::vector<std::string> Texts(size_t from = 0)
    {
        std::vector<std::string> out;
        std::vector<KIT_SeenDialog> seen = watch.Seen();
        for (size_t i = from; i < seen.size(); i++) out.push_back(seen[i].text);
        return out;
    }
};
