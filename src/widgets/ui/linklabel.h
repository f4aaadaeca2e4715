#pragma once
// A label that works as a link: blue, sky blue under the pointer, clickable.

#include <QLabel>

class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text = {}, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setcolour(const QColor &colour);
};

// A link with its caption translated, named for tests to find.
LinkLabel *namedlink(const char *name, const QString &text, QWidget *parent);
