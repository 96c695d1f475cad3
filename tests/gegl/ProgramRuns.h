// Scratch folders, program runs, image files and settings spelt for each
// program, for the suites that compare the gegl command and GIMP with the
// lumeric command.
#pragma once

#include <string>
#include <vector>

#include "cli/image/Image.h"

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

private:
    std::string dir_;
};

std::string Quote(const std::string& text);
// Runs a shell command line; its exit status, with its output in *output.
int RunCommand(const std::string& line, std::string* output);

// Empty on success, else the reason.
std::string LoadImage(const std::string& path, Image* image);
std::string SaveImage(const std::string& path, const Image& image);
Image CropImage(const Image& image, uint32_t x, uint32_t y, uint32_t width, uint32_t height);
// Empty when both hold the same pixels, else the first difference.
std::string ImageDifference(const Image& actual, const Image& expected);

// One setting of a run as GIMP's dialog shows it (lists by index, switches 0 or 1).
struct Setting {
    const char* field;
    double shown;
};

std::string GeglProperties(const std::vector<Setting>& settings);  // "pattern=rings phase-shift=90"
std::string LumericSets(const std::vector<Setting>& settings);     // "--set pattern=3 --set phaseShift=..."
// Every property's value in order, the defaults where `settings` names none.
std::vector<double> AllPropertyValues(const std::vector<Setting>& settings);
