#pragma once

#include <QDialog>

class QDialogButtonBox;
class QSpinBox;

// "Številka etaže": asks for a floor number of 1 or more. Typing replaces the number shown.
class DlgStevilkaEtaze : public QDialog
{
    Q_OBJECT
public:
    explicit DlgStevilkaEtaze(QWidget *parent = nullptr);

    QSpinBox *spinBox;
    QDialogButtonBox *buttonBox;
};
