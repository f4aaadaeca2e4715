#pragma once
// Opening web pages in the user's browser.

#include <QString>

// Opens an http, https, ftp or mailto address ("www." gets "http://");
// anything else is refused (false), never handed to a shell.
bool openwebpage(const QString &address);
