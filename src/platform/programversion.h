#pragma once
// The program's version, set in one place: the project's version in
// CMakeLists.txt, which the build hands over as QM_PROGRAM_VERSION. The about
// box shows it, the maker's pages are told it, and a database folder of this
// version holds it in "dbversion.dat".

#include <QString>

inline const QString programversion = QStringLiteral(QM_PROGRAM_VERSION);
