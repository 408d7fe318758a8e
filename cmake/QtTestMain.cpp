// Test entry for widget suites: one QApplication for the whole executable.
// Unless the caller chooses otherwise, suites run offscreen at a logical 120 ppi (the design
// resolution of the windows), so discovery and runs behave the same headless and under ctest.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const char* defaults[][2] = {
        {"QT_QPA_PLATFORM", "offscreen"}, {"QT_FONT_DPI", "120"}, {"QT_ENABLE_HIGHDPI_SCALING", "0"}};
    for (const auto& [name, value] : defaults)
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, value);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
