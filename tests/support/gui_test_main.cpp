#include <cstdlib>

#include <QApplication>
#include <gtest/gtest.h>

// Window tests build one QApplication for the whole run, headless unless told otherwise.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
