#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;

// The date picker of the attribute table: a calendar alone, closed by picking a day.
class DialogCalendar : public QDialog
{
    Q_OBJECT
public:
    explicit DialogCalendar(QWidget *parent = nullptr);

    // Takes a "dd.MM.yyyy" text as the chosen date (invalid when it does not fit) and selects
    // it in the calendar.
    void setDate(const QString &text);
    // The date picked, or the one given to setDate when none was picked.
    QDate chosenDate() const { return chosen; }

    QCalendarWidget *calendarWidget;

private slots:
    // A picked day is the choice; the dialog closes.
    void onSelectionChanged();

private:
    QDate chosen;
};
