#include "controls/ButtonModel.h"

#include "resources/ResourceIds.h"

namespace {

bool Outside(int x, int y, int width, int height) { return x < 0 || y < 0 || x > width || y > height; }

struct SkinButton {
    int identifier;
    const char* caption;
};

const SkinButton kSkinButtons[] = {{1, "OK"}, {2, "Cancel"}, {1074, "Save"}, {1078, "Delete"}, {1110, "Update"}};

}  // namespace

ButtonActions ButtonPress(uint8_t& face) {
    face = kFacePressed;
    ButtonActions actions;
    actions.capture = actions.repaint = true;
    return actions;
}

ButtonActions ButtonMove(uint8_t& face, int x, int y, int width, int height, bool leftOnly) {
    ButtonActions actions;
    if (leftOnly) return actions;
    if (face == kFaceNormal) {
        face = kFaceHover;
        actions.capture = actions.repaint = true;
    }
    if (Outside(x, y, width, height)) {
        face = kFaceNormal;
        actions.capture = false;
        actions.releaseCapture = actions.repaint = true;
    }
    return actions;
}

ButtonActions ButtonRelease(uint8_t& face) {
    ButtonActions actions;
    actions.releaseCapture = true;
    if (face == kFacePressed) {
        face = kFaceNormal;
        actions.click = actions.repaint = true;
    }
    return actions;
}

ButtonActions ButtonCaptureLost(uint8_t& face) {
    ButtonActions actions;
    if (face != kFaceNormal) {
        face = kFaceNormal;
        actions.repaint = true;
    }
    return actions;
}

ButtonActions HoverMove(uint8_t& hover, int x, int y, int width, int height, bool pressing) {
    ButtonActions actions;
    if (x < 0 || x >= width || y < 0 || y >= height) {
        actions.releaseCapture = !pressing;
        actions.repaint = true;
        hover = 0;
    } else if (!hover) {
        hover = 1;
        actions.capture = actions.repaint = true;
    }
    return actions;
}

ButtonActions HoverEnd(uint8_t& hover) {
    ButtonActions actions;
    actions.repaint = hover != 0;
    hover = 0;
    return actions;
}

SkinSet ChooseSkinSet(bool disabled, bool pressed, bool hover, int identifier) {
    if (disabled) return SkinSet::Normal;
    if (pressed) return SkinSet::Pressed;
    if (hover) return SkinSet::Hover;
    if (identifier == 1) return SkinSet::Default;
    return SkinSet::Normal;
}

int SkinBitmapId(SkinSet set, SkinPiece piece) {
    // Each set is right cap, left cap, middle, from 123 up.
    const int first = kSkinNormalRightBitmap + 3 * int(set);
    switch (piece) {
        case SkinPiece::Right: return first;
        case SkinPiece::Left: return first + 1;
        case SkinPiece::Middle: return first + 2;
    }
    return first;
}

int SkinButtonIndex(int identifier) {
    for (int i = 0; i < int(sizeof kSkinButtons / sizeof kSkinButtons[0]); ++i)
        if (kSkinButtons[i].identifier == identifier) return i;
    return -1;
}

const char* SkinCaption(int identifier) {
    const int index = SkinButtonIndex(identifier);
    return index < 0 ? nullptr : kSkinButtons[index].caption;
}

SkinLayout LayOutSkin(int width, int capWidth) {
    return {{0, capWidth}, {capWidth, width - 2 * capWidth}, {width - capWidth, capWidth}};
}
