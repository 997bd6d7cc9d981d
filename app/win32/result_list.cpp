#include "app/win32/result_list.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace kz {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT kUnticked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kTicked = INDEXTOSTATEIMAGEMASK(2);

}  // namespace

ResultList::ResultList(HWND list) : list_(list) {
  // The boxes draw from the state image that LVN_GETDISPINFO gives.
  SendMessageW(list_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
  SetWindowSubclass(list_, &ResultList::Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

ResultList::~ResultList() {
  RemoveWindowSubclass(list_, &ResultList::Procedure, kSubclassId);
}

LRESULT CALLBACK ResultList::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
  (void)window;
  return reinterpret_cast<ResultList*>(self)->Handle(message, wParam, lParam);
}

LRESULT ResultList::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  selectedKnown_ = false;
  LRESULT result = 0;
  switch (message) {
    case LVM_SETITEMSTATE:
      result = lParam ? SetItemState(wParam, *reinterpret_cast<const LVITEMW*>(lParam)) : FALSE;
      break;
    case LVM_GETITEMSTATE:
      result = GetItemState(wParam, lParam);
      break;
    case WM_LBUTTONDOWN:  // only the press: a double click changes the tick once
    case WM_RBUTTONDOWN: {
      LVHITTESTINFO hit = HitTest(lParam);
      if (message == WM_LBUTTONDOWN && hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) {
        SetTick(hit.iItem, !rows_.Ticked(hit.iItem));
      }
      result = hit.iItem >= 0 ? MoveSelection(message, wParam, lParam)
                              : DefSubclassProc(list_, message, wParam, lParam);
      break;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        std::int32_t focused = FocusedRow();
        if (focused >= 0) SetTick(focused, !rows_.Ticked(focused));
      }
      result = MovesSelection(wParam) ? MoveSelection(message, wParam, lParam)
                                      : DefSubclassProc(list_, message, wParam, lParam);
      break;
    case WM_CHAR:  // typed letters select the next row whose name begins with them
      result = MoveSelection(message, wParam, lParam);
      break;
    default:
      result = DefSubclassProc(list_, message, wParam, lParam);
      break;
  }
  selectedKnown_ = false;
  return result;
}

LRESULT ResultList::SetItemState(WPARAM wParam, const LVITEMW& item) {
  auto row = static_cast<std::int32_t>(static_cast<INT_PTR>(wParam));  // -1: every row
  if (row < -1) return FALSE;
  // Ticks are the rows' own; selection and focus are the control's, which knows its row count
  // (until a removal batch ends, the old one).
  if (item.stateMask & LVIS_STATEIMAGEMASK) {
    if (row >= rows_.count()) return FALSE;
    UINT image = (item.state & LVIS_STATEIMAGEMASK) >> 12;
    if (image == 1 || image == 2) SetTick(row, image == 2);
  }
  if (!(item.stateMask & ~LVIS_STATEIMAGEMASK)) return TRUE;
  LVITEMW rest = item;
  rest.stateMask &= ~LVIS_STATEIMAGEMASK;
  return DefSubclassProc(list_, LVM_SETITEMSTATE, wParam, reinterpret_cast<LPARAM>(&rest));
}

LRESULT ResultList::GetItemState(WPARAM wParam, LPARAM lParam) {
  auto mask = static_cast<UINT>(lParam);
  auto row = static_cast<std::int32_t>(wParam);
  LRESULT state = 0;
  if (mask & ~LVIS_STATEIMAGEMASK) {
    state = DefSubclassProc(list_, LVM_GETITEMSTATE, wParam, mask & ~LVIS_STATEIMAGEMASK);
  }
  if ((mask & LVIS_STATEIMAGEMASK) && row >= 0 && row < rows_.count()) {
    state |= rows_.Ticked(row) ? kTicked : kUnticked;
  }
  return state;
}

LVHITTESTINFO ResultList::HitTest(LPARAM point) {
  LVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  hit.iItem =
      static_cast<int>(DefSubclassProc(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (hit.iItem >= rows_.count()) hit.iItem = -1;
  return hit;
}

bool ResultList::MovesSelection(WPARAM key) {
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      return true;
    default:
      return false;
  }
}

// Wine's owner-data list view clears the old selection by visiting every row (0.6 s at 686,000
// rows) unless none is selected, and it does so on every key or click that selects a row. So the
// selected row is cleared here first, which costs one row; should the message select nothing
// (a key at the list's edge, a click on a box), the row is selected again, so the outcome is the
// control's own.
LRESULT ResultList::MoveSelection(UINT message, WPARAM wParam, LPARAM lParam) {
  std::int32_t before = SelectedRow();
  if (before >= 0) SetStateBits(before, LVIS_SELECTED, false);
  LRESULT result = DefSubclassProc(list_, message, wParam, lParam);
  if (before >= 0 && before < rows_.count() &&
      DefSubclassProc(list_, LVM_GETSELECTEDCOUNT, 0, 0) == 0) {
    SetStateBits(before, LVIS_SELECTED, true);
  }
  return result;
}

void ResultList::SetStateBits(std::int32_t row, UINT bits, bool set) {
  if (row < 0) return;  // never -1, which would mean every row
  LVITEMW item{};
  item.stateMask = bits;
  item.state = set ? bits : 0;
  // Sent rather than passed on: this runs outside the list's own procedure too.
  SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ResultList::SetTick(std::int32_t row, bool ticked) {
  bool changed = false;
  if (row == -1) {
    for (std::int32_t each = 0; each < rows_.count(); ++each) {
      changed = rows_.SetTicked(each, ticked) || changed;
    }
    if (changed) InvalidateRect(list_, nullptr, FALSE);
  } else {
    changed = rows_.SetTicked(row, ticked);
    if (changed) DefSubclassProc(list_, LVM_REDRAWITEMS, row, row);
  }
  if (changed) ReportTickChange(row, ticked);
}

void ResultList::SetRowTicked(std::int32_t row, bool ticked) {
  if (!batch_) {
    SetTick(row, ticked);
    return;
  }
  if (row >= 0 && rows_.SetTicked(row, ticked)) ticksChangedInBatch_ = true;
}

void ResultList::ReportTickChange(std::int32_t row, bool ticked) {
  NMLISTVIEW change{};
  change.hdr.hwndFrom = list_;
  change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list_));
  change.hdr.code = LVN_ITEMCHANGED;
  change.iItem = row;
  change.uChanged = LVIF_STATE;
  change.uNewState = ticked ? kTicked : kUnticked;
  change.uOldState = ticked ? kUnticked : kTicked;
  SendMessageW(GetParent(list_), WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
}

// Asking the control for the first selected row walks every row before it, 11 ms at 686,000
// rows under Wine, and the main loop asks on every pass. The count of selected rows and the
// focused row's state answer at once: in this single-selection list the selected row is nearly
// always the focused one; only otherwise is the control asked to look.
std::int32_t ResultList::SelectedRow() {
  if (removedInBatch_) return kept_.selected;
  if (selectedKnown_) return selected_;
  std::int32_t selected = SelectedRowOfControl();
  // Set after asking: every message the control handles forgets the row.
  selected_ = selected;
  selectedKnown_ = true;
  return selected_;
}

std::int32_t ResultList::FocusedRow() {
  return static_cast<std::int32_t>(
      SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

std::int32_t ResultList::SelectedRowOfControl() {
  auto count = SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0);
  if (count <= 0) return -1;
  std::int32_t focused = FocusedRow();
  if (count == 1 && focused >= 0 &&
      SendMessageW(list_, LVM_GETITEMSTATE, focused, LVIS_SELECTED) != 0) {
    return focused;
  }
  return static_cast<std::int32_t>(
      SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::int32_t ResultList::FirstRowWithState(std::int32_t bits, std::int32_t from) {
  std::int32_t start = from < 0 ? 0 : from;
  if (bits & ~3) return -1;
  if (bits & 1) {
    std::int32_t selected = SelectedRow();
    return selected >= start && (RowState(selected) & bits) == bits ? selected : -1;
  }
  if (bits & 2) return rows_.FirstTicked(start);
  return start < rows_.count() ? start : -1;
}

std::int32_t ResultList::RowState(std::int32_t row) {
  if (row < 0 || row >= rows_.count()) return 0;
  return (SelectedRow() == row ? 1 : 0) | (rows_.Ticked(row) ? 2 : 0);
}

std::string ResultList::RowText(std::int32_t row, std::int32_t column) {
  if (column < 0) return "";
  if (row != -1) return rows_.Cell(row, column);
  std::vector<wchar_t> title(264);
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT;
  info.pszText = title.data();
  info.cchTextMax = static_cast<int>(title.size());
  if (!SendMessageW(list_, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info))) return "";
  return Narrow(info.pszText);
}

void ResultList::AddRow(std::int32_t position, std::string_view text, std::string_view cut) {
  bool appended = position < 0 || position >= rows_.count();
  if (rows_.count() == 0) rows_.SetCut(cut);
  rows_.Insert(position, text);
  if (!batch_) UpdateCount(appended ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : LVSICF_NOSCROLL);
}

void ResultList::AddRecordRow(const FileRecord& record, std::string_view root,
                              std::string_view cut) {
  if (rows_.count() == 0) rows_.SetCut(cut);
  rows_.AppendRecord(record, root);
  if (!batch_) UpdateCount(LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void ResultList::RemoveRow(std::int32_t row) {
  if (row < 0 || row >= rows_.count()) return;
  if (batch_) {
    // Under Wine each LVM_DELETEITEM redraws the scroll bars and may scroll, about 20 ms a row;
    // in a batch the control learns the new count once, and the selected and the focused row
    // are carried along here as the control would carry them.
    if (!removedInBatch_) {
      kept_ = {SelectedRow(), FocusedRow()};
      removedInBatch_ = true;
    }
    kept_.selected = RowAfterRemoval(kept_.selected, row);
    kept_.focused = RowAfterRemoval(kept_.focused, row);
    rows_.Remove(row);
    return;
  }
  rows_.Remove(row);
  // The control moves the selection and the focus of the rows below up by one.
  SendMessageW(list_, LVM_DELETEITEM, row, 0);
}

std::int32_t ResultList::RowAfterRemoval(std::int32_t kept, std::int32_t removed) {
  if (kept < 0 || kept == removed) return -1;
  return kept > removed ? kept - 1 : kept;
}

void ResultList::ClearRows() {
  rows_.Clear();
  removedInBatch_ = false;
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
}

// Rows added in a batch only enter the store; the control learns the new count once at the end,
// so nothing is drawn or laid out in between and redrawing need not be switched off.
void ResultList::BeginBatch(std::int32_t expectedRows) {
  if (expectedRows > 0) rows_.Reserve(rows_.count() + expectedRows);
  batch_ = true;
  ticksChangedInBatch_ = false;
  rowsAtBatchStart_ = rows_.count();
}

void ResultList::EndBatch() {
  batch_ = false;
  bool ticksChanged = ticksChangedInBatch_;
  ticksChangedInBatch_ = false;
  if (ticksChanged) {
    // One repaint for every tick of the batch, and one report of the change to the parent.
    InvalidateRect(list_, nullptr, FALSE);
    ReportTickChange(-1, rows_.tickedCount() > 0);
  }
  if (!removedInBatch_) {
    // A batch that only changed ticks leaves the control's count, scroll position and
    // selection as they are.
    if (rows_.count() != rowsAtBatchStart_ || !ticksChanged) UpdateCount(LVSICF_NOSCROLL);
    return;
  }
  removedInBatch_ = false;
  // The control's selection and focus still name rows by their old places: cleared first (one
  // row each, so Wine need not visit every row), then set on the rows' new places.
  SetStateBits(SelectedRowOfControl(), LVIS_SELECTED, false);
  SetStateBits(FocusedRow(), LVIS_FOCUSED, false);
  UpdateCount(LVSICF_NOSCROLL);
  SetStateBits(kept_.focused, LVIS_FOCUSED, true);
  SetStateBits(kept_.selected, LVIS_SELECTED, true);
  InvalidateRect(list_, nullptr, FALSE);
}

void ResultList::UpdateCount(DWORD flags) {
  SendMessageW(list_, LVM_SETITEMCOUNT, rows_.count(), flags);
}

bool ResultList::OnNotify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case LVN_GETDISPINFOW:
      FillDisplayInfo(
          const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item);
      result = 0;
      return true;
    case LVN_ODFINDITEMW:
      result = FindRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
      return true;
    default:
      return false;
  }
}

void ResultList::FillDisplayInfo(LVITEMW& item) {
  if (item.iItem < 0 || item.iItem >= rows_.count()) return;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    std::wstring cell = Widen(rows_.Cell(item.iItem, item.iSubItem));
    std::size_t length = std::min(cell.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(cell.data(), length, item.pszText);
    item.pszText[length] = L'\0';
  }
  if (item.mask & LVIF_STATE) {
    item.state =
        (item.state & ~LVIS_STATEIMAGEMASK) | (rows_.Ticked(item.iItem) ? kTicked : kUnticked);
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

// Typing letters over the list selects the next row whose name begins with them, as in an
// ordinary list view. Letters compare without case in the ASCII range, other characters exactly,
// so a search through a million rows needs no text conversion per row.
std::int32_t ResultList::FindRow(const NMLVFINDITEMW& find) {
  const LVFINDINFOW& info = find.lvfi;
  if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || !info.psz) return -1;
  std::string wanted = Narrow(info.psz);
  bool partial = (info.flags & LVFI_PARTIAL) != 0;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  std::int32_t count = rows_.count();
  std::int32_t start = find.iStart < 0 || find.iStart >= count ? 0 : find.iStart;
  for (std::int32_t step = 0; step < count; ++step) {
    std::int32_t row = start + step;
    if (row >= count) {
      if (!(info.flags & LVFI_WRAP)) break;
      row -= count;
    }
    std::string_view name = rows_.Name(row);
    if (partial ? name.size() < wanted.size() : name.size() != wanted.size()) continue;
    bool same = true;
    for (std::size_t at = 0; same && at < wanted.size(); ++at) {
      same = lower(name[at]) == lower(wanted[at]);
    }
    if (same) return row;
  }
  return -1;
}

}  // namespace kz
