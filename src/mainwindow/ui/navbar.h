#pragma once
// The navigation bar: a column of painted buttons, 40 pixels each, one per
// page that is shown. A button's image index is the index of its page. Like
// any group of buttons it takes the keyboard: Tab reaches it, the arrows
// move between the buttons, Space or Enter opens the page.

#include <QStringList>
#include <QWidget>

class NavigationBar : public QWidget
{
    Q_OBJECT
    // The captions, for the translation pass.
    Q_PROPERTY(QStringList itemcaptions READ itemcaptions WRITE setitemcaptions)

public:
    static constexpr int barwidth = 136;
    static constexpr int buttonheight = 40;

    struct Item
    {
        QString caption;
        int imageindex;
    };

    explicit NavigationBar(QWidget *parent = nullptr);

    void clear();
    void additem(const QString &caption, int imageindex);
    const QList<Item> &items() const { return items_; }
    QStringList itemcaptions() const;
    void setitemcaptions(const QStringList &captions);

    // Selects the button of that page; a page without a button selects none.
    void selectimage(int imageindex);
    int selectedindex() const { return selected_; }
    // The button the keyboard is on: the arrows move it, Space or Enter
    // opens its page.
    int focusedindex() const { return focused_; }

    QSize sizeHint() const override;

signals:
    // A button was clicked: the page to show.
    void buttonclicked(int imageindex);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int buttonat(QPoint pos) const;
    void click(int index);
    // Paints one button at the top-left corner `at`.
    void ButtonGroup1DrawButton(QPainter &painter, int index, QPoint at) const; // one navigation button

    QList<Item> items_;
    int selected_ = -1;
    int hovered_ = -1;
    int focused_ = -1;
    bool showfocus_ = false; // the keyboard's place is drawn once the keyboard is used
};
