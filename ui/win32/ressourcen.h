/* Resource numbers of the program file, shared by its resource script and
   the window that loads them. Plain preprocessor lines: the resource
   compiler reads this file too. */
#pragma once

/* The program's icon: 16, 24, 32, 48 and 256 pixels, 32 bits each. */
#define IDI_DUNSTWERK 1

/* The logo as 24-bit bitmaps at 1, 1.5 and 2 times its 34 x 25 pixels. */
#define IDR_LOGO_34X25 11
#define IDR_LOGO_51X38 12
#define IDR_LOGO_68X50 13
