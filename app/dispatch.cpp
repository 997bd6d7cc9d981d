#include "app/dispatch.h"

#include "app/ids.h"
#include "search/run_search.h"

namespace kz {

Outcome DispatchMenuEvent(Program& program, std::int32_t itemId) {
  (void)program;
  switch (itemId) {
    default:
      return Outcome::kContinue;
  }
}

Outcome DispatchControlEvent(Program& program, std::int32_t controlId) {
  switch (controlId) {
    case id::kSearchButton:
      return RunSearch(program);
    default:
      return Outcome::kContinue;
  }
}

}  // namespace kz
