#include "app/dispatch.h"

#include "app/ids.h"

namespace kz {

Outcome DispatchMenuEvent(Program& program, std::int32_t itemId) {
  (void)program;
  switch (itemId) {
    default:
      return Outcome::kContinue;
  }
}

Outcome DispatchControlEvent(Program& program, std::int32_t controlId) {
  (void)program;
  switch (controlId) {
    default:
      return Outcome::kContinue;
  }
}

}  // namespace kz
