// Test entry: points HOME and the XDG folders at a fresh temporary folder, so
// no test ever reads or writes the real user's files, then runs GoogleTest
// inside a QApplication on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
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
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
