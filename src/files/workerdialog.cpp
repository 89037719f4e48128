#include "workerdialog.h"

#include <QCloseEvent>

void WorkerDialog::reject()
{
    if (mayClose())
        QDialog::reject();
}

void WorkerDialog::closeEvent(QCloseEvent *event)
{
    if (mayClose())
        QDialog::closeEvent(event);
    else
        event->ignore();
}
