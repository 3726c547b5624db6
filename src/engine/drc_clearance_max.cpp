// The distance the design-rule check searches within: the largest clearance
// any table of the design asks for. Taken after start-up, after each load and
// after the level, rule and signal-line editors.
#include "engine/store.h"
#include "platform/qzt_file.h"
#include "platform/qzt_table_update.h"

using namespace store;

namespace {
int32_t s_clearanceMax;
}

extern "C" {

void DDM_drcCheck_SetClearanceMax(DdmContext*)
{
    int32_t most = 0;
    const RuleTable& rules = *Region_<RuleTable>(RG_RULE);
    int count = Lo(Hi(rules.count, 0), TBL_MAX_RULE);
    for (int r = 0; r < count; ++r)
        for (const RuleClearance& c : rules.rule[r].entry)
            if (c.code != 0) most = Hi(most, c.value);
    const SignalTable& sig = *Region_<SignalTable>(RG_SIGNAL);
    for (int i = 1; i <= SLN_ENTRIES; ++i)
        for (int k : {SLN_LINE_CLEARANCE, SLN_PAD_CLEARANCE, SLN_VIA_CLEARANCE})
            most = Hi(most, sig.entry[i].value[k]);
    s_clearanceMax = most;
}

int32_t DDM_drcCheck_GetClearanceMax(DdmContext*) { return s_clearanceMax; }
}
