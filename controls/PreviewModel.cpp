#include "controls/PreviewModel.h"

#include <cmath>

#include "controls/ControlNumbers.h"

void PaneLeftDown(PaneMotion& motion, int x, int y) {
    motion.lastX = x;
    motion.lastY = y;
    motion.dragX = motion.dragY = 0;
}

void PaneLeftDrag(PaneMotion& motion, unsigned char mode, int x, int y) {
    if (mode == kNavigatorMode) {
        motion.frameX += x - motion.lastX;
        motion.frameY += y - motion.lastY;
    } else {
        motion.dragX += x - motion.lastX;
        motion.dragY += y - motion.lastY;
    }
    motion.lastX = x;
    motion.lastY = y;
}

void PaneLeftUp(PaneMotion& motion, unsigned char mode) {
    if (mode == kNavigatorMode) return;
    motion.panX -= motion.dragX;
    motion.panY -= motion.dragY;
    motion.dragX = motion.dragY = 0;
}

void PaneRightPoint(PaneMotion& motion, int x, int y) {
    motion.lastX = x < 0 ? 0 : x;
    motion.lastY = y < 0 ? 0 : y;
}

FrameSize NavigatorFrameSize(int previewPictureWidth, int previewPictureHeight, float navigatorScale) {
    if (!(navigatorScale > 0.0f) || !std::isfinite(navigatorScale)) return {0, 0};
    const float inverse = 1.0f / navigatorScale;
    return {TruncateToInt(float(previewPictureWidth) * inverse + 0.5f),
            TruncateToInt(float(previewPictureHeight) * inverse + 0.5f)};
}

void ClampFrame(PaneMotion& motion, FrameSize frame, int pictureWidth, int pictureHeight) {
    if (motion.frameX < 0) motion.frameX = 0;
    if (motion.frameY < 0) motion.frameY = 0;
    if (motion.frameX >= pictureWidth - frame.width) motion.frameX = pictureWidth - frame.width - 1;
    if (motion.frameY >= pictureHeight - frame.height) motion.frameY = pictureHeight - frame.height - 1;
}

void FrameBands(int x, int y, FrameSize frame, int thickness, Box bands[4]) {
    const int across = frame.width + thickness, down = frame.height + thickness;
    bands[0] = {x, y, across, thickness};
    bands[1] = {x, y + frame.height, across, thickness};
    bands[2] = {x, y, thickness, down};
    bands[3] = {x + frame.width, y, thickness, down};
}
