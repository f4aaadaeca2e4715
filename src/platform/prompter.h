#pragma once
// Message boxes and yes/no questions. Everything that asks the user goes
// through one Prompter, so tests can answer in place of a person.

#include <QString>

class QWidget;

namespace mb {
// Icons of a message box, as callers pass them.
constexpr int iconerror = 16;
constexpr int iconwarning = 48;
constexpr int iconinformation = 64;
// Answers.
constexpr int idok = 1;
constexpr int idcancel = 2;
constexpr int idyes = 6;
constexpr int idno = 7;
} // namespace mb

class Prompter
{
public:
    virtual ~Prompter() = default;
    // An OK message box with the icon of `flags`; returns mb::idok.
    virtual int messagebox(QWidget *parent, const QString &text, const QString &caption, int flags) = 0;
    // A Yes/No question titled "Confirm", Yes the default; returns mb::idyes,
    // or mb::idno for No, Escape and closing the box.
    virtual int confirmation(QWidget *parent, const QString &text) = 0;
    // The same Yes/No question for when leaving it unanswered must change
    // nothing: Escape and closing the box give mb::idcancel.
    virtual int confirmationorcancel(QWidget *parent, const QString &text) { return confirmation(parent, text); }
};

// The prompter in use: the one set for a while, else the default.
Prompter &prompter();
// Replaces it for a while (nullptr: back to the default); the caller keeps
// ownership.
void setprompter(Prompter *replacement);
// The default: what the program asks with, the desktop's message boxes
// (platform/messageboxes.h), set once at start. Until then (nullptr: again)
// messages only go to the log and questions are answered No or Cancel.
// Returns the default it replaces (nullptr for the log).
Prompter *setdefaultprompter(Prompter *prompter);
