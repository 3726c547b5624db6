// The environment's accessors. There is one environment, the open design's
// (or the empty design's before a work space exists), so every accessor
// works on it whichever record or context it is handed.
#include <cstring>

#include "engine/store.h"
#include "platform/qzt_env.h"

using namespace store;

namespace {

EnvOwn& Own() { return Env()->own; }

void CopyText(char* to, size_t size, const char* from)
{
    std::memset(to, 0, size);
    if (from) std::strncpy(to, from, size - 1);
}

uint64_t Pack(int32_t x, int32_t y) { return (uint32_t)x | ((uint64_t)(uint32_t)y << 32); }
int32_t LowOf(uint64_t p) { return (int32_t)(uint32_t)p; }
int32_t HighOf(uint64_t p) { return (int32_t)(uint32_t)(p >> 32); }

SearchPointer* Search(int i)
{
    static SearchPointer none[6];
    WorkSpace* ws = Current();
    return ws ? &ws->search[i] : &none[i];
}

}  // namespace

extern "C" {

EnvRecord* ENV_GetENVClass(void) { return Env(); }

char* ENV_GetPCBpathfile(void* env) { return Env()->pcbPath; }
void ENV_SetPCBpathfile(void* env, const char* pair)
{
    if (!pair) return;
    CopyText(Env()->pcbPath, 260, pair);
    CopyText(Env()->pcbFile, 260, pair + 260);
}
char* ENV_GetPCBpathname(void* env) { return Env()->pcbPath; }
char* ENV_GetPCBfilename(void* env) { return Env()->pcbFile; }
void ENV_SetBinPath(void* ctx, const char* folder) { CopyText(Env()->binPath, 260, folder); }
char* ENV_GetTTPpathfile(void* env) { return Env()->ttpPath; }

char* ENV_GetPCBname(void* env) { return Own().pcbName; }
void ENV_SetPCBname(void* env, const char* t) { CopyText(Own().pcbName, 16, t); }
char* ENV_GetZuban(void* env) { return Own().zuban; }
void ENV_SetZuban(void* env, const char* t) { CopyText(Own().zuban, 16, t); }
char* ENV_GetCreateDate(void* env) { return Own().createDate; }
void ENV_SetCreateDate(void* env, const char* t) { CopyText(Own().createDate, 16, t); }
char* ENV_GetDesigner(void* env) { return Own().designer; }
void ENV_SetDesigner(void* env, const char* t) { CopyText(Own().designer, 16, t); }
char* ENV_GetComment(void* env) { return Own().comment; }
void ENV_SetComment(void* env, const char* t) { CopyText(Own().comment, 16, t); }

void ENV_SetLayers(void* env, int n) { Own().layers = n; }
int ENV_GetPinPin_Lines(void* env) { return Own().pinPinLines; }
void ENV_SetPinPin_Lines(void* env, int n) { Own().pinPinLines = n; }
int ENV_GetLineLenMin(void* env) { return Own().lineLenMin; }
void ENV_SetLineLenMin(void* env, int units) { Own().lineLenMin = units; }
uint64_t ENV_GetSizeLimit(void* env, int kind)
{
    if (kind < 0 || kind >= 16) return 0;
    return Pack(Own().sizeLimit[kind][0], Own().sizeLimit[kind][1]);
}
void ENV_SetSizeLimit(void* env, int kind, int upper, int lower)
{
    if (kind < 0 || kind >= 16) return;
    Own().sizeLimit[kind][0] = upper;
    Own().sizeLimit[kind][1] = lower;
}
int ENV_GetFraction(void* env) { return Own().fraction; }
void ENV_SetFraction(void* env, int d) { Own().fraction = d; }
int ENV_GetTextHeight(void* env) { return Own().textHeight; }
void ENV_SetTextHeight(void* env, int u) { Own().textHeight = u; }

int ENV_GetAbsZahyou(void* env) { return Own().absZahyou; }
void ENV_SetAbsZahyou(void* env, int on) { Own().absZahyou = on; }
int ENV_GetRelZahyou(void* env) { return Own().relZahyou; }
void ENV_SetRelZahyou(void* env, int on) { Own().relZahyou = on; }
int ENV_GetAssInZahyou(void* env) { return Own().assInZahyou; }
void ENV_SetAssInZahyou(void* env, int on) { Own().assInZahyou = on; }
uint64_t ENV_GetRelBasePnt(void* env) { return Pack(Own().relBase[0], Own().relBase[1]); }
void ENV_SetRelBasePnt(void* env, uint64_t p)
{
    Own().relBase[0] = LowOf(p);
    Own().relBase[1] = HighOf(p);
}
int ENV_GetCursorJump(void* ctx) { return Own().cursorJump; }
void ENV_SetCursorJump(void* ctx, int on) { Own().cursorJump = on; }
uint64_t ENV_GetCsrJmpXY(void* ctx) { return Pack(Own().csrJmp[0], Own().csrJmp[1]); }
void ENV_SetCsrJmpXY(void* ctx, uint64_t p)
{
    Own().csrJmp[0] = LowOf(p);
    Own().csrJmp[1] = HighOf(p);
}
void ENV_Env_bTantenEnkoON(void* ctx) { Own().tantenEnko = 1; }
void ENV_Env_bTantenEnkoOFF(void) { Own().tantenEnko = 0; }
int ENV_Env_Get_TantenSwich(void* env) { return Own().tantenSwitch; }
int ENV_GetEdgeCatchMode(void* env) { return Own().edgeCatchMode; }
void ENV_SetEdgeCatchMode(void* env, int mode) { Own().edgeCatchMode = mode; }
int ENV_GetLeadin(void* env) { return Own().leadin; }
void ENV_SetLeadin(void* env, int v) { Own().leadin = v; }
int ENV_GetEdge(void* env) { return Own().edge; }
void ENV_SetEdge(void* env, int v) { Own().edge = v; }
void ENV_SetEdgeEnko(void* env, int v) { Own().edgeEnko = v; }
int ENV_GetEdgeLeadinInvalid(void* env) { return Own().edgeLeadinInvalid; }
int ENV_GetLock(void* env) { return Own().lock; }
void ENV_SetLock(void* env, int mode) { Own().lock = mode; }
int ENV_GetLockAngle(void* env) { return Own().lockAngle == 90 ? 90 : 45; }

uint64_t ENV_GetCenter(void* env) { return Pack(Own().center[0], Own().center[1]); }
void ENV_SetCenter(void* env, uint64_t p)
{
    Own().center[0] = LowOf(p);
    Own().center[1] = HighOf(p);
}
double ENV_GetZoom(void* env) { return Own().zoom; }
void ENV_SetZoom(void* env, double z) { Own().zoom = z; }
int ENV_GetWinZoom(void* env) { return Own().winZoom; }
void ENV_SetWinZoom(void* env, int v) { Own().winZoom = v; }
int ENV_GetScaleManualChange(void* env) { return Own().scaleManual; }
void ENV_SetScaleManualChange(void* env, int f) { Own().scaleManual = f; }
int ENV_GetDefRate(void* env) { return Own().defRate; }
void ENV_SetDefRate(void* env, int r) { Own().defRate = r; }
int ENV_GetViewMode(void* env) { return Own().viewMode; }
void ENV_SetViewMode(void* env, int m) { Own().viewMode = m; }
int ENV_GetGridVisible(void* env) { return Own().gridVisible; }
void ENV_SetGridVisible(void* env, int f) { Own().gridVisible = f; }
int ENV_GetGentenVisible(void* env) { return Own().gentenVisible; }
void ENV_SetGentenVisible(void* env, int f) { Own().gentenVisible = f; }
void ENV_SetDispLevelIgnoreMode(void* ctx, int w2, int mode) { Env()->dispLevelIgnoreMode = mode; }
int ENV_GetAssignDisp(void* env) { return Own().assignDisp; }
void ENV_SetAssignDisp(void* env, int v) { Own().assignDisp = v; }
void ENV_SetPinNameDisp(void* env, int v) { Own().pinNameDisp = v; }
void ENV_SetRatsDisp(void* env, int v) { Own().ratsDisp = v; }
int ENV_GetDataDisp(void* env) { return Own().dataDisp; }
void ENV_SetDataDisp(void* env, int v) { Own().dataDisp = v; }
int ENV_GetHoleDispMode(void* env) { return Own().holeDispMode; }
void ENV_SetHoleDispMode(void* env, int m) { Own().holeDispMode = m; }
int ENV_GetPinNoDispMode(void* env) { return Own().pinNoDispMode; }
void ENV_SetPinNoDispMode(void* env, int m) { Own().pinNoDispMode = m; }
int ENV_GetAssignNameHeight(void* env) { return Own().assignNameHeight; }
void ENV_SetAssignNameHeight(void* env, int v) { Own().assignNameHeight = v; }
int ENV_GetPinNameHeight(void* env) { return Own().pinNameHeight; }
void ENV_SetPinNameHeight(void* env, int v) { Own().pinNameHeight = v; }
double ENV_GetPopUpTime(void* env)
{
    double t = Own().popUpTime;
    return t >= 0.1 && t <= 10.0 ? t : 0.5;
}
void ENV_SetPopUpTime(void* env, double s) { Own().popUpTime = s; }
int ENV_GetDrcParamDisp(void* env) { return Own().drcParamDisp; }
void ENV_SetDrcParamDisp(void* env, int v) { Own().drcParamDisp = v; }
int ENV_GetLevelCororKeep(void* env) { return Own().levelColorKeep; }
int ENV_GetNetNameGamenDisp(void* env) { return Own().netNameGamenDisp; }
void ENV_SetNetNameGamenDisp(void* env, int f) { Own().netNameGamenDisp = f; }
int ENV_GetHaichiIchiran(void* env) { return Own().haichiIchiran; }
void ENV_SetHaichiIchiran(void* env, int f) { Own().haichiIchiran = f; }
int ENV_GetLockCopyON(void* env) { return Own().lockCopyOn; }
void ENV_SetLockCopyON(void* env, int f) { Own().lockCopyOn = f; }
int ENV_GetViaSymAreaFix(void* p) { return Own().viaSymAreaFix; }
void ENV_SetViaSymAreaFix(void* env, int f) { Own().viaSymAreaFix = f; }
int ENV_GetViaSymAreaLevel(void* p) { return Own().viaSymAreaLevel; }
void ENV_SetViaSymAreaLevel(void* env, int l) { Own().viaSymAreaLevel = l; }
void ENV_SetHDCheckManual(void* env, int on) { Own().hdCheckManual = on; }
void ENV_SetHDCheckSize(void* env, int n) { Own().hdCheckSize = n; }
void ENV_SetHDCheckTime(void* env, int ms) { Own().hdCheckTime = ms; }
short ENV_GetPrn_nLevel(void* env) { return Own().prnLevel; }
void ENV_SetPrn_nLevel(void* env, short l) { Own().prnLevel = l; }

char* ENV_GetPLBpathfile(void* env) { return Env()->plbPath; }
void ENV_SetPLBpathfile(void* env, const char* pair)
{
    if (!pair) return;
    CopyText(Env()->plbPath, 260, pair);
    CopyText(Env()->plbFile, 260, pair + 260);
}
char* ENV_GetPLBpathname(void* env) { return Env()->plbPath; }
void ENV_SetPLBpathname(void* env, const char* f) { CopyText(Env()->plbPath, 260, f); }
char* ENV_GetPLBfilename(void* env) { return Env()->plbFile; }

SearchPointer* ENV_GetPdlSearchPointer(void* env) { return Search(0); }
SearchPointer* ENV_GetPdvSearchPointer(void* env) { return Search(1); }
SearchPointer* ENV_GetPdppinSearchPointer(void* env) { return Search(2); }
SearchPointer* ENV_GetPdpSearchPointer(void* env) { return Search(3); }
SearchPointer* ENV_GetPdtSearchPointer(void* env) { return Search(4); }
SearchPointer* ENV_GetPzbSearchPointer(void* env) { return Search(5); }

}
