#include "foreground.h"

void LetAlarmsRaiseTheWindow() {}
