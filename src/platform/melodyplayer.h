#pragma once
// One player for melodies: given a file, opened, rewound, played, stopped,
// and asked whether it has stopped. The reminder pop-up and the record
// editor's preview share it.

#include <QObject>
#include <QString>

class MelodyPlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setfile(const QString &path) = 0;
    virtual QString file() const = 0;
    virtual void open() = 0;
    virtual void rewind() = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    // True once playing has ended, was stopped or failed; never while a file
    // that is to play is still loading.
    virtual bool isstopped() const = 0;
    // Sets up the sound system ahead of the first melody, so that a reminder
    // never waits for it. Optional: everything works without it, later.
    virtual void prepare() {}

signals:
    // The file could not be opened or played: reported once per open(),
    // and the player then counts as stopped until the next open().
    void failed(const QString &reason);
};

// The player of the desktop: QMediaPlayer with an audio output.
MelodyPlayer *createmediaplayer(QObject *parent);
