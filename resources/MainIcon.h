#pragma once

// The program's icon, 32 x 32 in 16 colours, as XPM lines. resources/corvanta-menu.xpm is the
// one drawing; scripts/make-icon turns it into the .ico a Windows build embeds.
extern const char* const* const MainIconXpm;
