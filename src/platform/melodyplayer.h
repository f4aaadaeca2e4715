#pragma once
// One player for melodies: given a file, opened, rewound, played, stopped,
// and asked whether it has stopped. The reminder pop-up and the record
// editor's preview share it.

#include <QObject>
#include <QString>

// Why a melody fails, as failed() tells it (the windows translate them).
namespace melodyreason {
inline const QString nofile = QStringLiteral("The file does not exist.");
inline const QString notasound = QStringLiteral("The file is not a sound that can be played.");
// The system has no sound output at all: nothing would be heard, so
// nothing is played.
inline const QString nooutput = QStringLiteral("There is no audio output.");
} // namespace melodyreason

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
    // While on, a melody that reaches its end plays again from its start
    // until stop(); off, it plays once. Set before play().
    virtual void setlooping(bool on) = 0;
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
