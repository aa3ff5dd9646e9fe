#include "transition/frame_context.h"

namespace vorn {

// Until the masked styles land, no region is built; RenderFrame then draws
// the whole new picture, like style 0.
void maskedStyle(int, FrameContext&) {}

}  // namespace vorn
