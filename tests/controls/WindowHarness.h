// Driving toolkit windows from the test's own thread: an owner window that
// records what its controls tell it, real messages sent to the controls,
// pictures of what they paint, and steps run while a modal value dialog
// waits for input (the dialog manager sends its owner WM_ENTERIDLE
// whenever its queue is empty).
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

struct Notification {
    int id, code;
    LPARAM lParam;
};

struct Owner {
    HWND window = nullptr;
    std::vector<Notification> notes;                  // every WM_COMMAND, in order
    std::deque<std::function<void(HWND)>> idleSteps;  // one per idle turn of a modal dialog
    bool dialogLeftOpen = false;                      // a dialog idled with no step left: closed by force
};

// The owner, emptied and sized for a test.
Owner& TheOwner();
HWND CreateOwnerWindow(int width, int height);

HWND CreateControl(const char* className, int id, int x, int y, int width, int height, void* record = nullptr);

void Pump();  // dispatches everything posted so far

LRESULT SendMouse(HWND window, UINT message, int x, int y, WPARAM keys = 0);
std::string TextOf(HWND window);
std::vector<Notification> NotesFrom(int id);

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top-down
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

Picture PrintClient(HWND window, int width, int height);  // WM_PRINTCLIENT into a memory bitmap
Picture Grab(HWND window);  // the client area as painted on screen, children included
Picture Beside(const std::vector<Picture>& pictures, int gap);

// build/test-artifacts/<folder>/<name>.png
void SaveArtifact(const Picture& picture, const std::string& name, const char* folder = "controls");

// Compares with tests/controls/reference/<name>.png; a mismatch or a
// missing reference fails, with the picture and a difference map saved as
// artifacts. LUMERIC_UPDATE_REFERENCES=1 writes the reference instead.
void ExpectMatchesReference(const Picture& picture, const std::string& name);
