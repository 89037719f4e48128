#pragma once

#include <QTreeWidget>

class MainWindow;
class TTreeElaborat;

// The main window's tree of open elaborates.
class TTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    explicit TTreeWidget(QWidget *parent = nullptr);

    MainWindow *mainWindow = nullptr;

    // The elaborat the commands act on, or none.
    TTreeElaborat *currentElaborat() const { return current; }

private:
    TTreeElaborat *current = nullptr;
};
