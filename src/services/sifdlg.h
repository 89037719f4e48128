#pragma once

#include "catalog/codenamelist.h"

#include <QDialog>
#include <QList>
#include <QString>

class QDialogButtonBox;
class QLabel;
class TComboBox;

// A modal picker of one code list (offices or municipalities): two linked combo boxes, one of
// codes and one of names, holding the list's entries in its order.
class SifDlg : public QDialog
{
    Q_OBJECT
public:
    SifDlg(const QList<CodeName> &list, const QString &title, const QString &codeCaption,
        const QString &nameCaption, QWidget *parent = nullptr);

    // "code name" of the entry chosen by the last accepted run; empty before.
    QString resultText() const { return chosen; }
    // The name listed for the code (exact, case-sensitive); empty when the code is not listed.
    QString nameOf(const QString &code) const { return ::nameOf(entries, code); }

    TComboBox *codeBox() const { return cb1; }
    TComboBox *nameBox() const { return cb2; }

private slots:
    void on_cb1_editTextChanged(const QString &text);
    void on_cb2_editTextChanged(const QString &text);
    void on_buttonBox_accepted();

private:
    void buildForm(const QString &codeCaption, const QString &nameCaption);
    void fillBoxes();
    static void follow(TComboBox *typed, TComboBox *other, const QString &text);
    static void selectExact(TComboBox *box);

    const QList<CodeName> entries;
    QString chosen;
    QLabel *lbl1;
    QLabel *lbl2;
    TComboBox *cb1;
    TComboBox *cb2;
    QDialogButtonBox *buttonBox;
};
