#include "binary_stdio.h"

void UseBinaryStdio() {}
