#include "mainwindow/settingspage.h"

#include "database/settings.h"
#include "widgets/language.h"
#include "widgets/pagetable.h"

#include <QListWidget>
#include <QVBoxLayout>

SettingsPage::SettingsPage(Database &db, Settings &settings, Clock &clock, QWidget *parent)
    : PageWidget(db, settings, clock, parent)
{
    auto *page = pagelayout<QVBoxLayout>();
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
}

void SettingsPage::settingchanged(Setting which)
{
    if (!isbuttonvisible(which))
        return;
    const QSignalBlocker quiet(CheckListBox2);
    const int row = int(which) - int(Setting::button1visible);
    CheckListBox2->item(row)->setCheckState(settings_.flag(which) ? Qt::Checked : Qt::Unchecked);
}
