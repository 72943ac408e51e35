// Ctrl-C and a request to terminate as a wish to stop cleanly, so that no half-made file is left.
#pragma once

// From now on SIGINT and SIGTERM only note that they came, and interrupt a wait.
void catchInterruptions();

// The signal that asked to stop, or 0.
int interruption();
