#pragma once
// The melody player of the desktop: QMediaPlayer with an audio output.

#include "platform/melodyplayer.h"

MelodyPlayer *createmediaplayer(QObject *parent);
