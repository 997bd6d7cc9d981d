#include "app/cli/console_ui.h"

#include <utility>

#include "core/ids.h"
#include "platform/command_line.h"

namespace kz::cli {

ConsoleUi::ConsoleUi(std::string root, bool recursive, RowSink onRow, std::FILE* messages,
                     bool messagesOnTerminal)
    : root_(std::move(root)),
      recursive_(recursive),
      onRow_(std::move(onRow)),
      messages_(messages),
      messagesOnTerminal_(messagesOnTerminal) {}

std::string ConsoleUi::ControlText(int id) {
  return id == id::kFolderTree ? root_ : "";
}

std::int32_t ConsoleUi::ControlState(int id) {
  if (id == id::kRecursiveCheck) return recursive_ ? 1 : 0;
  if (id == id::kResultList) return -1;  // no row is ever selected
  return 0;
}

std::int32_t ConsoleUi::RowCount(int id) {
  return id == id::kResultList ? rowCount_ : 0;
}

void ConsoleUi::AddRow(int id, std::int32_t position, std::string_view text) {
  (void)position;  // rows are only ever appended, so printing keeps the list order
  if (id != id::kResultList) return;
  EraseProgress();
  onRow_(text);
  ++rowCount_;
}

void ConsoleUi::ClearRows(int id) {
  if (id == id::kResultList) rowCount_ = 0;
}

void ConsoleUi::SetStatusText(int field, std::string_view text) {
  if (field < 0 || field > 1) return;
  status_[field].assign(text);
  if (field == 0 && messagesOnTerminal_) DrawProgress(text);
}

void ConsoleUi::DrawProgress(std::string_view text) {
  std::string drawn = "\r";
  drawn.append(text);
  // Blanks over what is left of a longer line drawn before.
  if (text.size() < progressWidth_) drawn.append(progressWidth_ - text.size(), ' ');
  progressWidth_ = text.size();
  std::fwrite(drawn.data(), 1, drawn.size(), messages_);
  std::fflush(messages_);
}

void ConsoleUi::EraseProgress() {
  if (progressWidth_ == 0) return;
  std::string blank(progressWidth_ + 2, ' ');
  blank.front() = '\r';
  blank.back() = '\r';
  std::fwrite(blank.data(), 1, blank.size(), messages_);
  std::fflush(messages_);
  progressWidth_ = 0;
}

void ConsoleUi::ReportStatus(int firstField) {
  EraseProgress();
  for (int field = firstField; field < 2; ++field) {
    std::fwrite(status_[field].data(), 1, status_[field].size(), messages_);
    std::fputc('\n', messages_);
  }
  std::fflush(messages_);
}

std::int32_t ConsoleUi::WaitEvent() {
  type_ = control_event::kNone;
  return event::kClose;  // nothing on the command line waits for input
}

std::int32_t ConsoleUi::PollEvent() {
  type_ = control_event::kNone;
  if (!TakeInterrupt()) return event::kNone;
  interrupted_ = true;
  source_ = id::kSearchButton;
  type_ = control_event::kClick;
  return event::kControl;
}

}  // namespace kz::cli
