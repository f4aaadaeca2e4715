#pragma once
// A language folder for the language tests: a Czech file with a text for
// every kind of control and message, a Slovak one, and a folder named like
// a language file.

#include "platform/ansi.h"
#include "testsupport.h"
#include "widgets/language.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace languagesample {

inline const QString czechfile = QStringLiteral(
    "[Labels]\n"
    "Main window=Hlavn\u00ed okno\n"
    "Name day:=Sv\u00e1tek (plain)\n"
    "Name day:*=Sv\u00e1tek:\n"
    "No lesson=\u017d\u00e1dn\u00e1 hodina\n"
    "Kept=Never shown\n"
    "Overview=P\u0159ehled\n"
    "Contacts=Kontakty\n"
    "Item=Polo\u017eka\n"
    "[Buttons]\n"
    "OK=Dob\u0159e\n"
    "Save*=Ulo\u017eit\n"
    "Save=Ulo\u017eit (plain)\n"
    "Save the record=Ulo\u017eit z\u00e1znam\n"
    "Speed=Rychl\u00e9\n"
    "[ComboBoxes]\n"
    "Monday=Pond\u011bl\u00ed\n"
    "Sunday=Ned\u011ble\n"
    "[Menus]\n"
    "Open Quillmoter=Otev\u0159\u00edt\n"
    "More=V\u00edce\n"
    "Inner=Vnit\u0159n\u00ed\n"
    "[CheckBoxes]\n"
    "Show Moon phase=Zobrazit f\u00e1zi M\u011bs\u00edce\n"
    "[RadioButtons]\n"
    "Digital=Digit\u00e1ln\u00ed\n"
    "[Messages]\n"
    "Error=Chyba\n"
    "Line one#line two=\u0158\u00e1dek jedna#\u0159\u00e1dek dva\n"
    "[Memos]\n"
    "Subjects=Angli\u010dtina#Matematika\n"
    "Tips=1$Prvn\u00ed tip\n"
    "Tips2=2$Druh\u00fd tip#3$T\u0159et\u00ed tip\n"
    "[Language]\n"
    "dateformat=d. MMMM\n");

class LanguageTest : public ::testing::Test
{
protected:
    LanguageTest()
    {
        programdir = dir.filePath(QStringLiteral("program"));
        dbpath = dir.filePath(QStringLiteral("db/"));
        QDir().mkpath(programdir);
        QDir().mkpath(dbpath);
        testsupport::writefile(programdir + QStringLiteral("/czech.lng"), ansi::encode(czechfile));
        testsupport::writefile(programdir + QStringLiteral("/slovak.lng"), "[Labels]\r\n");
        QDir().mkpath(programdir + QStringLiteral("/folder.lng")); // not a language
    }

    void store(const QByteArray &name) { testsupport::writefile(dbpath + QStringLiteral("language.dat"), name); }

    QTemporaryDir dir;
    QString programdir, dbpath;
    Language language;
};

} // namespace languagesample
