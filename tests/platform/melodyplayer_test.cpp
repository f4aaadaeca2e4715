#include "platform/melodyplayer.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>

#include <memory>

namespace {

// Opens and plays `path` the way the pop-up and the preview do, then gives
// the media framework time to tell of a failure.
void openandplay(MelodyPlayer &player, const QString &path)
{
    player.setfile(path);
    player.open();
    player.rewind();
    player.play();
}

} // namespace

// A melody that cannot be played must not leave the player "playing"
// forever (a stuck "Stop" button) nor be reported again and again.
TEST(MelodyPlayer, AMissingOrUnplayableFileIsReportedOnceAndCountsAsStopped)
{
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("noise.mp3"));
    ASSERT_TRUE(testsupport::writefile(garbage, QByteArray(4096, '\x5a')));
    for (const QString &path : {dir.filePath(QStringLiteral("missing.mp3")), dir.path(), garbage}) {
        std::unique_ptr<MelodyPlayer> player(createmediaplayer(nullptr));
        QSignalSpy failures(player.get(), &MelodyPlayer::failed);
        openandplay(*player, path);
        if (failures.isEmpty()) {
            EXPECT_TRUE(failures.wait(10000)) << path.toStdString();
        }
        ASSERT_EQ(failures.count(), 1) << path.toStdString();
        EXPECT_TRUE(player->isstopped()) << path.toStdString();

        // Playing it again, as the pop-up's loop would, reports nothing new.
        player->rewind();
        player->play();
        QTest::qWait(200);
        EXPECT_EQ(failures.count(), 1) << path.toStdString();
        EXPECT_TRUE(player->isstopped()) << path.toStdString();
    }
}
