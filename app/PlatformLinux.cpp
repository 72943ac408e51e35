// On Linux the program is started from a terminal or by its launcher, which chooses the folder.
#include "app/Platform.h"

void preparePlatform(bool) {}
