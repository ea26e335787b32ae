#include "screen/layout.h"

namespace cb {

CursorResource cursorResource(CursorKind kind) {
    switch (kind) {
        case CursorKind::Hand:
            return {"HAND.png", 12, 1};
        case CursorKind::Brush:
            return {"BRUSH.png", 32, 32};
        case CursorKind::Drop:
            return {"DROP.png", 16, 16};
        case CursorKind::Arrow:
        case CursorKind::System:
            break;
    }
    return {"ARROW.png", 0, 0};
}

}  // namespace cb
