// Writes the lumeric command's manual page and bash completion, made from
// the same tables as its --help, so that the three never disagree.
//
//   make-command-docs VERSION MANPAGE COMPLETION
#include <cstdio>
#include <string>

#include "cli/commands/CommandDocs.h"

namespace {

bool WriteText(const char* path, const std::string& text) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make-command-docs VERSION MANPAGE COMPLETION\n");
        return 2;
    }
    if (!WriteText(argv[2], ManPage(argv[1])) || !WriteText(argv[3], BashCompletion())) {
        std::perror("make-command-docs");
        return 1;
    }
    return 0;
}
