// The preview panes' mouse and frame arithmetic: dragging the picture of
// the preview pane, dragging the navigator's frame, the frame's size and
// its clamping to the navigator's picture.
#pragma once

enum : unsigned char { kNavigatorMode = 0, kPreviewMode = 1 };

struct PaneMotion {
    int lastX, lastY;    // mouse at the previous event
    int dragX, dragY;    // preview: how far the picture moved in this drag
    int panX, panY;      // preview: pan waiting for the owner to take it
    int frameX, frameY;  // navigator: frame's top-left in picture pixels
};

// Left button down at (x, y): a new drag starts there.
void PaneLeftDown(PaneMotion& motion, int x, int y);
// Left-button drag to (x, y): the preview picture follows the mouse, the
// navigator's frame does.
void PaneLeftDrag(PaneMotion& motion, unsigned char mode, int x, int y);
// Left button up: the preview's view moves opposite to the picture.
void PaneLeftUp(PaneMotion& motion, unsigned char mode);
// Right button down or right-button drag: the point, raised to 0.
void PaneRightPoint(PaneMotion& motion, int x, int y);

struct FrameSize {
    int width;
    int height;
};

// truncate(preview picture size * (1 / scale) + 0.5); no frame (0 x 0)
// for a scale that is not a positive finite number.
FrameSize NavigatorFrameSize(int previewPictureWidth, int previewPictureHeight, float navigatorScale);

// Not above or left of the picture; a frame reaching the right or bottom
// edge is pulled back to one pixel short of it.
void ClampFrame(PaneMotion& motion, FrameSize frame, int pictureWidth, int pictureHeight);

struct Box {
    int left, top, width, height;
};

// The four edge bands to invert for a frame at (x, y) of `frame` size with
// lines `thickness` pixels wide: rows y and y + height across x .. x +
// width, columns x and x + width down y .. y + height, both ends included,
// so each corner is inverted twice.
void FrameBands(int x, int y, FrameSize frame, int thickness, Box bands[4]);
