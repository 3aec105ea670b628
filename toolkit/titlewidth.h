#pragma once

class QWidget;

// Wide enough for the desktop to show the window's whole title: the title as
// the desktop shows it (followed by the program's name), in a title bar's
// larger type, beside the window's icon and its title bar buttons.
int widthShowingTitle(const QWidget* window);
// The window no narrower than that, also when its layout sizes it.
void makeRoomForTitle(QWidget* window);
