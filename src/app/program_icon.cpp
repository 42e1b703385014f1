#include "app/program_icon.h"

// The resources live in a static library, so nothing would pull them into the
// program unless they are registered by hand. Q_INIT_RESOURCE must be called
// outside any namespace.
static void InitProgramResources() { Q_INIT_RESOURCE(tallyer); }

namespace tallyer {

QIcon ProgramIcon() {
  static const bool registered = (InitProgramResources(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/icons/tallyer.svg"));
}

}  // namespace tallyer
