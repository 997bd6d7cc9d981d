#include "tests/fakes/fake_ui.h"

#include "common/decimal.h"

#include <algorithm>

#include "core/ids.h"
#include "core/result_row.h"

namespace kz::testing {

FakeUi::FakeUi() {
  texts[id::kTimeField] = "00:00:00";
  states[id::kRecursiveCheck] = 1;
  states[id::kPositionBar] = 0;
  rangeMin[id::kPositionBar] = 0;
  rangeMax[id::kPositionBar] = 100;
  lists_[id::kResultList];
}

bool FakeUi::HasControl(int id) const {
  switch (id) {
    case id::kSearchButton:
    case id::kPlayButton:
    case id::kPauseButton:
    case id::kStopButton:
    case id::kRewindButton:
    case id::kForwardButton:
    case id::kRecursiveCheck:
    case id::kResultList:
    case id::kFolderTree:
    case id::kTimeField:
    case id::kPositionBar:
      return true;
    case id::kPropertiesList:
      return propertiesOpen;
    default:
      return false;
  }
}

std::string FakeUi::ControlText(int id) {
  if (!HasControl(id)) return "";
  if (id == id::kResultList) {
    for (const Row& row : lists_[id]) {
      if (row.state & 1) return row.cells.empty() ? "" : row.cells[0];
    }
    return "";
  }
  return texts[id];
}

void FakeUi::SetControlText(int id, std::string_view text) {
  if (!HasControl(id)) return;
  log.push_back("SetControlText " + std::to_string(id) + " " + std::string(text));
  texts[id] = std::string(text);
}

std::int32_t FakeUi::ControlState(int id) {
  if (!HasControl(id)) return 0;
  if (id == id::kResultList || id == id::kPropertiesList) {
    auto& rows = lists_[id];
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].state & 1) return static_cast<std::int32_t>(i);
    }
    return -1;
  }
  return static_cast<std::int32_t>(states[id]);
}

void FakeUi::SetControlState(int id, std::int64_t value) {
  if (!HasControl(id)) return;
  log.push_back("SetControlState " + std::to_string(id) + " " + std::to_string(value));
  if (id == id::kRecursiveCheck) {
    states[id] = value != 0 ? 1 : 0;
  } else if (id == id::kPositionBar) {
    auto position = static_cast<std::int32_t>(value);
    states[id] = std::clamp(position, rangeMin[id], std::max(rangeMin[id], rangeMax[id]));
  } else {
    states[id] = value;
  }
}

void FakeUi::DisableControl(int id, int flag) {
  if (!HasControl(id)) return;
  log.push_back("DisableControl " + std::to_string(id) + " " + std::to_string(flag));
  disabled_[id] = flag != 0;
}

std::int32_t FakeUi::RowCount(int id) {
  if (!HasControl(id) || !lists_.count(id)) return 0;
  return static_cast<std::int32_t>(lists_[id].size());
}

std::int32_t FakeUi::RowState(int id, std::int32_t row) {
  if (!HasControl(id) || row < 0 || row >= RowCount(id)) return 0;
  return lists_[id][static_cast<std::size_t>(row)].state;
}

std::string FakeUi::RowText(int id, std::int32_t row, std::int32_t column) {
  if (!HasControl(id) || row < 0 || row >= RowCount(id) || column < 0) return "";
  const Row& cells = lists_[id][static_cast<std::size_t>(row)];
  if (id == id::kResultList && column == kRecordingColumn && recordingCell &&
      cells.cells.size() == static_cast<std::size_t>(kRowTextCells)) {
    return recordingCell(DecimalToInt(cells.cells[kIdColumn]));
  }
  if (static_cast<std::size_t>(column) >= cells.cells.size()) return "";
  return cells.cells[static_cast<std::size_t>(column)];
}

void FakeUi::AddRow(int id, std::int32_t position, std::string_view text) {
  if (!HasControl(id)) return;
  Row row;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find('\n', start);
    row.cells.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  auto& rows = lists_[id];
  if (position < 0 || position >= static_cast<std::int32_t>(rows.size())) {
    rows.push_back(std::move(row));
  } else {
    rows.insert(rows.begin() + position, std::move(row));
  }
}

void FakeUi::SetRowTicked(int id, std::int32_t row, bool ticked) {
  if (!HasControl(id) || row < 0 || row >= RowCount(id)) return;
  TickRow(id, row, ticked);
}

