#pragma once
// The print dialog "Print timetable": the printer, its settings and the
// width in centimetres the timetable is printed at.

#include "database/records.h"
#include "school/timetableview.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPrinter;
class QSpinBox;

// Prints the timetable of `view` `widthcm` centimetres wide, 2 cm from the
// page's left and top, painted straight onto the printer. False when the
// printer could not be opened.
bool printtimetable(QPrinter &printer, const std::vector<TLessonRec> &timetable, const TtView &view, int widthcm,
                    const QString &title);

class Tprintttform : public QDialog
{
    Q_OBJECT

public:
    explicit Tprintttform(QWidget *parent = nullptr);

    // Shows the dialog modally for the timetable as `view` shows it.
    int showtimetable(const std::vector<TLessonRec> &timetable, const TtView &view);

    // The chosen printer's name, or the "None " caption without one.
    QString getprintername() const;
    void FormShow(); // shows the printer's name
    void BitBtn3Click(); // "Print settings": the print dialog, then the printer's name again
    void BitBtn1Click(); // "Print": prints the timetable at the chosen width

protected:
    void showEvent(QShowEvent *event) override;

private:
    const std::vector<TLessonRec> *timetable_ = nullptr;
    TtView view_;
    QLabel *Label3 = nullptr;   // the printer's name
    QLabel *Label4 = nullptr;   // hidden: "None ", the name shown without a printer
    QSpinBox *SpinEdit1 = nullptr; // "Width in cm:" of the printed timetable
};
