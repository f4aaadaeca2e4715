#pragma once
// Opening web pages in the user's browser.

#include <QString>
#include <QUrl>

#include <functional>

// Opens an http, https, ftp or mailto address ("www." gets "http://");
// anything else is refused (false), never handed to a shell.
bool openwebpage(const QString &address);

// Replaces the browser (tests record the addresses instead); an empty
// function puts the browser back.
void setwebpageopener(std::function<bool(const QUrl &)> opener);
