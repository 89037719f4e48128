#include "ttreewidget.h"

TTreeWidget::TTreeWidget(QWidget *parent)
    : QTreeWidget(parent)
{ }
