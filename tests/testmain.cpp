// Test entry: points HOME and the XDG folders at a fresh temporary folder, so
// no test ever reads or writes the real user's files, then runs GoogleTest on
// the offscreen platform: inside a QGuiApplication for the logic, or with
// QM_TEST_WINDOWS inside a QApplication that asks with message boxes, as the
// program does.

#include <gtest/gtest.h>

#ifdef QM_TEST_WINDOWS
#include "platform/prompter.h"
#include "platform/ui/messageboxes.h"

#include <QApplication>
#else
#include <QGuiApplication>
#endif
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    const QString root = home.path();
    const struct {
        const char *variable;
        const char *folder;
    } places[] = {
        {"HOME", "home"},
        {"XDG_DATA_HOME", "home/.local/share"},
        {"XDG_CONFIG_HOME", "home/.config"},
        {"XDG_CACHE_HOME", "home/.cache"},
        {"XDG_RUNTIME_DIR", "runtime"},
    };
    for (const auto &p : places) {
        const QString dir = root + QLatin1Char('/') + QLatin1String(p.folder);
        QDir().mkpath(dir);
        qputenv(p.variable, QFile::encodeName(dir));
    }
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    ::testing::InitGoogleTest(&argc, argv);
#ifdef QM_TEST_WINDOWS
    QApplication app(argc, argv);
    setdefaultprompter(&messageboxes());
#else
    QGuiApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
