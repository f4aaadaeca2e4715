#include "platform/melodyplayer.h"

#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

#include <memory>

namespace {

class MediaMelodyPlayer : public MelodyPlayer
{
public:
    using MelodyPlayer::MelodyPlayer;

    void setfile(const QString &path) override { file_ = path; }
    QString file() const override { return file_; }
    void open() override
    {
        failed_ = false;
        starting_ = false;
        // Checked here rather than left to the media framework, which tells
        // of a missing file late or not at all.
        if (!QFileInfo(file_).isFile()) {
            fail(QStringLiteral("The file does not exist."));
            return;
        }
        if (QFile probe(file_); !probe.open(QIODevice::ReadOnly)) {
            fail(probe.errorString());
            return;
        }
        media().setSource(QUrl::fromLocalFile(file_));
    }
    void rewind() override
    {
        if (player_)
            player_->setPosition(0);
    }
    void play() override
    {
        // A file that could not be opened stays stopped: nothing is playing.
        if (failed_)
            return;
        // Until it really plays, a file being loaded is not "stopped".
        starting_ = true;
        media().play();
    }
    void stop() override
    {
        starting_ = false;
        if (player_)
            player_->stop();
    }
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

    // Made on first use: the media framework costs start-up time, and a
    // desktop without sound should not hold up the program's start.
    QMediaPlayer &media()
    {
        if (!player_) {
            player_ = std::make_unique<QMediaPlayer>();
            output_ = std::make_unique<QAudioOutput>();
            player_->setAudioOutput(output_.get());
            connect(player_.get(), &QMediaPlayer::playbackStateChanged, this,
                    [this](QMediaPlayer::PlaybackState state) {
                        if (state == QMediaPlayer::PlayingState)
                            starting_ = false;
                    });
            connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia)
                    starting_ = false;
                if (status == QMediaPlayer::InvalidMedia)
                    fail(QStringLiteral("The file is not a sound that can be played."));
            });
            connect(player_.get(), &QMediaPlayer::errorOccurred, this,
                    [this](QMediaPlayer::Error, const QString &reason) { fail(reason); });
        }
        return *player_;
    }

    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    QString file_;
    bool starting_ = false;
    bool failed_ = false;
};

} // namespace

MelodyPlayer *createmediaplayer(QObject *parent)
{
    return new MediaMelodyPlayer(parent);
}
