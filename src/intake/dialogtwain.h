#pragma once

#include "scannersources.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QListWidget;
class ScannerSourceReader;

// Lets the user pick the scanner to scan from. The scanning program is asked for its sources
// at construction; the list fills when it answers and stays empty when it cannot.
class DialogTwain : public QDialog
{
    Q_OBJECT
public:
    explicit DialogTwain(QWidget *parent = nullptr);

    // The id of the selected source, -1 when none is selected.
    int selectedSourceId() const;
    // Whether the scanning program has not answered yet.
    bool readingSources() const;

    QLabel *label;
    QListWidget *listWidget;
    QDialogButtonBox *buttonBox;

private:
    void fill(const QList<ScannerSource> &sources);

    ScannerSourceReader *reader;
};
