#pragma once
// The main window as the program makes it: FormCreate, then the dialogs,
// then the pages that open them, over a player that plays nothing. Reads
// like a pointer to the main window.

#include "mainwindow/ui/mainwindow.h"
#include "mainwindow/ui/program.h"
#include "mainwindow/ui/programdialogs.h"
#include "testsupport.h"

#include <functional>
#include <memory>

class StartedWindows
{
public:
    StartedWindows() = default;
    StartedWindows(Database &db, Settings &settings, Language &language, Clock &clock,
                   const QStringList &arguments = {}, std::function<bool()> trayavailable = [] { return true; })
        : player_(std::make_unique<testsupport::FakePlayer>()),
          windows_(std::make_unique<ProgramWindows>(db, settings, language, clock, *player_, arguments,
                                                    std::move(trayavailable)))
    {
    }

    // False when the main window's creation refuses (the start ends).
    bool create() { return windows_->create(); }

    TForm1 *get() const { return windows_ ? &windows_->form1() : nullptr; }
    TForm1 *operator->() const { return get(); }
    TForm1 &operator*() const { return *get(); }
    explicit operator bool() const { return bool(windows_); }
    void reset()
    {
        windows_.reset();
        player_.reset();
    }

    ProgramWindows &windows() const { return *windows_; }
    ProgramDialogs &dialogs() const { return windows_->dialogs(); }
    testsupport::FakePlayer &player() const { return *player_; }

private:
    std::unique_ptr<testsupport::FakePlayer> player_;
    std::unique_ptr<ProgramWindows> windows_;
};
