#include "cli/commands/Commands.h"

int main(int argc, char** argv) { return LumericMain(argc, argv); }
