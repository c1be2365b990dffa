// The program's own start, from the process's start until the wizard has
// painted. It lies beside varnwick, so it finds the same data files.
#include "FirstPaint.h"
#include "shell/Program.h"
#include "wizard/frmWizard.h"

#include <memory>

int main(int argc, char* argv[]) {
    std::unique_ptr<FirstPaint> probe;
    return RunProgram(argc, argv, {}, [&probe](frmWizard& wizard) {
        probe = std::make_unique<FirstPaint>(wizard);
    });
}
