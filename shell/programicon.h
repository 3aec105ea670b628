#pragma once

#include <QImage>

// The program's picture, the same on the splash sheet, in the help and as the
// desktop's icon: drawn at each size rather than scaled from one picture, so
// small sizes stay sharp.
QImage drawProgramIcon(int size);
