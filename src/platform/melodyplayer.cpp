#include "platform/melodyplayer.h"

#include <QAudioOutput>
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
    void open() override { media().setSource(QUrl::fromLocalFile(file_)); }
    void rewind() override { media().setPosition(0); }
    void play() override
    {
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
    bool isstopped() const override
    {
        return !starting_ && (!player_ || player_->playbackState() == QMediaPlayer::StoppedState);
    }

private:
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
                if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
                    starting_ = false;
            });
            connect(player_.get(), &QMediaPlayer::errorOccurred, this,
                    [this](QMediaPlayer::Error, const QString &reason) {
                        starting_ = false;
                        emit failed(reason);
                    });
        }
        return *player_;
    }

    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    QString file_;
    bool starting_ = false;
};

} // namespace

MelodyPlayer *createmediaplayer(QObject *parent)
{
    return new MediaMelodyPlayer(parent);
}
