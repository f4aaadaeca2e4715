#include "platform/melodyplayer.h"
#include "platform/ui/mediaplayer.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QDataStream>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>

#include <cmath>
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

// A WAV file of `seconds` of a 440 Hz tone, 8 kHz mono 16-bit.
QByteArray tone(double seconds)
{
    const int rate = 8000;
    const int samples = int(rate * seconds);
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("RIFF", 4);
    s << quint32(36 + 2 * samples);
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(2 * rate) << quint16(2) << quint16(16);
    s.writeRawData("data", 4);
    s << quint32(2 * samples);
    for (int i = 0; i < samples; ++i)
        s << qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
    return out;
}

bool hasoutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
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
        EXPECT_FALSE(failures.wait(200)) << path.toStdString();
        EXPECT_EQ(failures.count(), 1) << path.toStdString();
        EXPECT_TRUE(player->isstopped()) << path.toStdString();
    }
}

// Without any sound output the framework would "play" into nothing for the
// melody's length: the player says at once that nothing can be heard.
TEST(MelodyPlayer, WithoutASoundOutputNothingPlaysAndThatIsSaidOnce)
{
    if (hasoutput())
        GTEST_SKIP() << "this machine has a sound output";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(testsupport::writefile(path, tone(0.5)));
    std::unique_ptr<MelodyPlayer> player(createmediaplayer(nullptr));
    QSignalSpy failures(player.get(), &MelodyPlayer::failed);
    openandplay(*player, path);
    ASSERT_EQ(failures.count(), 1) << "told at once";
    EXPECT_EQ(failures.at(0).at(0).toString(), melodyreason::nooutput);
    EXPECT_TRUE(player->isstopped());

    // The pop-up's loop tries again: nothing new is said, nothing plays.
    player->rewind();
    player->play();
    QCoreApplication::processEvents();
    EXPECT_EQ(failures.count(), 1);
    EXPECT_TRUE(player->isstopped());

    // A missing file is named as such, also here.
    openandplay(*player, dir.filePath(QStringLiteral("missing.wav")));
    ASSERT_EQ(failures.count(), 2);
    EXPECT_EQ(failures.at(1).at(0).toString(), melodyreason::nofile);
}

// A reminder's melody sounds until the pop-up is clicked: past its end it
// plays again by itself, and a stop ends it at once. Played once, it ends.
TEST(MelodyPlayer, ALoopingMelodyPlaysAgainAfterItsEndUntilStopped)
{
    if (!hasoutput())
        GTEST_SKIP() << "no sound output on this machine: the player refuses to play (see "
                        "WithoutASoundOutputNothingPlaysAndThatIsSaidOnce)";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(testsupport::writefile(path, tone(0.4)));
    std::unique_ptr<MelodyPlayer> player(createmediaplayer(nullptr));
    QSignalSpy failures(player.get(), &MelodyPlayer::failed);

    // Once: it plays, then it has stopped.
    player->setlooping(false);
    openandplay(*player, path);
    auto *media = player->findChild<QMediaPlayer *>();
    ASSERT_NE(media, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return media->playbackState() == QMediaPlayer::PlayingState; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->isstopped(); }, 10000)) << "a single play ends";

    // Looping: after each end the position runs from the start again, and
    // the player never counts as stopped meanwhile.
    player->setlooping(true);
    openandplay(*player, path);
    int ends = 0;
    qint64 sinceend = -1; // the furthest position after the last end
    QObject::connect(media, &QMediaPlayer::mediaStatusChanged, media, [&](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia) {
            ++ends;
            sinceend = -1;
        }
    });
    QObject::connect(media, &QMediaPlayer::positionChanged, media, [&](qint64 at) {
        if (ends > 0)
            sinceend = std::max(sinceend, at);
    });
    bool stoppedmeanwhile = false;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            stoppedmeanwhile = stoppedmeanwhile || player->isstopped();
            return ends >= 2 && sinceend > 150;
        },
        20000))
        << ends << " ends, " << sinceend << " ms after the last";
    EXPECT_FALSE(stoppedmeanwhile) << "the timer would restart it as well";
    EXPECT_TRUE(failures.isEmpty());

    // A stop ends it within a second, and no end starts it again.
    player->stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->isstopped(); }, 1000));
    EXPECT_FALSE(QTest::qWaitFor([&] { return media->playbackState() != QMediaPlayer::StoppedState; }, 800))
        << "it played on after the stop";
}
