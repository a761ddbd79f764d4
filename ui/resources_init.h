// The pictures are compiled into the window library; a static library's
// resources must be registered once before the first window is made.
#pragma once

namespace corvella {
void init_resources();
}
