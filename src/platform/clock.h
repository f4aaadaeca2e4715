#pragma once
// The program's time: the current date and time, replaceable in tests, and
// the change of the day, noticed when the main timer asks for it.

#include <QDateTime>
#include <QObject>

#include <functional>

class Clock : public QObject
{
    Q_OBJECT

public:
    explicit Clock(QObject *parent = nullptr);

    QDateTime now() const { return source_(); }
    // The second of the epoch now. The main timer asks it twenty times a
    // second to see whether anything can have changed: for the system clock
    // it reads the time and builds no date.
    qint64 epochsecond() const;
    QDate today() const { return now().date(); }

    // Replaces the system clock (tests); the day it gives counts as seen.
    void setsource(std::function<QDateTime()> source);

    // The day the daily work last ran for.
    QDate lastday() const { return lastday_; }
    // When today is not the last day seen: makes it the last day, emits
    // daychanged() and returns true.
    bool checkday() { return checkday(today()); }
    // The same for a day the caller has read already (the timer's moment).
    bool checkday(QDate today);

signals:
    void daychanged(QDate today);

public:
    // The system's local time. Asked twenty times a second by the main
    // timer: the time zone is looked up once a second, not at every call
    // (each look-up reads the zone file's state).
    static QDateTime systemnow();

private:
    std::function<QDateTime()> source_;
    bool system_ = true; // source_ is systemnow
    QDate lastday_;
};