void FakeUi::RemoveRow(int id, std::int32_t row) {
  if (!HasControl(id) || row < 0 || row >= RowCount(id)) return;
  log.push_back("RemoveRow " + std::to_string(id) + " " + std::to_string(row));
  auto& rows = lists_[id];
  rows.erase(rows.begin() + row);
}

void FakeUi::ClearRows(int id) {
  if (!HasControl(id)) return;
  lists_[id].clear();
}

void FakeUi::SetControlAttribute(int id, int attribute, std::int32_t value) {
  if (id != id::kPositionBar) return;
  log.push_back("SetControlAttribute " + std::to_string(id) + " " + std::to_string(attribute) +
                " " + std::to_string(value));
  if (attribute == attribute::kRangeMinimum) rangeMin[id] = value;
  if (attribute == attribute::kRangeMaximum) rangeMax[id] = value;
  auto position = static_cast<std::int32_t>(states[id]);
  states[id] = std::clamp(position, rangeMin[id], std::max(rangeMin[id], rangeMax[id]));
}

void FakeUi::SetStatusText(int field, std::string_view text) {
  if (field < 0 || field > 1) return;
  log.push_back("SetStatusText " + std::to_string(field) + " " + std::string(text));
  status[static_cast<std::size_t>(field)] = std::string(text);
}

void FakeUi::DisableMenuItem(int item, int flag) {
  if (!id::IsMenuItem(item)) return;
  menuDisabled_[item] = flag != 0;
}

std::int64_t FakeUi::ImageById(int imageId) {
  return imageId >= id::kFirstImage && imageId <= id::kLastImage ? imageId : 0;
}

void FakeUi::BeginRowBatch(int id, std::int32_t expectedRows) {
  log.push_back("BeginRowBatch " + std::to_string(id) + " " + std::to_string(expectedRows));
}

void FakeUi::EndRowBatch(int id) {
  log.push_back("EndRowBatch " + std::to_string(id));
}

std::int32_t FakeUi::Take(bool blocking) {
  type_ = -1;
  if (onEvent) onEvent();
  if (events.empty()) {
    // A blocking wait with nothing scripted would never return; a closed window ends the test.
    return blocking ? 16 : 0;
  }
  ScriptedEvent next = events.front();
  events.pop_front();
  if (next.code == 13100 || next.code == 13101) {
    source_ = next.source;
    type_ = next.type;
  }
  return next.code;
}

std::int32_t FakeUi::WaitEvent() {
  ++waits;
  return Take(true);
}

std::int32_t FakeUi::PollEvent() {
  ++polls;
  return Take(false);
}

void FakeUi::EnableMainWindow(bool enabled) {
  log.push_back(std::string("EnableMainWindow ") + (enabled ? "1" : "0"));
  mainWindowEnabled = enabled;
}

bool FakeUi::OpenPropertiesWindow() {
  log.push_back("OpenPropertiesWindow");
  if (!propertiesCanOpen) return false;
  propertiesOpen = true;
  lists_[id::kPropertiesList].clear();
  return true;
}

void FakeUi::ClosePropertiesWindow() {
  log.push_back("ClosePropertiesWindow");
  propertiesOpen = false;
}

std::int32_t FakeUi::AskYesNo(std::string_view caption, std::string_view text) {
  questions.push_back(std::string(caption) + "|" + std::string(text));
  if (answers.empty()) return 7;
  std::int32_t answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakeUi::SelectRow(int id, std::int32_t row) {
  auto& rows = lists_[id];
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (static_cast<std::int32_t>(i) == row) {
      rows[i].state |= 1;
    } else {
      rows[i].state &= ~1;
    }
  }
}

void FakeUi::TickRow(int id, std::int32_t row, bool ticked) {
  auto& state = lists_[id].at(static_cast<std::size_t>(row)).state;
  state = ticked ? (state | 2) : (state & ~2);
}

bool FakeUi::IsDisabled(int id) const {
  auto found = disabled_.find(id);
  return found != disabled_.end() && found->second;
}

bool FakeUi::IsMenuItemDisabled(int item) const {
  auto found = menuDisabled_.find(item);
  return found != menuDisabled_.end() && found->second;
}

}  // namespace kz::testing
