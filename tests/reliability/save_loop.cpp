// Saves the project file named on the command line over and over, by turns with the second and
// the first settings of save_loop_settings.h, until it is killed. The crash-safety test kills it
// at random moments, most of them in the middle of a save.

#include "save_loop_settings.h"

#include "ini/project_writer.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_loop FILE\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    for (int which = 1;; which = 1 - which) {
        if (!WriteProjectFile(file, SaveLoopSettings(which))) {
            std::fprintf(stderr, "save_loop: saving %s failed\n", argv[1]);
            return 1;
        }
    }
}
