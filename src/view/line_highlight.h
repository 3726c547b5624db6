// One line or arc repainted on the canvas at once, for the marks and the
// change dialogs.
#pragma once

// Repaints the line or arc `record` of the page `page` (its level comes from
// the page, or is `level` when the page is 0) as the design now has it: a
// record carrying the selection mark shows highlighted. With flag 1 the record
// is drawn at once (standard display: through the canvas's realtime paint;
// mixing display: with the line painter the environment chooses, only when a
// page is given). With flag 0 (the record's old state, or a deleted record)
// the canvas repaints the area the line covers from the design instead. The
// canvas's repaint flag is 1 while it paints.
void MEAS_PaintLineHighlight(void* page, const void* record, int level, int flag);
