#include "platform/ui/mediaplayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace {

class MediaMelodyPlayer : public MelodyPlayer
{
public:
    using MelodyPlayer::MelodyPlayer;
    ~MediaMelodyPlayer() override
    {
        // Gone before the members its signals would reach.
        if (player_)
            player_->disconnect(this);
        delete player_;
        delete output_;
    }

    void setfile(const QString &path) override { file_ = path; }
    QString file() const override { return file_; }
    void open() override
    {
        failed_ = false;
        starting_ = false;
        // Checked here rather than left to the media framework, which tells
        // of a missing file late or not at all.
        if (!QFileInfo(file_).isFile()) {
            fail(melodyreason::nofile);
            return;
        }
        if (QFile probe(file_); !probe.open(QIODevice::ReadOnly)) {
            fail(probe.errorString());
            return;
        }
        // Without any output the framework "plays" into nothing at the
        // clock's pace: the user would wait for a melody no one hears.
        if (QMediaDevices::audioOutputs().isEmpty()) {
            fail(melodyreason::nooutput);
            return;
        }
        media();
        // An output made before a sound device was there stays silent.
        output_->setDevice(QMediaDevices::defaultAudioOutput());
        source_ = QUrl::fromLocalFile(file_);
        load();
    }
    void rewind() override
    {
        if (!player_)
            return;
        // Once the end was reached, a seek back plays on without a sound
        // (Qt 6.4 with GStreamer): a fresh load of the file does not.
        if (player_->mediaStatus() == QMediaPlayer::EndOfMedia)
            load();
        else
            player_->setPosition(0);
    }
    void play() override
    {
        // A file that could not be opened stays stopped: nothing is playing.
        if (failed_)
            return;
        // Until it really plays, a file being loaded is not "stopped".
        starting_ = true;
        stopped_ = false;
        media().play();
    }
    void stop() override
    {
        starting_ = false;
        stopped_ = true;
        if (player_)
            player_->stop();
    }
    void setlooping(bool on) override { looping_ = on; }
    void prepare() override { media(); }
    bool isstopped() const override
    {
        return failed_ || (!starting_ && (!player_ || player_->playbackState() == QMediaPlayer::StoppedState));
    }

private:
    // One report per opened file, however many ways the framework tells it.
    void fail(const QString &reason)
    {
        starting_ = false;
        if (failed_)
            return;
        failed_ = true;
        emit failed(reason);
    }

    // Loads the opened file afresh: the framework ignores the same address
    // set again, and would replay what it holds without a sound.
    void load()
    {
        player_->setSource(QUrl());
        player_->setSource(source_);
    }

    // The end of a looping melody: it starts again from a fresh load, which
    // sounds every time; the framework's own loops fall silent after a few
    // rounds. Until then it does not count as stopped.
    void ended()
    {
        if (!looping_ || stopped_ || failed_) {
            starting_ = false;
            return;
        }
        starting_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!looping_ || stopped_ || failed_) {
                    starting_ = false;
                    return;
                }
                load();
                player_->play();
            },
            Qt::QueuedConnection);
    }

    // Made on first use: the media framework costs start-up time, and a
    // desktop without sound should not hold up the program's start.
    QMediaPlayer &media()
    {
        if (!player_) {
            // Children, so that tests can watch the framework's own player.
            player_ = new QMediaPlayer(this);
            output_ = new QAudioOutput(this);
            player_->setAudioOutput(output_);
            connect(player_, &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState state) {
                if (state == QMediaPlayer::PlayingState)
                    starting_ = false;
            });
            connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia)
                    ended();
                if (status == QMediaPlayer::InvalidMedia)
                    fail(melodyreason::notasound);
            });
            connect(player_, &QMediaPlayer::errorOccurred, this,
                    [this](QMediaPlayer::Error, const QString &reason) { fail(reason); });
        }
        return *player_;
    }

    QMediaPlayer *player_ = nullptr;
    QAudioOutput *output_ = nullptr;
    QString file_;
    QUrl source_;         // the file opened last: what plays and loops
    bool starting_ = false;
    bool failed_ = false;
    bool looping_ = false;
    bool stopped_ = true; // stop() was called since the last play()
};

} // namespace

MelodyPlayer *createmediaplayer(QObject *parent)
{
    return new MediaMelodyPlayer(parent);
}
