/* Resource numbers of the program file; the window of ui/win32 loads them,
   so they are written down beside it. */
#pragma once

#include "../ui/win32/ressourcen.h"
