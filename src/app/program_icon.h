#pragma once

#include <QIcon>

namespace tallyer {

// The program's icon (a calendar with a bar chart), from the resources.
QIcon ProgramIcon();

}  // namespace tallyer
