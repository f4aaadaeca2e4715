// The contacts list in a view.

#include "organizer/contactlist.h"

#include "organizer/contactsample.h"
#include "testsupport.h"
#include "uitestsupport.h"

#include <gtest/gtest.h>

#include <QListView>
#include <QSignalSpy>

using contactsample::czech;
using contactsample::expectedorder;
using contactsample::manycontacts;

// A view shows the names; a refill tells it so that it starts afresh.
TEST(ContactList, AViewShowsTheNames)
{
    const auto contacts = manycontacts();
    ContactList list(nullptr, czech);
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&list);
    view.resize(200, 300);
    view.show();
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    list.fill(contacts);
    EXPECT_EQ(reset.size(), 1);
    view.setCurrentIndex(list.index(3));
    view.scrollToBottom();
    view.repaint();
    EXPECT_EQ(testsupport::listrows(&view).size(), list.rowCount());
    EXPECT_EQ(view.currentIndex().data().toString(), contacts[size_t(expectedorder(contacts, czech)[3])].name.text());
    list.fill({});
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_FALSE(view.currentIndex().isValid());
}
