#include "app/dispatch.h"

#include "app/ids.h"
#include "mp3/show_properties.h"

namespace kz {

Outcome DispatchMenuEvent(Program& program, std::int32_t itemId) {
  switch (itemId) {
    case id::kPropertiesItem:
      return ShowProperties(program);
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
