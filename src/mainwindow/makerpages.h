#pragma once
// The maker's web pages: one site for Czech and Slovak, one for the rest.

#include <QString>

inline const QString makersiteinternational = QStringLiteral("https://quillmoter.example.org/");
inline const QString makersiteczech = QStringLiteral("https://quillmoter.example.cz/");

// The site for the program language.
inline QString makersite(const QString &language)
{
    return (language == QLatin1String("czech") || language == QLatin1String("slovak")) ? makersiteczech
                                                                                        : makersiteinternational;
}

// The program's version, shown under the logo and told to the maker's site.
inline const QString programversion = QStringLiteral("2.1");

// Appended to a page's address so the site knows which program asks.
inline const QString makerappquery = QStringLiteral("&app=qmtr") + programversion;
