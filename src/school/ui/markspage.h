#pragma once
// The Marks page: one row per subject of the open term with its marks,
// pluses, minuses and result, the editors of the selected mark's colour,
// weight and note, and the term menu.

#include "database/records.h"
#include "school/terms.h"
#include "school/ui/termmanager.h"
#include "widgets/ui/pagewidget.h"

class ColorBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QToolButton;
enum class DbKind;
enum class Setting;

class MarksPage : public PageWidget
{
    Q_OBJECT

public:
    // `termsform`: the term manager; `askname`: the name dialog. Both are
    // made once by the program.
    MarksPage(Database &db, Settings &settings, Clock &clock, Tsubjfnameform &termsform, NameAsker askname,
              QWidget *parent = nullptr);
    // The terms of this database, named with the translated "Previous term".
    Terms terms() const;

    // Fills the four grids from the subjects and shows the results.
    void refreshmarks();
    // Each subject's result and the total, and the warning.
    void countaverages();
    void StringGrid1SetEditText(); // a mark was typed: all marks are read back, counted and saved
    void StringGrid4SetEditText(); // a plus was typed: the pluses are read back and saved
    void StringGrid5SetEditText(); // a minus was typed: the minuses are read back and saved
    // A cell of the marks grid was selected: column 1..100 is mark column - 1.
    void StringGrid1SelectCell(int column, int row); // the editors show the chosen mark
    void ColorBox1Change(); // "Colour:": the selected mark's colour
    void ComboBox1Change(); // "Weight:": the selected mark's weight
    void Edit4Change();     // "Note:": the selected mark's note
    void ComboBox2Change(); // the Settings page's "Marks format:" (ComboBox2) changed
    void Novobdob1Click();     // term menu of "Action": "New term"
    void Naststarobdob1Click(); // term menu of "Action": "Load/manage terms", the term manager

private:
    QWidget *buildgrids();
    QWidget *buildeditors();
    void datachanged(DbKind kind);
    void settingchanged(Setting which);
    void readsidegrid(QTableWidget *grid, ShortString<255> TSubjectRec::*field);
    // The subject and mark under the marks grid's current cell, or null.
    TMarkRec *currentmark();
    void savesubjects();

    bool filling_ = false;
    Tsubjfnameform &termsform_;
    NameAsker askname_;

    QTableWidget *StringGrid1 = nullptr; // the subjects' names (row headers) and 100 marks each
    QTableWidget *StringGrid3 = nullptr; // each subject's result, read-only
    QTableWidget *StringGrid4 = nullptr; // each subject's pluses, free text
    QTableWidget *StringGrid5 = nullptr; // each subject's minuses, free text
    QLabel *resultscaption = nullptr;    // "Averages:" or "Sums:"
    QLabel *averageicon = nullptr;
    QLabel *sumicon = nullptr;
    QLabel *totalcaption = nullptr;      // "Total average:" or "Total sum:"
    QLabel *totallabel = nullptr;
    QLabel *warninglabel = nullptr;
    ColorBox *ColorBox1 = nullptr;       // "Colour:" of the selected mark
    QLabel *weightcaption = nullptr;
    QComboBox *ComboBox1 = nullptr;      // "Weight:" of the selected mark
    QLineEdit *Edit4 = nullptr;          // "Note:" of the selected mark
    QToolButton *SpeedButton7 = nullptr; // "Action": the term menu
    QLabel *totalaveragetext = nullptr;  // hidden texts of the captions
    QLabel *averagestext = nullptr;
    QLabel *totalsumtext = nullptr;
    QLabel *sumstext = nullptr;
    QLabel *previoustermtext = nullptr;
};
