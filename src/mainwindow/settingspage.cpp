#include "mainwindow/settingspage.h"

#include "database/database.h"
#include "database/settings.h"
#include "school/form6.h"
#include "widgets/language.h"
#include "widgets/pagetable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SettingsPage::SettingsPage(Database &db, Settings &settings, Clock &clock, QWidget *parent)
    : PageWidget(db, settings, clock, parent)
{
    auto *page = pagelayout<QVBoxLayout>();
    auto *marks = new QHBoxLayout;
    auto *formatcaption = new QLabel(QStringLiteral("Marks format:"), this);
    settranslatable(formatcaption, TransKind::label);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->addItems({QStringLiteral("Marks/percents (averages)"), QStringLiteral("Points (sum)"),
                         QStringLiteral("ABCDF")});
    settranslatable(ComboBox2, TransKind::combobox);
    formatcaption->setBuddy(ComboBox2);
    QPushButton *subjects = namedbutton("BitBtn12", QStringLiteral("Edit subjects list"), this);
    marks->addWidget(formatcaption);
    marks->addWidget(ComboBox2);
    marks->addWidget(subjects);
    marks->addStretch(1);
    page->addLayout(marks);
    connect(ComboBox2, &QComboBox::activated, this, [this](int mode) { settings_.setnumber(Setting::suma, mode); });
    connect(subjects, &QPushButton::clicked, this, &SettingsPage::BitBtn12Click);

    CheckListBox2 = new QListWidget(this);
    CheckListBox2->setObjectName(QStringLiteral("CheckListBox2"));
    for (const PageEntry &entry : pagetable) {
        if (entry.showtab == 0)
            continue;
        auto *item = new QListWidgetItem(QLatin1String(entry.caption), CheckListBox2);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    settranslatable(CheckListBox2, TransKind::checklistbox);
    CheckListBox2->hide();
    page->addWidget(CheckListBox2);
    page->addStretch(1);

    connect(CheckListBox2, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        settings_.setflag(buttonvisible(CheckListBox2->row(item) + 1), item->checkState() == Qt::Checked);
    });
    connect(&settings_, &Settings::changed, this, &SettingsPage::settingchanged);
    // The settings are read before the data: show what they hold.
    connect(&db_, &Database::reloaded, this, [this] { settingchanged(Setting::suma); });
    settingchanged(Setting::suma);
}

void SettingsPage::BitBtn12Click()
{
    if (subjectsform_)
        subjectsform_->editsubjects();
}

void SettingsPage::settingchanged(Setting which)
{
    if (which == Setting::suma) {
        const QSignalBlocker quiet(ComboBox2);
        ComboBox2->setCurrentIndex(settings_.number(Setting::suma));
        return;
    }
    if (!isbuttonvisible(which))
        return;
    const QSignalBlocker quiet(CheckListBox2);
    const int row = int(which) - int(Setting::button1visible);
    CheckListBox2->item(row)->setCheckState(settings_.flag(which) ? Qt::Checked : Qt::Unchecked);
}
