// main() of every viewer test: a real QApplication on the offscreen platform, scripted dialogs,
// and a program folder of the test's own so tests never touch the build's program folder.
#include "ModExplor.h"
#include "startup/Dialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Dialogs::Script::Enable();
    QTemporaryDir programFolder;
    ModExplor::SetProgramFolder(programFolder.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
