#pragma once
// The Overview's tips: "icon$text", optionally with a link.

#include <QString>
#include <QStringList>

#include <optional>

// A tip line: "icon$text", optionally followed directly by an "http://" link.
struct Tip
{
    int icon = 0;
    QString text;
    QString link; // empty: the maker's page
};
constexpr int tipiconcount = 14;

// The tip of a line, or none for a line shorter than 30 characters.
std::optional<Tip> parsetip(const QString &line);

// The program's own tips.
QStringList builtintips();
