#pragma once
// The translation pass over the windows: every control marked translatable
// gets its texts from the language file when the program starts. Texts put
// together at run time are captions of hidden labels, translated with the
// rest and read from those labels when needed.

#include "widgets/language.h"

class QComboBox;
class QLabel;
class QObject;
class QPushButton;
class QWidget;

// What kind of control a widget is for the translation pass, and so which
// section of the language file holds its texts. Qt's classes cannot tell a
// bitmap button from a speed button, so every translatable control is marked.
enum class TransKind {
    label,        // QLabel: "Labels"
    bitbtn,       // QAbstractButton with a hint: "Buttons", caption and tool tip
    speedbutton,  // the same, translated only with tag 0
    buttongroup,  // a widget with a QStringList property "itemcaptions": "Labels"
    combobox,     // QComboBox items: "ComboBoxes"
    checklistbox, // QListWidget items: "Labels"
    popupmenu,    // QMenu, its top-level actions: "Menus"
    checkbox,     // QCheckBox: "CheckBoxes"
    radiobutton,  // QRadioButton: "RadioButtons"
};

// Tags: 0 translate the text as it is; 1 never translate (texts filled in at
// run time); 2 look labels and bitmap buttons up under their text + "*".
void settranslatable(QObject *control, TransKind kind, int tag = 0);

// A hidden label holding a text the program puts together at run time
// ("No lesson", "Unfiled", ...), translated with every other label.
QLabel *hiddenlabel(QWidget *parent, const QString &text);

// A label with its caption translated.
QLabel *translatedlabel(const QString &text, QWidget *parent);

// A bold caption in front of a value ("Name day:"), translated.
QLabel *captionlabel(const QString &text, QWidget *parent);

// A push button with its caption translated, named for tests to find.
QPushButton *namedbutton(const char *name, const QString &caption, QWidget *parent);

// A label for a text the program fills in (never translated), plain text,
// wrapped.
QLabel *valuelabel(QWidget *parent);

// Translates `windows` and the memos with `language` once (Language::translate).
void translate(Language &language, const QList<QWidget *> &windows, const TranslatedMemos &memos = {});

// Every key the translation pass looks up in `windows`, in the pass's
// order, changing nothing: what a language file has to translate.
QList<TransKey> translationkeys(const QList<QWidget *> &windows);

// Fills `box` with the language list as a pick list and asks the restart
// question once for each real change of its entry; on Yes runs `restart`.
void bindlanguagebox(QComboBox *box, Language &language, std::function<void()> restart);
