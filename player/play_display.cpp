#include "player/player_controls.h"

namespace kz {

// The display follows the media service once the media-control layer is in place.
void RefreshPlayDisplay(Program& program) {
  (void)program;
}

}  // namespace kz
