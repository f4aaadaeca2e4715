#pragma once
// The built-in note editor: a formatting toolbar and boxes for font, size,
// colour and zoom above the note's rich text, and "OK" below. The caller
// sets `memopath` and the caption, then shows it with exec(); the note is
// loaded at every show and written back on save.

#include "organizer/ui/noteeditorfind.h"
#include "platform/rtf.h"

#include <QDialog>
#include <QPaintDevice>
#include <QTextDocument>
#include <QTextEdit>

#include <functional>

class Clock;
class ColorBox;
class QComboBox;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTimer;
class QToolButton;
class Settings;
class WebLinkHighlighter;

namespace memo {
// Prints the document (as it is stored, not as zoomed) titled `title`.
void print(const QTextDocument &document, QPrinter &printer, const QString &title);
} // namespace memo

// A device that only tells the text layout its resolution: laying text
// out for it at a multiple of the screen's resolution zooms every size.
class ZoomDevice : public QPaintDevice
{
public:
    void setdpi(int dpi) { dpi_ = dpi; }
    QPaintEngine *paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int dpi_ = 96;
};

// The rich-text control: zoom that scales every size on the screen only,
// pasting that keeps only what notes can store, and clicks on web addresses.
class MemoEdit : public QTextEdit
{
    Q_OBJECT

public:
    static constexpr int minzoom = 25;
    static constexpr int maxzoom = 400;

    explicit MemoEdit(QWidget *parent = nullptr);

    // Shows `document` (the editor takes it over) at the current zoom.
    void setnote(QTextDocument *document);

    // Zoom in percent, kept within minzoom..maxzoom. Lays the text out at a
    // scaled resolution: the document's formats, undo history and modified
    // flag stay as they are.
    void setzoom(int percent);
    int zoom() const { return zoom_; }

signals:
    // A click on a web address: the address and the button.
    void urlclicked(const QString &address, Qt::MouseButton button);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyzoom();

    int zoom_ = 100;
    ZoomDevice zoomdevice_;
    WebLinkHighlighter *links_ = nullptr;
    QPoint pressedat_;
};

class Tmemoform : public QDialog
{
    Q_OBJECT

public:
    // Fixed Czech texts of this window, never translated.
    static inline const QString changedquestion =
        QStringLiteral("Obsah poznámky se změnil. Přejete si změny uložit?");
    static inline const QString notfoundtext = QStringLiteral("Zadaný text nebyl nalezen");
    static inline const QString notfoundcaption = QStringLiteral("Upozornění");
    // Asked before the first save of a note that held what the editor cannot keep.
    static inline const QString droppedquestion = QStringLiteral(
        "This note contains pictures, objects, tables, headers, footers, footnotes, comments or hidden text "
        "that the built-in editor cannot keep. Saving the note removes them.#Save it anyway?");
    static inline const QString savefailed = QStringLiteral("Unable to save the note %s.#%s");
    static inline const QString loadfailed = QStringLiteral("Unable to open the note %s.#%s");

    Tmemoform(Settings &settings, Clock &clock, QWidget *parent = nullptr);

    // The note file being edited; set before the window is shown.
    QString memopath;

    // Closing asks about unsaved changes; cancelling that keeps the window open.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildtoolbar(QWidget *band);
    void buildboxes(QWidget *band);
    QToolButton *toolbutton(const char *name, const char *icon, const QString &hint, bool checkable);

    void FormShow(); // loads the note into RichEdit1
    // Saves when the note has changed; false when it had to stay unsaved.
    bool ToolButton8Click(); // "Uložit (CTRL+S)": save
    void BitBtn1Click();     // "OK": saves, then closes
    void ToolButton1Click(); // "Tučné (CTRL+B)": bold
    void ToolButton2Click(); // "Kurzíva (CTRL+I)": italic
    void ToolButton3Click(); // "Podtržené (CTRL+U)": underline
    void ToolButton17Click(); // "Přeškrtnuté": strike-out
    void alignclick(int tag); // the three alignment buttons, ToolButton4 to 6
    void ToolButton7Click(); // "Odrážky": bullets
    void ToolButton13Click(); // "Vložit datum a čas": inserts today's date
    void ToolButton15Click(); // "Najít (CTRL+F)": the find dialog
    void ToolButton14Click(); // "Nahradit (CTRL+H)": the find-and-replace dialog
    void ToolButton18Click(); // "Tisk": prints the note
    void ComboBox1Change();  // the size box: the selection's size
    void ComboBox2Change();  // the font box: the selection's face
    void ColorBox1Change(qint32 colour); // the colour box: the selection's colour
    void SpinEdit1Change(int value); // the zoom box: zooms the view
    void RichEdit1SelectionChange(); // the cursor moved: the toolbar and boxes show its format
    void RichEdit1TextNotFound(); // find found nothing: says so
    void RichEdit1URLClick(const QString &address, Qt::MouseButton button); // a click on a web address
    void Timer1Timer(); // the zoom box follows a zoom made with the wheel or keys
    void findnext();
    void replaceone();
    void replaceevery();
    void setselectedcolour(const QColor &colour);

    Settings &settings_;
    Clock &clock_;
    rtf::Dropped dropped_;  // what reading the note left out
    bool droppedaccepted_ = false;

    MemoEdit *RichEdit1 = nullptr;       // the note's rich text
    QToolButton *ToolButton1 = nullptr;  // "Tučné (CTRL+B)": bold
    QToolButton *ToolButton2 = nullptr;  // "Kurzíva (CTRL+I)": italic
    QToolButton *ToolButton3 = nullptr;  // "Podtržené (CTRL+U)": underline
    QToolButton *ToolButton17 = nullptr; // "Přeškrtnuté": strike-out
    QToolButton *ToolButton4 = nullptr;  // "Zarovnat vlevo (CTRL+L)": align left
    QToolButton *ToolButton5 = nullptr;  // "Zarovnat uprostřed (CTRL+E)": centre
    QToolButton *ToolButton6 = nullptr;  // "Zarovnat vpravo (CTRL+R)": align right
    QToolButton *ToolButton7 = nullptr;  // "Odrážky": bullets
    QComboBox *ComboBox2 = nullptr;      // the font of the selection
    QComboBox *ComboBox1 = nullptr;      // the size of the selection, in points
    ColorBox *ColorBox1 = nullptr;       // the colour of the selection
    QSpinBox *SpinEdit1 = nullptr;       // the zoom in percent (the screen only)
    QPushButton *BitBtn1 = nullptr;      // "OK": saves and closes
    QTimer *Timer1 = nullptr;            // 500 ms: the zoom box follows the control
    MemoFindDialog *finddialog_ = nullptr;
    MemoFindDialog *replacedialog_ = nullptr;
    bool placed_ = false;
};
