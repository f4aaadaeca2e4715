#include "database/database.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmoter organizer"));

    Database db(defaultdbpath(), [](const DbMessage &m) {
        QString text = m.text();
        text.replace(QLatin1Char('#'), QLatin1Char('\n'));
        QMessageBox::critical(nullptr, QStringLiteral("Error"), text);
    });
    if (!db.createfolders())
        return 1;
    if (!db.hasversionfile())
        db.writeversion();
    db.loadcontacts();
    db.loadcalitems();
    db.loadsubjects();
    db.loadtasks();
    db.loadtimetable();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quillmoter organizer"));
    window.setMinimumSize(780, 550);
    window.show();
    return app.exec();
}
