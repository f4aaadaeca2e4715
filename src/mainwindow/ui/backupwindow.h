#pragma once
// The backup window: exports the database folder into a new folder
// "QMTR_" + time stamp, or imports a backup folder in its place. Long copies
// run beside the window, which shows their progress and stays responsive.

#include <QDialog>
#include <QMap>

#include <functional>

class Clock;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
namespace backup {
struct Item;
struct Progress;
} // namespace backup

class TForm8 : public QDialog
{
    Q_OBJECT

public:
    static inline const QString nopath = QStringLiteral("Please choose an existing path");
    static inline const QString cannotcreate = QStringLiteral(
        "Unable to create database folder. Probably you do not have permission to save in this location.");
    static inline const QString replacequestion =
        QStringLiteral("Probably there is already some database in selected folder. Do you want to replace it?");
    static inline const QString importquestion = QStringLiteral(
        "Current database will be replaced with selected backup. Are you sure you want to continue?");
    static inline const QString databasefolder =
        QStringLiteral("The database folder itself cannot hold a backup. Please choose another folder.");
    static inline const QString nothingexported = QStringLiteral("Nothing could be exported to folder %s.");
    static inline const QString importfailed =
        QStringLiteral("Unable to import the database:#%s##The current database was left as it was.");
    static inline const QString importstranded = QStringLiteral(
        "Unable to import the database:#%s##These items could not be put back yet:#%s##Nothing was deleted: what was "
        "set aside of your database is in the folder %s. Quillmoter ends now and puts it back at its next start.");
    static inline const QString incompletebackup = QStringLiteral(
        "This backup is incomplete: its export was interrupted. Please choose another backup.");
    static inline const QString exportfailed = QStringLiteral("Unable to export the database:#%s");
    static inline const QString donecaption = QStringLiteral("Hotovo");

    enum class Mode { exporting, importing };

    TForm8(QString dbpath, Clock &clock, QWidget *parent = nullptr);

    // Opens the window modally in export or import mode.
    void showexport();
    void showimport();
    // Sets the mode without showing the window.
    void setmode(Mode mode);
    Mode mode() const { return mode_; }

    // Asks for a folder; the default shows the folder dialog.
    void setfolderchooser(std::function<QString()> chooser) { choosefolder_ = std::move(chooser); }
    // How an import moves items within the database folder; a rename unless set.
    void setmover(std::function<bool(const QString &, const QString &, QString *)> mover)
    {
        mover_ = std::move(mover);
    }

    // The export's time stamp, "ddmmyyhhnn", set when export mode is set.
    QString exportstamp;

    void FormShow();     // the folder field starts at the desktop
    void Button1Click(); // "Select folder" (the browse button): puts the chosen folder in Edit1
    void BitBtn2Click(); // "Export": copies the database into a new folder in the chosen one
    void BitBtn1Click(); // "Import": puts the chosen backup in place of the database

    // True while a copy runs.
    bool busy() const { return busy_; }

signals:
    // A backup replaced the database folder: everything must be loaded again,
    // before anything else can save.
    void imported();
    // An import could not be undone wholly: the program must end so that
    // nothing saves over the items set aside; the next start puts them back.
    void mustend();

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    QString chosenfolder() const;
    QString usablefolder();
    // Runs `job` beside the window; false when the program was asked to
    // end meanwhile (the job is then stopped and must not be carried on).
    bool runlong(const std::function<void(backup::Progress &)> &job);
    QString reportname(const backup::Item &item) const;
    QString text(const QString &english) const;

    QString dbpath_;
    Clock &clock_;
    Mode mode_ = Mode::importing;
    bool busy_ = false;
    std::function<QString()> choosefolder_;
    std::function<bool(const QString &, const QString &, QString *)> mover_;
    QMap<QString, QLabel *> texts_; // hidden labels: texts put together at run time

    QLabel *Label1 = nullptr;    // "Export to:" or "Database path:", by the mode
    QLabel *Label2 = nullptr;    // "Database will be exported into new folder:"
    QLabel *Label3 = nullptr;    // the new folder's name, "QMTR_" + time stamp
    QLabel *Image1 = nullptr;    // the import icon, shown in import mode
    QLabel *Image2 = nullptr;    // the export icon, shown in export mode
    QLineEdit *Edit1 = nullptr;  // the chosen folder, read-only: set by Button1
    QPushButton *Button1 = nullptr; // "Select folder": the browse button beside Edit1
    QPushButton *BitBtn1 = nullptr; // "Import": imports the chosen backup
    QPushButton *BitBtn2 = nullptr; // "Export": exports the database
    QProgressBar *progress_ = nullptr;
};
