// Standard input and output as plain bytes: packets hold CR, LF and 0x1A bytes of their own.
#pragma once

// On Windows the C runtime's text mode turns LF into CR LF and stops reading at 0x1A: switch
// stdin and stdout to binary. Elsewhere they already are.
void UseBinaryStdio();
