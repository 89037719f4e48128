#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

struct PostopekDef;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;

// "Dodajanje postopka v elaborat": the procedures that can be added on the left, those the
// elaborat will have on the right, and two buttons that move the selected names across.
class DodajOdstraniPostopekDlg : public QDialog
{
    Q_OBJECT
public:
    explicit DodajOdstraniPostopekDlg(QWidget *parent = nullptr);

    // Lists the candidates (the catalogue's procedures of the elaborat's kind, in catalogue
    // order) but the general procedure: those in `elaboratProcedures` on the right, the others
    // on the left. The elaborat's procedures that are no candidates are not listed.
    void fill(const QList<const PostopekDef *> &elaboratProcedures,
        const QList<const PostopekDef *> &candidates);
    // The names on the right, top to bottom.
    QStringList chosenNames() const;

    QLabel *label;
    QListWidget *l_mozni;
    QPushButton *b_1_l2d;
    QPushButton *b_1_d2l;
    QLabel *label_2;
    QListWidget *l_dodani;
    QDialogButtonBox *buttonBox;

private slots:
    void on_b_1_l2d_clicked();
    void on_b_1_d2l_clicked();

private:
    void buildForm();
    static void moveSelected(QListWidget *from, QListWidget *to);
};
