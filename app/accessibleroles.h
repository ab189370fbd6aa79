#pragma once

namespace app {

// Tells assistive technology what the window and the picture are: a frame and an image. Qt takes
// any plain widget for a generic area. Call once, before the window is made.
void installAccessibleRoles();

} // namespace app
