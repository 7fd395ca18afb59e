#pragma once
// The system's display scale. The host is laid out in pixels at 96 dpi (100 %); Px gives such a
// length at the screen's dpi (winkit::SystemDpi: the host is system dpi aware by its manifest),
// so that the frame, its documents, their controls and their fonts grow together, as the rich
// edits' text (sized in points) does. At 96 dpi every length stays as it is given.

#include <windows.h>

namespace practicehost {

// A length, an offset or a font height (negative for a character height) in 96-dpi pixels, at
// the screen's dpi, to the nearest pixel.
int Px(int pixels);

// A place in 96-dpi pixels: its corner and its size each scaled, its size thus Px of the size.
RECT Px(const RECT& bounds);

}  // namespace practicehost
