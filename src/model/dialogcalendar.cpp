#include "dialogcalendar.h"

#include <QCalendarWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

DialogCalendar::DialogCalendar(QWidget *parent)
    : QDialog(parent)
    , calendarWidget(new QCalendarWidget(this))
{
    setWindowTitle(QStringLiteral("Dialog"));
    resize(400, 300);
    calendarWidget->setObjectName(QStringLiteral("calendarWidget"));
    calendarWidget->setDateEditAcceptDelay(30000);
    calendarWidget->setLocale(QLocale(QLocale::Slovenian));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendarWidget);
    connect(calendarWidget, &QCalendarWidget::selectionChanged, this,
        &DialogCalendar::onSelectionChanged);
}

void DialogCalendar::setDate(const QString &text)
{
    chosen = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    // Selecting the given date is no pick: it must not close the dialog before it is shown.
    const QSignalBlocker blocker(calendarWidget);
    calendarWidget->setSelectedDate(chosen);
}

void DialogCalendar::onSelectionChanged()
{
    chosen = calendarWidget->selectedDate();
    accept();
}
