#pragma once

#include "catalog/atributdef.h"
#include "elaboratcontext.h"

#include <QList>
#include <QTableWidget>

class TTreeElaborat;

// The attribute table of one elaborat, the item widget of its "atributi" node: one row per
// catalogue attribute, the label in the row header (its attribute id as user data), the value
// in the one cell. Free-text values are edited in place; the office, the municipality, the
// date and the procedures are set only through their pickers, which a click on the cell opens.
class TabelaAtributov : public QTableWidget
{
    Q_OBJECT
public:
    TabelaAtributov(TTreeElaborat *elaborat, QWidget *parent = nullptr);

    // Makes one row per attribute, in order. The label's colour follows who fills the value:
    // `izpolniOverride` when it is not empty, else the attribute's own "izpolni". Then
    // connects the table's slots, so that filling it marks nothing modified.
    void fill(const QList<AtributDef> &attributes, const QString &izpolniOverride);

    // The first row whose label (not its id) is `label`; -1 when there is none.
    int rowOfLabel(const QString &label) const;
    // The first row of the attribute id; -1 when there is none.
    int rowOfId(const QString &id) const;
    QString idOfRow(int row) const;
    QString labelOfRow(int row) const;
    QString valueOfRow(int row) const;
    // Every attribute as "label: value", one a line: what the table shows, for screen readers,
    // which do not see a table inside a tree row.
    QString accessibleSummary() const;
    void setValueOfRow(int row, const QString &value);

    // Writes an open cell editor's text into its cell and closes the editor.
    void commitOpenEditor();
    // The procedures command: the add/remove dialog for the elaborat, then its procedures,
    // components and POSTOPKI value follow the chosen names. Refused silently for an elaborat
    // with the general procedure that holds documents.
    void editProcedures();

    // The elaborat is being deleted: the table forgets it and does nothing more.
    void detach();

public slots:
    void _onCellClicked(int row, int column);
    void onTableCellChanged(int row, int column);
    void onItemSelectionChanged();

private:
    void appendRow(const AtributDef &attribute, const QString &izpolniOverride);
    void makeCurrent();
    void pickCode(ElaboratContext::Picker list, int row);
    void pickDate(int row);
    void applyChosenNames(const QStringList &names);

    TTreeElaborat *elaborat;
    ElaboratContext *context;
};
