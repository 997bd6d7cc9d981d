#pragma once

#include "core/program.h"

namespace kz {

// Ticking many rows at once, for cleaning up a large list, by recording: the rows of a name
// whose audio is the same (see recording_comparison.h). The rows are compared first unless every
// one was compared since the search; a comparison cut short ticks nothing, and a close request
// during it ends the program (kExit). No bulk action leaves a recording with all of its rows
// ticked, nor ticks a file unreadable as audio, so a removal that follows keeps at least one
// file of every recording; ticks set by hand are the user's own and may still cover every copy.
// Only ticks change: no file is touched, no row added or removed, and the selection stays. Rows
// whose cells are not their record's own are left as they are. Each reports its outcome in
// status field 0.

// Within each name, for every recording with two or more files, ticks all of its rows but one,
// which is unticked: the largest file in bytes, and among equal sizes the one nearest the top.
// The rows of a recording with one file, and of files unreadable as audio, are unticked.
Outcome TickAllButLargest(Program& program);

// Ticks every row whose file lies in the selected row's folder or below it. Where that would
// tick the last unticked row of a recording, the largest of its rows there stays unticked;
// files unreadable as audio are never ticked. Both count as left out.
Outcome TickFolderOfSelectedRow(Program& program);

// Unticks every row.
void ClearAllTicks(Program& program);

}  // namespace kz
