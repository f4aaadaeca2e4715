#include "widgets/pagewidget.h"

PageWidget::PageWidget(Database &db, Settings &settings, Clock &clock, QWidget *parent)
    : QWidget(parent), db_(db), settings_(settings), clock_(clock)
{
    // The colour settings paint every page's background.
    setAutoFillBackground(true);
}
