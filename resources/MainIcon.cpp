#include "resources/MainIcon.h"

#include "resources/corvanta-menu.xpm"

const char* const* const MainIconXpm = corvanta_menu_icon;
