#pragma once
// What every page of the main window is built on: the database, the
// settings and the clock, from whose signals it refreshes itself. A page
// never sees the main window.

#include <QWidget>

#include <functional>

class Clock;
class Database;
class QBoxLayout;
class QEvent;
class Settings;

class PageWidget : public QWidget
{
    Q_OBJECT

public:
    PageWidget(Database &db, Settings &settings, Clock &clock, QWidget *parent = nullptr);

protected:
    // The page's own layout with the standard page margins.
    template <class Layout>
    Layout *pagelayout()
    {
        auto *layout = new Layout(this);
        layout->setContentsMargins(8, 8, 8, 8);
        return layout;
    }

    // Marks a change the page makes itself, for the span of a save: the
    // database's changed() that follows is not the page's to act on.
    class OwnChange
    {
    public:
        explicit OwnChange(PageWidget &page) : page_(page), before_(page.ownchange_) { page_.ownchange_ = true; }
        ~OwnChange() { page_.ownchange_ = before_; }
        OwnChange(const OwnChange &) = delete;
        OwnChange &operator=(const OwnChange &) = delete;

    private:
        PageWidget &page_;
        bool before_;
    };
    bool ownchange() const { return ownchange_; }

    // The keys of a page's lists: Enter runs `enter` and is consumed, Delete
    // runs `remove` and still reaches the list. True when consumed.
    static bool listkeys(QEvent *event, const std::function<void()> &enter, const std::function<void()> &remove);

    Database &db_;
    Settings &settings_;
    Clock &clock_;

private:
    bool ownchange_ = false;
};
