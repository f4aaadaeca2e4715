#pragma once
// The maker's web pages: one site for Czech and Slovak, one for the rest.

#include "platform/programversion.h"

#include <QString>

inline const QString makersiteinternational = QStringLiteral("https://quillmoter.example.org/");
inline const QString makersiteczech = QStringLiteral("https://quillmoter.example.cz/");

// The site for the program language.
inline QString makersite(const QString &language)
{
    return (language == QLatin1String("czech") || language == QLatin1String("slovak")) ? makersiteczech
                                                                                        : makersiteinternational;
}

// Appended to a page's address so the site knows which program asks.
inline const QString makerappquery = QStringLiteral("&app=qmtr") + programversion;

// The donation page in the site's own language, told which program asks.
inline QString donationaddress(const QString &language)
{
    const bool czech = makersite(language) == makersiteczech;
    return makersite(language)
           + (czech ? QStringLiteral("index.php?art=prispet-libovolnou-castkou-podporit-muj-projekt")
                    : QStringLiteral("index.php?art=make-a-donation"))
           + makerappquery;
}

// The page on writing a language file (also the one on name-day lists).
inline QString languagefileaddress(const QString &language)
{
    return makersite(language) + QStringLiteral("index.php?art=quillmoter-organizer-creating-language-file");
}
