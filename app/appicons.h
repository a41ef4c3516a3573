// Images of the program: its window icon and the toolbar's 16 x 15 button
// pictures, drawn in code so that they look the same on every desktop theme.
#pragma once

#include <QIcon>

namespace app {

// The program's icon: nodes on a circle joined by a blue cycle.
QIcon programIcon();

// The toolbar picture of a command, or a null icon for a command that has
// no button.
QIcon toolIcon(int commandId);

}  // namespace app
