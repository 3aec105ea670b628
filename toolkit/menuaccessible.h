#pragma once

// Menu captions may carry blanks that place them on screen; a screen reader
// names each menu item by its caption without them. Installed before the
// menus are first read by a screen reader.
void nameMenuItemsByTrimmedCaptions();
