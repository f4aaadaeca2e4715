#pragma once
// Opening web pages and files with the desktop's programs, and starting a
// chosen program with a file. Nothing goes through a shell.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// Opens an http, https, ftp or mailto address ("www." gets "http://");
// anything else is refused (false), never handed to a shell.
bool openwebpage(const QString &address);

// Opens a local file with the desktop's default program for its type.
// False when the desktop could not be asked.
bool openwithdefault(const QString &path);

// Starts `program` detached with the one argument `argument` (spaces and
// quotes in it stay part of it). False when it could not be started: an
// empty name, a program that is not there or cannot run.
bool startprogram(const QString &program, const QString &argument);

// The desktop's word processor (LibreOffice Writer) when it is installed,
// else empty.
QString wordprocessor();

// Replaces the desktop's opener of addresses and files (tests record them
// instead); an empty function puts the desktop back.
void setwebpageopener(std::function<bool(const QUrl &)> opener);

// Replaces the starting of programs (tests record program and arguments);
// an empty function puts the real start back.
void setprogramstarter(std::function<bool(const QString &program, const QStringList &arguments)> starter);
