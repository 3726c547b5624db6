// The panel creation table: every option panel in the order the frame
// creates them, with its slot, template, procedure and parameter block in
// the panel area of the frame state. The table is kept as offsets into the
// panel area so that it can be a constant; ROT_CreatePanels turns it into
// the addresses of one frame's state.
#include <cstddef>

#include "app/frame_state.h"
#include "panels/panel_procs.h"
#include "panels/pnl.h"
#include "platform/qzt_mem.h"
#include "res/panels_ids.h"

namespace {

struct PanelRow {
    size_t slot;   // offset of the window slot in PNL_PanelArea
    uint16_t templateId;
    DLGPROC proc;
    size_t block;  // offset of the parameter block in PNL_PanelArea
};

#define SLOT(n) offsetof(PNL_PanelArea, hPanel[n])
#define BLOCK(m) offsetof(PNL_PanelArea, m)

// clang-format off
constexpr PanelRow kPanels[] = {
    {SLOT(1),   IDD_PNL_274, PNL_TextOrientProc,          BLOCK(textOrient)},
    {SLOT(63),  IDD_PNL_148, PNL_TextOptionsProc,         BLOCK(textEntry)},
    {SLOT(2),   IDD_PNL_183, PNL_TextAngleProc,           BLOCK(textAngle[0])},
    {SLOT(3),   IDD_PNL_183, PNL_TextAngleProc2,          BLOCK(textAngle[1])},
    {SLOT(75),  IDD_PNL_149, PNL_PartOrientProc,          BLOCK(partPlace)},
    {SLOT(4),   IDD_PNL_288, PNL_PartOrientViaProc,       BLOCK(partPlace)},
    {SLOT(64),  IDD_PNL_275, PNL_PartOrientRatsProc,      BLOCK(partPlace)},
    {SLOT(69),  IDD_PNL_282, PNL_GroupRotateProc,         BLOCK(partPlace)},
    {SLOT(5),   IDD_PNL_292, PNL_FillEditProc,            BLOCK(fillEdit)},
    {SLOT(88),  IDD_PNL_315, PNL_FillNetNameProc,         BLOCK(fillEdit)},
    {SLOT(6),   IDD_PNL_194, PNL_HatchAngleProc,          BLOCK(fillEdit)},
    {SLOT(98),  IDD_PNL_412, PNL_HatchRadiusProc,         BLOCK(fillEdit)},
    {SLOT(7),   IDD_PNL_154, PNL_RadiusProc,              BLOCK(lineShape)},
    {SLOT(8),   IDD_PNL_152, PNL_ChamferProc,             BLOCK(lineShape)},
    {SLOT(9),   IDD_PNL_153, PNL_FilletProc,              BLOCK(lineShape)},
    {SLOT(12),  IDD_PNL_154, PNL_RadiusProc2,             BLOCK(lineShape)},
    {SLOT(10),  IDD_PNL_158, PNL_PlaceAngleProc,          BLOCK(placeAngle)},
    {SLOT(11),  IDD_PNL_280, PNL_ConvertOptionsProc,      BLOCK(convert)},
    {SLOT(13),  IDD_PNL_177, PNL_PinSeriesProc,           BLOCK(pinSeries[0])},
    {SLOT(14),  IDD_PNL_178, PNL_PinSeriesProc,           BLOCK(pinSeries[1])},
    {SLOT(15),  IDD_PNL_182, PNL_PinArrayProc,            BLOCK(pinSeries[2])},
    {SLOT(16),  IDD_PNL_179, PNL_TaperProc,               BLOCK(taper)},
    {SLOT(17),  IDD_PNL_202, PNL_TaperCheckProc,          BLOCK(taper)},
    {SLOT(74),  IDD_PNL_287, PNL_TaperLineProc,           BLOCK(taper)},
    {SLOT(114), IDD_PNL_179, PNL_TaperProc2,              BLOCK(taper)},
    {SLOT(115), IDD_PNL_202, PNL_TaperCheckProc2,         BLOCK(taper)},
    {SLOT(116), IDD_PNL_287, PNL_TaperLineProc2,          BLOCK(taper)},
    {SLOT(18),  IDD_PNL_181, PNL_LineLengthProc,          BLOCK(lineShape)},
    {SLOT(19),  IDD_PNL_195, PNL_DimensionProc,           BLOCK(dimensionText)},
    {SLOT(57),  IDD_PNL_268, PNL_LeaderArrowProc,         BLOCK(dimensionText)},
    {SLOT(58),  IDD_PNL_269, PNL_LeaderViaProc,           BLOCK(dimensionText)},
    {SLOT(59),  IDD_PNL_270, PNL_LeaderArcProc,           BLOCK(dimensionText)},
    {SLOT(20),  IDD_PNL_180, PNL_ObjKindProc,             BLOCK(objectKind)},
    {SLOT(21),  IDD_PNL_200, PNL_ViaTextClearanceProc,    BLOCK(objectKind)},
    {SLOT(26),  IDD_PNL_217, PNL_SmdClearanceProc,        BLOCK(objectKind)},
    {SLOT(41),  IDD_PNL_234, PNL_PlacePitchProc,          BLOCK(placePitch)},
    {BLOCK(hTextSplitBar), IDD_PNL_250, EDIT_TextSplitDlgProc, BLOCK(textSplit)},
    {SLOT(22),  IDD_PNL_205, PNL_FigurePairProc,          BLOCK(figurePair)},
    {SLOT(23),  IDD_PNL_207, PNL_GridDistanceProc,        BLOCK(gridDistance)},
    {SLOT(109), IDD_PNL_476, PNL_DistanceLevelProc,       BLOCK(distanceLevel)},
    {SLOT(96),  IDD_PNL_405, PNL_ChainLengthProc,         BLOCK(chainLength)},
    {SLOT(24),  IDD_PNL_208, PNL_GridAngleProc,           BLOCK(gridAngle)},
    {SLOT(25),  IDD_PNL_209, PNL_LineCountProc,           BLOCK(lineCount)},
    {SLOT(27),  IDD_PNL_218, PNL_LevelAttrProc,           BLOCK(levelKind)},
    {SLOT(28),  IDD_PNL_226, PNL_LevelSpecProc,           BLOCK(levelSpec)},
    {SLOT(53),  IDD_PNL_266, PNL_NetCheckProc,            BLOCK(netCheck)},
    {SLOT(29),  IDD_PNL_210, PNL_LevelViaProc,            BLOCK(editCommand)},
    {SLOT(95),  IDD_PNL_404, PNL_ClearanceViaProc,        BLOCK(editCommand)},
    {SLOT(30),  IDD_PNL_239, PNL_LevelViaProc,            BLOCK(editCommand)},
    {SLOT(66),  IDD_PNL_277, PNL_CommonValueProc,         BLOCK(editCommand)},
    {SLOT(67),  IDD_PNL_278, PNL_CommonValueProc,         BLOCK(editCommand)},
    {SLOT(68),  IDD_PNL_279, PNL_SelectChainProc,         BLOCK(selectChainMode)},
    {SLOT(31),  IDD_PNL_212, PNL_ChainSelectProc,         BLOCK(editCommand)},
    {SLOT(97),  IDD_PNL_441, PNL_LineChangeProc,          BLOCK(editCommand)},
    {SLOT(32),  IDD_PNL_213, PNL_PointerSelectProc,       BLOCK(editCommand)},
    {SLOT(33),  IDD_PNL_230, PNL_LevelFixProc,            BLOCK(editCommand)},
    {SLOT(34),  IDD_PNL_211, PNL_AutoVoidProc,            BLOCK(autoVoid)},
    {SLOT(89),  IDD_PNL_383, PNL_FillCutProc,             BLOCK(fillCut)},
    {SLOT(106), IDD_PNL_473, PNL_FillCutProc,             BLOCK(fillCut)},
    {SLOT(35),  IDD_PNL_219, PNL_HatchDisplayProc,        BLOCK(hatchDisplay)},
    {SLOT(36),  IDD_PNL_418, PNL_RatsProc,                BLOCK(rats)},
    {SLOT(37),  IDD_PNL_229, PNL_ViaNoUpdateProc,         BLOCK(viaNoUpdate)},
    {SLOT(38),  IDD_PNL_231, PNL_LineNoUpdateProc,        BLOCK(lineNoUpdate)},
    {SLOT(105), IDD_PNL_231, PNL_FillLineNoUpdateProc,    BLOCK(fillLineNoUpdate)},
    {SLOT(39),  IDD_PNL_232, PNL_TextLineNoUpdateProc,    BLOCK(textLineUpdate)},
    {SLOT(40),  IDD_PNL_233, PNL_PinNameProc,             BLOCK(pinName)},
    {SLOT(42),  IDD_PNL_236, PNL_CornerProc,              BLOCK(editCommand)},
    {SLOT(100), IDD_PNL_425, PNL_CornerProc,              BLOCK(editCommand)},
    {SLOT(43),  IDD_PNL_237, PNL_CornerProc,              BLOCK(editCommand)},
    {SLOT(44),  IDD_PNL_238, PNL_CornerProc,              BLOCK(editCommand)},
    {SLOT(45),  IDD_PNL_249, PNL_RotateCopyProc,          BLOCK(rotateCopy)},
    {SLOT(46),  IDD_PNL_248, PNL_RotateCopyKindsProc,     BLOCK(rotateCopyKinds)},
    {SLOT(47),  IDD_PNL_281, PNL_SelectAreaProc,          BLOCK(selectArea)},
    {SLOT(48),  IDD_PNL_257, PNL_SelectKindsProc,         BLOCK(selectKinds)},
    {SLOT(49),  IDD_PNL_253, PNL_CopyCountProc,           BLOCK(copyCount)},
    {SLOT(50),  IDD_PNL_254, PNL_CopyKindsProc,           BLOCK(copyKinds)},
    {SLOT(51),  IDD_PNL_259, PNL_SelectArea2Proc,         BLOCK(selectArea2)},
    {SLOT(52),  IDD_PNL_258, PNL_SelectKinds2Proc,        BLOCK(deleteKinds)},
    {SLOT(76),  IDD_PNL_291, PNL_AreaModeProc,            BLOCK(areaMode[0])},
    {SLOT(77),  IDD_PNL_291, PNL_AreaModeProc2,           BLOCK(areaMode[1])},
    {SLOT(54),  IDD_PNL_256, PNL_BoxSingleProc,           BLOCK(boxSingleMode)},
    {SLOT(60),  IDD_PNL_271, PNL_ViaNoReplaceProc,        BLOCK(numberReplace)},
    {SLOT(61),  IDD_PNL_272, PNL_LineNoReplaceProc,       BLOCK(numberReplace)},
    {SLOT(62),  IDD_PNL_273, PNL_DefViaNoReplaceProc,     BLOCK(numberReplace)},
    {SLOT(65),  IDD_PNL_276, PNL_ViaConnectProc,          BLOCK(viaConnect)},
    {SLOT(70),  IDD_PNL_283, PNL_LineSelectProc,          BLOCK(lineShape)},
    {SLOT(71),  IDD_PNL_297, PNL_LineValueProc,           BLOCK(lineShape)},
    {SLOT(72),  IDD_PNL_285, PNL_LevelLockProc,           BLOCK(lineShape)},
    {SLOT(73),  IDD_PNL_286, PNL_LevelLockProc,           BLOCK(lineShape)},
    {SLOT(78),  IDD_PNL_294, NET_LogicalNetNameBarProc,   BLOCK(editCommand)},
    {SLOT(107), IDD_PNL_294, NET_LogicalNetNameBarProc2,  BLOCK(editCommand)},
    {SLOT(108), IDD_PNL_151, PNL_FillFilletProc,          BLOCK(fillEdit)},
    {SLOT(101), IDD_PNL_427, NET_LogicalNetDlgProc,       BLOCK(editCommand)},
    {SLOT(85),  IDD_PNL_306, NET_PhysNetNameBarProc,      BLOCK(physNetBar)},
    {SLOT(79),  IDD_PNL_295, EDIT_SigCopyDlgProc,         BLOCK(sigCopy)},
    {SLOT(80),  IDD_PNL_298, PNL_TaperOptProc,            BLOCK(editCommand)},
    {SLOT(110), IDD_PNL_298, PNL_TaperOptProc2,           BLOCK(editCommand)},
    {SLOT(111), IDD_PNL_298, PNL_TaperOptProc3,           BLOCK(editCommand)},
    {SLOT(81),  IDD_PNL_299, PNL_SingleBoxProc2,          BLOCK(editCommand)},
    {SLOT(82),  IDD_PNL_300, PNL_ViaTaperProc,            BLOCK(viaTaper)},
    {SLOT(112), IDD_PNL_300, PNL_ViaTaperProc2,           BLOCK(viaTaper)},
    {SLOT(113), IDD_PNL_300, PNL_ViaTaperProc3,           BLOCK(viaTaper)},
    {SLOT(103), IDD_PNL_449, PNL_TaperWidthProc,          BLOCK(taper)},
    {SLOT(83),  IDD_PNL_301, PNL_SingleBoxProc,           BLOCK(viaTaper)},
    {SLOT(84),  IDD_PNL_305, PNL_SingleMultiProc,         BLOCK(editCommand)},
    {SLOT(86),  IDD_PNL_308, CHK_AssignChkDlgProc,        BLOCK(assignCheck)},
    {SLOT(87),  IDD_PNL_313, EDIT_DeleteModeDlgProc,      BLOCK(deleteMode)},
    {SLOT(90),  IDD_PNL_390, PNL_CopyProc,                BLOCK(copy)},
    {SLOT(92),  IDD_PNL_392, NET_NetNameAutoScaleBarProc, BLOCK(netNameAutoScale)},
    {SLOT(93),  IDD_PNL_394, PNL_SelectModeProc,          BLOCK(selectMode)},
    {BLOCK(hViewOptionPanel), IDD_PNL_398, PNL_ViewOptionProc, BLOCK(editCommand)},
    {SLOT(99),  IDD_PNL_424, PNL_PartHeightProc,          BLOCK(partPlace)},
    {SLOT(102), IDD_PNL_428, PNL_NextAssignProc,          BLOCK(nextAssign)},
    {SLOT(104), IDD_PNL_455, PNL_GridOnProc,              BLOCK(gridOff)},
};
// clang-format on
static_assert(sizeof kPanels / sizeof kPanels[0] == PNL_PANEL_COUNT);

FrameState* FrameOf(HWND hFrame)
{
    return hFrame ? (FrameState*)GetWindowLongPtrA(hFrame, 0) : nullptr;
}

}  // namespace

