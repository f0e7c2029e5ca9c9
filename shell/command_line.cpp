#include "shell/command_line.h"

#include <cstring>

#include "platform/program_folder.h"
#include "shell/program.h"

void JoinCommandLine(int argc, char** argv, char* out, int size) {
    if (!out || size <= 0)
        return;
    out[0] = '\0';
    int used = 0;
    for (int i = 1; i < argc && argv[i]; ++i) {
        const char* part = argv[i];
        if (i > 1 && used + 1 < size)
            out[used++] = ' ';
        int n = static_cast<int>(std::strlen(part));
        if (n > size - 1 - used)
            n = size - 1 - used;
        std::memcpy(out + used, part, static_cast<size_t>(n));
        used += n;
        out[used] = '\0';
    }
}

int RunProgramFromMain(const ProgramConfig& config, int argc, char** argv) {
    plat::ChangeToProgramFolder();
    char commandLine[256];
    JoinCommandLine(argc, argv, commandLine, sizeof commandLine);
    return RunProgram(config, commandLine);
}
