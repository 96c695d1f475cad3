// The push buttons' decisions: the face state of a bitmap button, the
// hover flag of a skinned button, which skin set a skinned button shows,
// its caption and how its three skin pieces are laid out.
#pragma once

#include <cstdint>

// Face states of a bitmap button.
enum : uint8_t { kFaceNormal = 0, kFaceHover = 1, kFacePressed = 2 };

// What the window shell does after an event, in this order.
struct ButtonActions {
    bool capture = false;
    bool releaseCapture = false;
    bool repaint = false;
    bool click = false;  // post the click to the owner
};

// Bitmap button ("Control Button CPP").
ButtonActions ButtonPress(uint8_t& face);
// `leftOnly`: the move's key state is exactly the left button, a press
// being dragged, which changes nothing. Otherwise the mouse over the button
// shows the hover face, and a point outside (a point on the right or
// bottom edge counts as inside) lets go and shows the normal face.
ButtonActions ButtonMove(uint8_t& face, int x, int y, int width, int height, bool leftOnly);
// A release anywhere ends a press with a click.
ButtonActions ButtonRelease(uint8_t& face);
// The mouse capture went to another window: no face may stay lit.
ButtonActions ButtonCaptureLost(uint8_t& face);

// Hover tracking of a skinned system button. `pressing`: the left button
// is down, so the system button holds the capture for its press and keeps
// it (it must see the release to end or cancel the click).
ButtonActions HoverMove(uint8_t& hover, int x, int y, int width, int height, bool pressing);
ButtonActions HoverEnd(uint8_t& hover);  // button released, or capture lost

// Skin sets, in the order of their bitmap identifiers.
enum class SkinSet { Normal, Default, Hover, Pressed };
enum class SkinPiece { Left, Right, Middle };

// Disabled: normal (the caption shows it); pressed; hover; "OK" is the
// default button; else normal.
SkinSet ChooseSkinSet(bool disabled, bool pressed, bool hover, int identifier);

// The skin bitmap's resource identifier.
int SkinBitmapId(SkinSet set, SkinPiece piece);

// Index 0..4 of the skinned buttons "OK", "Cancel", "Save", "Delete",
// "Update" by identifier, or -1.
int SkinButtonIndex(int identifier);

// The caption of a skinned button, or null for an identifier without one.
const char* SkinCaption(int identifier);

struct Span {
    int left;
    int width;
};

struct SkinLayout {
    Span left, middle, right;
};

// Caps at both ends, the middle stretched between them.
SkinLayout LayOutSkin(int width, int capWidth);
