#include "widgets/ui/translation.h"

#include "platform/prompter.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const char *const kindproperty = "qm_transkind";
const char *const tagproperty = "qm_transtag";

// Changes nothing and notes every key asked for.
class RecordingPass : public TranslationTexts
{
public:
    QString lookup(const QString &section, const QString &key, const QString &shown) const override
    {
        keys.append({section, key});
        return shown;
    }
    mutable QList<TransKey> keys;
};

void translatebutton(const TranslationTexts &pass, QAbstractButton *button, int tag)
{
    const QString caption = button->text();
    const QString key = tag == 2 ? caption + QLatin1Char('*') : caption;
    if (!caption.isEmpty())
        button->setText(pass.text(QStringLiteral("Buttons"), key, caption));
    if (!button->toolTip().isEmpty())
        button->setToolTip(pass.text(QStringLiteral("Buttons"), button->toolTip()));
}

void translatecontrol(const TranslationTexts &pass, QObject *control)
{
    const QVariant kindvalue = control->property(kindproperty);
    if (!kindvalue.isValid())
        return;
    const auto kind = static_cast<TransKind>(kindvalue.toInt());
    const int tag = control->property(tagproperty).toInt();

    switch (kind) {
    case TransKind::label:
        if (auto *label = qobject_cast<QLabel *>(control); label && (tag == 0 || tag == 2)) {
            const QString caption = label->text();
            if (!caption.isEmpty()) {
                const QString key = tag == 2 ? caption + QLatin1Char('*') : caption;
                label->setText(pass.text(QStringLiteral("Labels"), key, caption));
            }
        }
        break;
    case TransKind::bitbtn:
        if (auto *button = qobject_cast<QAbstractButton *>(control); button && (tag == 0 || tag == 2))
            translatebutton(pass, button, tag);
        break;
    case TransKind::speedbutton:
        if (auto *button = qobject_cast<QAbstractButton *>(control); button && tag == 0)
            translatebutton(pass, button, 0);
        break;
    case TransKind::buttongroup: {
        QStringList captions = control->property("itemcaptions").toStringList();
        for (QString &c : captions)
            c = pass.text(QStringLiteral("Labels"), c);
        const QSignalBlocker quiet(control);
        control->setProperty("itemcaptions", captions);
        break;
    }
    case TransKind::combobox:
        if (auto *box = qobject_cast<QComboBox *>(control)) {
            const QSignalBlocker quiet(box);
            const int index = box->currentIndex();
            for (int i = 0; i < box->count(); ++i)
                box->setItemText(i, pass.text(QStringLiteral("ComboBoxes"), box->itemText(i)));
            box->setCurrentIndex(index);
        }
        break;
    case TransKind::checklistbox:
        if (auto *list = qobject_cast<QListWidget *>(control)) {
            const QSignalBlocker quiet(list);
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setText(pass.text(QStringLiteral("Labels"), list->item(i)->text()));
        }
        break;
    case TransKind::popupmenu:
        if (auto *menu = qobject_cast<QMenu *>(control)) {
            for (QAction *action : menu->actions()) {
                if (!action->isSeparator())
                    action->setText(pass.text(QStringLiteral("Menus"), action->text()));
            }
        }
        break;
    case TransKind::checkbox:
        if (auto *box = qobject_cast<QCheckBox *>(control); box && tag == 0)
            box->setText(pass.text(QStringLiteral("CheckBoxes"), box->text()));
        break;
    case TransKind::radiobutton:
        if (auto *button = qobject_cast<QRadioButton *>(control); button && tag == 0)
            button->setText(pass.text(QStringLiteral("RadioButtons"), button->text()));
        break;
    }
}

void translatewindows(const TranslationTexts &pass, const QList<QWidget *> &windows)
{
    for (QWidget *window : windows) {
        if (!window)
            continue;
        if (!window->windowTitle().isEmpty())
            window->setWindowTitle(pass.text(QStringLiteral("Labels"), window->windowTitle()));
        translatecontrol(pass, window);
        const QList<QObject *> controls = window->findChildren<QObject *>();
        for (QObject *control : controls)
            translatecontrol(pass, control);
    }
}

} // namespace

void settranslatable(QObject *control, TransKind kind, int tag)
{
    control->setProperty(kindproperty, static_cast<int>(kind));
    control->setProperty(tagproperty, tag);
}

QLabel *hiddenlabel(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->hide();
    settranslatable(label, TransKind::label);
    return label;
}

QPushButton *namedbutton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    settranslatable(button, TransKind::bitbtn);
    return button;
}

QLabel *translatedlabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    settranslatable(label, TransKind::label);
    return label;
}

QLabel *captionlabel(const QString &text, QWidget *parent)
{
    QLabel *label = translatedlabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLabel *valuelabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    settranslatable(label, TransKind::label, 1);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void translate(Language &language, const QList<QWidget *> &windows, const TranslatedMemos &memos)
{
    language.translate([&windows](const TranslationTexts &texts) { translatewindows(texts, windows); }, memos);
}

QList<TransKey> translationkeys(const QList<QWidget *> &windows)
{
    RecordingPass pass;
    translatewindows(pass, windows);
    return pass.keys;
}

void bindlanguagebox(QComboBox *box, Language &language, std::function<void()> restart)
{
    {
        const QSignalBlocker quiet(box);
        box->setEditable(false);
        box->clear();
        for (const QString &entry : language.entries())
            box->addItem(entry, entry);
        box->setCurrentIndex(language.selected());
    }
    settranslatable(box, TransKind::combobox);
    // Only a choice by the user is a change; setting the box from code is not.
    QObject::connect(box, &QComboBox::activated, box, [&language, restart = std::move(restart)](int index) {
        if (!language.choose(index))
            return;
        if (trans_confirmation(Language::restartquestion) == mb::idyes && restart)
            restart();
    });
}
