// Test programs run with a QApplication, headless unless a display is asked for.
#include "common_ui/message_box_presenter.h"
#include "labdb/labdb.h"
#include "platform/ui/modal.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    labdb::registerEmbeddedBackend();
    commonUi::registerMessageBox();
    // A message box nobody answers must fail a test, not hang it.
    ui::setNeverBlock(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
