#include "tcombobox.h"

#include <QLineEdit>

TComboBox::TComboBox(QWidget *parent)
    : QComboBox(parent)
{ }

void TComboBox::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    if (QLineEdit *edit = lineEdit())
        edit->selectAll();
}
