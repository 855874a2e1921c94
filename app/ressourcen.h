// Resource numbers of the program file, shared by its resource script and
// the code that loads them.
#pragma once

// The program's icon: 16, 32 (16 colours), 48, 64 and 256 pixels.
#define IDI_DUNSTWERK 1
