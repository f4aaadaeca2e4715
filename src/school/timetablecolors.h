#pragma once
// The fourteen colours a lesson can have, in the order the colour box lists
// them; a colour is red + green * 256 + blue * 65536.

#include <QList>
#include <QString>

struct TtColor
{
    QString name;
    qint32 color;
};

const QList<TtColor> &ttcolors();
