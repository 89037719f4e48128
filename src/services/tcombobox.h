#pragma once

#include <QComboBox>

// A combo box that selects its whole text when it gets the keyboard focus, so that typing
// replaces what it shows.
class TComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit TComboBox(QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
};
