#pragma once
// Contacts for the tests of the contacts list: many names, and the order a
// sorted list control shows them in.

#include "database/records.h"

#include <QCollator>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace contactsample {

inline const QLocale czech(QLocale::Czech, QLocale::Czechia);

// The records in the order a sorted list control shows them: named ones,
// ordered by the collator, equal names in record order.
inline std::vector<int> expectedorder(const std::vector<TContactRec> &contacts, const QLocale &locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<int> records;
    for (int i = 0; i < int(contacts.size()); ++i) {
        if (!contacts[size_t(i)].name.isEmpty())
            records.push_back(i);
    }
    std::stable_sort(records.begin(), records.end(), [&](int a, int b) {
        return collator.compare(contacts[size_t(a)].name, contacts[size_t(b)].name) < 0;
    });
    return records;
}

// A class of pupils and then some: many more names than the list sorts at
// once, in mixed case, with Czech letters, and several of them twice.
inline std::vector<TContactRec> manycontacts()
{
    const QStringList first = {QStringLiteral("Chrudoš"), QStringLiteral("hana"), QStringLiteral("Šárka"),
                               QStringLiteral("Sandra"), QStringLiteral("Čeněk"), QStringLiteral("cyril"),
                               QStringLiteral("Žofie"), QStringLiteral("Zdeněk"), QStringLiteral("Ivo")};
    const QStringList last = {QStringLiteral("Novák"), QStringLiteral("dvořák"), QStringLiteral("Horák"),
                              QStringLiteral("Řezníček"), QStringLiteral("Adámek"), QStringLiteral("chalupa")};
    std::vector<TContactRec> out;
    quint32 seed = 7;
    for (int i = 0; i < 700; ++i) {
        seed = seed * 1103515245u + 12345u;
        const QString name = first[int(seed >> 8) % first.size()] + QLatin1Char(' ')
                             + last[int(seed >> 16) % last.size()];
        TContactRec c;
        // Every so often a deleted contact, which is not listed.
        c.name = (i % 97 == 13) ? QString() : name;
        out.push_back(c);
    }
    return out;
}

} // namespace contactsample
