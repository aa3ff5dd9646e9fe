#pragma once
// Which shapes each masked style asks for at the frame's geometry.
#include "platform/random.h"
#include "transition/frame_context.h"
#include "transition/mask_plan.h"

namespace vorn {

bool isMaskedStyle(int style);

// Fills `plan` (cleared first) with M of `style` at geometry g, drawing any
// random choices from `random`. Returns false, leaving the plan empty, for a
// style that is not masked.
bool planMaskedStyle(int style, const FrameGeometry& g, Random& random, MaskPlan& plan);

}  // namespace vorn
