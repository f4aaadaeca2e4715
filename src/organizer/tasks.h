#pragma once
// Tasks without a window: which records a category's check list shows, the
// separators, and the edits of the Tasks page on the array of tasks. A task
// is deleted by emptying its text; it stays in the array until the next load
// and is neither listed nor counted.

#include "database/records.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The dash separators are made of (byte 0x97 in the data files).
inline constexpr QChar separatordash = QChar(0x2014);
// Characters a task's text holds at most.
inline constexpr int tasktextlength = 255;

// A plain line: 255 dashes.
QString lineseparator();
// A headline: up to ten dashes before `title` (only while it is shorter than
// 255 characters), then dashes up to 255 characters. An empty title gives a
// plain line; a longer one is cut to 255 characters.
QString headlineseparator(const QString &title);

// Row of the check list -> index in `tasks`: every task of `category` with a
// text, in array order.
QList<int> taskrowmap(const std::vector<TTaskRec> &tasks, const QString &category);

// Grows `tasks` by one and moves the records from `index` on up one place,
// leaving `index` free (an empty record).
void inserttaskgap(std::vector<TTaskRec> &tasks, int index);

// Adds an open task with `text` to `category`: at the end (row -1) or in
// place of the task shown in `row`, which with the rows after it moves one
// row down; `rowmap` follows. Returns the new task's row, or -1 when `text`
// is empty (nothing added).
int inserttask(std::vector<TTaskRec> &tasks, QList<int> &rowmap, int row, const QString &text,
               const QString &category);

// Exchanges the records shown in rows `row` and `other` in `tasks`; the row
// map stays. False when either row is outside the map.
bool swaptaskrows(std::vector<TTaskRec> &tasks, const QList<int> &rowmap, int row, int other);

// Empties the text of the task in `row` and drops the row from `rowmap`.
bool deletetaskrow(std::vector<TTaskRec> &tasks, QList<int> &rowmap, int row);

// Empties the text of every done task, of `category` only when given.
// Returns how many were emptied.
int deleteaccomplished(std::vector<TTaskRec> &tasks, const std::optional<QString> &category = std::nullopt);

// Gives the tasks of category `old` (exact match) the category `name`; returns how many.
int renametaskcategory(std::vector<TTaskRec> &tasks, const QString &old, const QString &name);

// Empties the text of every task of `category` (exact match); returns how many.
int deletetaskcategory(std::vector<TTaskRec> &tasks, const QString &category);

// What a category's print holds: two empty lines, the category as shown, an
// empty line, then each row of the check list as "[x] text" or "[ ] text".
struct TaskRow
{
    bool done;
    QString text;
};
QStringList taskprintlines(const QString &category, const QList<TaskRow> &rows);
