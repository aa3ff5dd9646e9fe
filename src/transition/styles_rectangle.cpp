#include "transition/frame_context.h"

namespace vorn {

// Until the rectangle styles land, D and R stay whole: the frame shows the
// new picture at once, like style 0.
void rectangleStyle(int, FrameContext&) {}

}  // namespace vorn
