#include "parent_console.h"

void AttachToParentConsole() {}
