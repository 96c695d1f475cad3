// Pixel sizes for the screen's DPI. A DPI-aware host does not stretch a
// plug-in's windows, so every pixel size the controls use is given at 96 DPI
// and scaled here; at 96 DPI every size is exactly the unscaled one.
#pragma once

constexpr int kBaseDpi = 96;

// pixels * dpi / 96, rounded half away from zero (MulDiv's rounding).
int ScaleForDpi(int pixels, int dpi);

// The artwork scale to start from: 2 (double-size pictures) from 144 DPI
// up, where scaling the 96-DPI pictures would blur them, else 1.
int ArtworkScaleForDpi(int dpi);