PNL_PanelEntry* ROT_CreatePanels(HWND hFrame, int* outSize)
{
    FrameState* fs = FrameOf(hFrame);
    if (!fs) return nullptr;
    size_t size = sizeof(PNL_PanelEntry) * PNL_PANEL_COUNT;
    PNL_PanelEntry* table = (PNL_PanelEntry*)MemAlloc(hFrame, size, nullptr);
    if (!table) return nullptr;
    char* area = (char*)&fs->panels;
    for (int i = 0; i < PNL_PANEL_COUNT; ++i) {
        table[i].phWnd = (HWND*)(area + kPanels[i].slot);
        table[i].templateId = kPanels[i].templateId;
        table[i].proc = kPanels[i].proc;
        table[i].param = area + kPanels[i].block;
    }
    if (outSize) *outSize = (int)size;
    return table;
}

int PNL_CreateAllPanels(HWND hFrame, HINSTANCE hInst)
{
    int size = 0;
    PNL_PanelEntry* table = ROT_CreatePanels(hFrame, &size);
    if (!table) return 0;
    for (int i = 0; i < size / (int)sizeof(PNL_PanelEntry); ++i) {
        const PNL_PanelEntry& e = table[i];
        *e.phWnd = CreateDialogParamA(hInst, MAKEINTRESOURCEA(e.templateId), hFrame, e.proc, (LPARAM)e.param);
    }
    MemFree(hFrame, table, nullptr);
    return 1;
}

int PNL_DestroyAllPanels(HWND hFrame)
{
    int size = 0;
    PNL_PanelEntry* table = ROT_CreatePanels(hFrame, &size);
    if (!table) return 0;
    int result = 1;
    for (int i = 0; i < size / (int)sizeof(PNL_PanelEntry); ++i) {
        HWND* slot = table[i].phWnd;
        if (!*slot) continue;
        if (!DestroyWindow(*slot)) {
            result = 0;
            break;
        }
        *slot = nullptr;
    }
    MemFree(hFrame, table, nullptr);
    return result;
}
