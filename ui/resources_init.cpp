#include "ui/resources_init.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void init_corvella_resources() { Q_INIT_RESOURCE(corvella); }

namespace corvella {
void init_resources() { init_corvella_resources(); }
}  // namespace corvella
