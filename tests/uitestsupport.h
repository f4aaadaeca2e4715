#pragma once
// Helpers of the windows' tests.

#include "testsupport.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QTest>

namespace testsupport {

// The texts of a list's rows, top to bottom.
inline QStringList listrows(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The texts of a list view's rows, top to bottom.
inline QStringList listrows(const QAbstractItemView *view)
{
    QStringList out;
    const QAbstractItemModel *model = view->model();
    for (int i = 0; i < model->rowCount(); ++i)
        out << model->index(i, 0).data().toString();
    return out;
}

// Makes the row with exactly `text` current, as a click does.
inline void chooserow(QListWidget *list, const QString &text)
{
    list->setCurrentItem(list->findItems(text, Qt::MatchExactly).value(0));
}

// Types `text` key by key as a keyboard with those letters would, also
// letters QTest's own key names do not cover (a pair outside the BMP is one
// key).
inline void typetext(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

} // namespace testsupport
