#include "organizer/tasks.h"

#include "platform/ansi.h"

QString lineseparator()
{
    return QString(tasktextlength, separatordash);
}

QString headlineseparator(const QString &title)
{
    if (title.isEmpty())
        return lineseparator();
    QString text = ansi::cut(title, tasktextlength);
    for (int i = 0; i < 10 && ansi::storedlength(text) < tasktextlength; ++i)
        text.prepend(separatordash);
    const qsizetype missing = tasktextlength - ansi::storedlength(text);
    if (missing > 0)
        text.append(QString(missing, separatordash));
    return text;
}

QList<int> taskrowmap(const std::vector<TTaskRec> &tasks, const QString &category)
{
    QList<int> rows;
    for (int i = 0; i < int(tasks.size()); ++i) {
        const TTaskRec &t = tasks[size_t(i)];
        if (t.stored() && t.category.text() == category)
            rows << i;
    }
    return rows;
}

void inserttaskgap(std::vector<TTaskRec> &tasks, int index)
{
    tasks.insert(tasks.begin() + index, TTaskRec());
}

int inserttask(std::vector<TTaskRec> &tasks, QList<int> &rowmap, int row, const QString &text,
               const QString &category)
{
    if (text.isEmpty())
        return -1;
    int index = int(tasks.size());
    if (row >= 0 && row < rowmap.size()) {
        index = rowmap[row];
        inserttaskgap(tasks, index);
        // Every task from `index` on moved up one place, the ones shown in
        // later rows among them.
        for (int &mapped : rowmap) {
            if (mapped >= index)
                ++mapped;
        }
        rowmap.insert(row, index);
    } else {
        tasks.emplace_back();
        row = int(rowmap.size());
        rowmap << index;
    }
    TTaskRec &fresh = tasks[size_t(index)];
    fresh.done = false;
    fresh.text = text;
    fresh.category = category;
    return row;
}

bool swaptaskrows(std::vector<TTaskRec> &tasks, const QList<int> &rowmap, int row, int other)
{
    if (row < 0 || other < 0 || row >= rowmap.size() || other >= rowmap.size())
        return false;
    std::swap(tasks[size_t(rowmap[row])], tasks[size_t(rowmap[other])]);
    return true;
}

bool deletetaskrow(std::vector<TTaskRec> &tasks, QList<int> &rowmap, int row)
{
    if (row < 0 || row >= rowmap.size())
        return false;
    tasks[size_t(rowmap[row])].text = QString();
    rowmap.removeAt(row);
    return true;
}

int deleteaccomplished(std::vector<TTaskRec> &tasks, const std::optional<QString> &category)
{
    int emptied = 0;
    for (TTaskRec &t : tasks) {
        if (t.stored() && t.done && (!category || t.category.text() == *category)) {
            t.text = QString();
            ++emptied;
        }
    }
    return emptied;
}

int renametaskcategory(std::vector<TTaskRec> &tasks, const QString &old, const QString &name)
{
    int renamed = 0;
    for (TTaskRec &t : tasks) {
        if (t.category.text() == old) {
            t.category = name;
            ++renamed;
        }
    }
    return renamed;
}

int deletetaskcategory(std::vector<TTaskRec> &tasks, const QString &category)
{
    int emptied = 0;
    for (TTaskRec &t : tasks) {
        if (t.stored() && t.category.text() == category) {
            t.text = QString();
            ++emptied;
        }
    }
    return emptied;
}

QStringList taskprintlines(const QString &category, const QList<TaskRow> &rows)
{
    QStringList lines = {QString(), QString(), category, QString()};
    for (const TaskRow &row : rows)
        lines << (row.done ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + row.text;
    return lines;
}
