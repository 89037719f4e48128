#pragma once

#include <QDialog>

// "O programu": the logo, the product name and the version.
class DialogAbout : public QDialog
{
    Q_OBJECT
public:
    explicit DialogAbout(const QString &version, QWidget *parent = nullptr);
};
