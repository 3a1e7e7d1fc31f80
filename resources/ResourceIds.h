// The ids of the program file's resources. The resource compiler reads this file as well as the
// C++ compiler: plain defines only.
#pragma once

// The program's icon: the lowest id, so the shell shows it for the program file.
#define MAIN_ICON_RESOURCE 1
