#pragma once

#include <QDialog>
#include <QList>
#include <QVector>

struct PostopekDef;
class QDialogButtonBox;
class QListWidget;
class QListWidgetItem;
class QTabWidget;

// "Izberite vsaj en postopek novega elaborata": the procedures of the land cadastre and of the
// building cadastre on two tabs, to choose those of one cadastre for a new elaborat. The
// general procedure ("splosno") excludes the others of its list: choosing it greys them out.
class NovPostopekDlg : public QDialog
{
    Q_OBJECT
public:
    // Lists `procedures` (the catalogue, in catalogue order) and opens on tab `initialTab`
    // (0 land cadastre, 1 building cadastre).
    NovPostopekDlg(
        const QList<const PostopekDef *> &procedures, int initialTab, QWidget *parent = nullptr);

    // The catalogue indices of the entries selected in the current tab's list, in row (that is
    // catalogue) order, so that the first procedure of the catalogue makes the elaborat.
    QList<int> selectedIndices() const;

    QTabWidget *tabWidget;
    QWidget *tab;
    QWidget *tab_2;
    QListWidget *listWidget;
    QListWidget *listWidget_2;
    QDialogButtonBox *buttonBox;

private slots:
    void on_listWidget_itemSelectionChanged();
    void on_listWidget_2_itemSelectionChanged();
    void on_tabWidget_currentChanged(int index);
    void on_listWidget_itemPressed(QListWidgetItem *item);
    void on_listWidget_2_itemPressed(QListWidgetItem *item);

private:
    void buildForm();
    QListWidget *addList(QWidget *page, const char *name);
    void fillLists();
    void updateOkButton();
    void applyGeneralRule(QListWidget *list, int generalRow, QListWidgetItem *pressed);
    QListWidget *currentList() const;
    QList<int> chosenRows(const QListWidget *list) const;
    void rememberSelection(const QListWidget *list);

    QList<const PostopekDef *> procedures;
    int generalRowZk = -1;
    int generalRowKs = -1;
    // Per row of each list: whether the entry is chosen.
    QVector<bool> chosenZk;
    QVector<bool> chosenKs;
};
