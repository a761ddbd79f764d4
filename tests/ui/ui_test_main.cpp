// The window tests need one application object for the whole run; they run
// off screen so that no display is needed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/application.h"
#include "pictures/picture_font.h"
#include "ui/resources_init.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    corvella::CorvellaApplication app(argc, argv);
    corvella::init_resources();
    corvella::register_picture_fonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
