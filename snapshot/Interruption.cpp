// Ctrl-C and a request to terminate as a wish to stop cleanly, so that no half-made file is left.
#include "snapshot/Interruption.h"

#include <signal.h>

namespace {

volatile sig_atomic_t caught = 0;

void note(int signal) { caught = signal; }

}  // namespace

void catchInterruptions() {
    struct sigaction action = {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a process waiting for its children wakes up to look.
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int interruption() { return caught; }
