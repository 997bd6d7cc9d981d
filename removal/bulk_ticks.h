#pragma once

#include "core/program.h"

namespace kz {

// Ticking many rows at once, for cleaning up a large list. No bulk action leaves a name with all
// of its rows ticked, so a removal that follows keeps at least one file of every name; ticks set
// by hand are the user's own and may still cover every copy. Only ticks change: no file is
// touched, no row added or removed, and the selection stays. Rows whose cells are not their
// record's own are left as they are. Each reports its outcome in status field 0.

// For every name, ticks all of its rows but one, which is unticked: the largest file in bytes,
// and among equal sizes the one nearest the top.
void TickAllButLargest(Program& program);

// Ticks every row whose file lies in the selected row's folder or below it. Where that would
// tick the last unticked row of a name, the largest of its rows there stays unticked, and the
// name is counted as left out.
void TickFolderOfSelectedRow(Program& program);

// Unticks every row.
void ClearAllTicks(Program& program);

}  // namespace kz
