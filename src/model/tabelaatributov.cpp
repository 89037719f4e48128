#include "tabelaatributov.h"

#include "catalog/katalog.h"
#include "dialogcalendar.h"
#include "modelcolors.h"
#include "platform/prompter.h"
#include "ttreeelaborat.h"
#include "ttreewidget.h"

#include <QHeaderView>

namespace {
const QString officeId = QStringLiteral("GEODETSKA_PISARNA");
const QString municipalityId = QStringLiteral("KO");
const QString dateId = QStringLiteral("DATUM_ZADNJE_SPREMEMBE");
const QString proceduresId = QStringLiteral("POSTOPKI");
const QString dateFormat = QStringLiteral("dd.MM.yyyy");

// The general procedure of the elaborat's own kind, so that a building-cadastre elaborat left
// without procedures does not take the land cadastre's; the first of the catalogue otherwise.
const PostopekDef *generalProcedure(
    const Katalog &katalog, const QList<const PostopekDef *> &candidates)
{
    const QString id = QStringLiteral("splosno");
    for (const PostopekDef *candidate : candidates) {
        if (candidate->id == id)
            return candidate;
    }
    return katalog.procedureById(id);
}
} // namespace

TabelaAtributov::TabelaAtributov(TTreeElaborat *elaborat, QWidget *parent)
    : QTableWidget(parent)
    , elaborat(elaborat)
    , context(elaborat->context())
{
    setEditTriggers(QAbstractItemView::AllEditTriggers);
}

void TabelaAtributov::fill(const QList<AtributDef> &attributes, const QString &izpolniOverride)
{
    clear();
    setRowCount(0);
    setColumnCount(1);
    horizontalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (const AtributDef &attribute : attributes)
        appendRow(attribute, izpolniOverride);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(verticalHeader()->fontMetrics().height() + 8);
    setFixedHeight(rowHeight(0) * rowCount() + 4);
    connect(this, &QTableWidget::cellClicked, this, &TabelaAtributov::_onCellClicked);
    connect(this, &QTableWidget::cellChanged, this, &TabelaAtributov::onTableCellChanged);
    connect(
        this, &QTableWidget::itemSelectionChanged, this, &TabelaAtributov::onItemSelectionChanged);
}

void TabelaAtributov::appendRow(const AtributDef &attribute, const QString &izpolniOverride)
{
    const int row = rowCount();
    insertRow(row);
    auto *header = new QTableWidgetItem(attribute.ime);
    header->setData(Qt::UserRole, attribute.id);
    const QString izpolni = izpolniOverride.isEmpty()
        ? attribute.atributi.value(QStringLiteral("izpolni"))
        : izpolniOverride;
    if (izpolni == QLatin1String("izvajalec"))
        header->setForeground(ModelColors::contractor);
    else if (izpolni == QLatin1String("gp"))
        header->setForeground(ModelColors::office);
    setVerticalHeaderItem(row, header);
    auto *value = new QTableWidgetItem;
    const QStringList pickedOnly {officeId, municipalityId, dateId, proceduresId};
    if (pickedOnly.contains(attribute.id))
        value->setFlags(Qt::ItemIsEditable);
    setItem(row, 0, value);
}

int TabelaAtributov::rowOfLabel(const QString &label) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (labelOfRow(row) == label)
            return row;
    }
    return -1;
}

int TabelaAtributov::rowOfId(const QString &id) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (idOfRow(row) == id)
            return row;
    }
    return -1;
}

QString TabelaAtributov::idOfRow(int row) const
{
    const QTableWidgetItem *header = verticalHeaderItem(row);
    return header ? header->data(Qt::UserRole).toString() : QString();
}

QString TabelaAtributov::labelOfRow(int row) const
{
    const QTableWidgetItem *header = verticalHeaderItem(row);
    return header ? header->text() : QString();
}

QString TabelaAtributov::valueOfRow(int row) const
{
    const QTableWidgetItem *value = item(row, 0);
    return value ? value->text() : QString();
}

QString TabelaAtributov::accessibleSummary() const
{
    QStringList lines;
    for (int row = 0; row < rowCount(); ++row)
        lines << labelOfRow(row) + QStringLiteral(": ") + valueOfRow(row);
    return lines.join(QLatin1Char('\n'));
}

void TabelaAtributov::setValueOfRow(int row, const QString &value)
{
    if (QTableWidgetItem *cell = item(row, 0))
        cell->setText(value);
}

void TabelaAtributov::commitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TabelaAtributov::detach()
{
    elaborat = nullptr;
}

void TabelaAtributov::_onCellClicked(int row, int)
{
    if (!elaborat)
        return;
    const QString id = idOfRow(row);
    if (id == officeId) {
        makeCurrent();
        pickCode(ElaboratContext::Picker::Office, row);
    } else if (id == municipalityId) {
        makeCurrent();
        pickCode(ElaboratContext::Picker::Municipality, row);
    } else if (id == proceduresId) {
        makeCurrent();
        editProcedures();
    } else if (id == dateId) {
        makeCurrent();
        pickDate(row);
    }
}

void TabelaAtributov::onTableCellChanged(int, int)
{
    if (!elaborat)
        return;
    elaborat->markModified();
    elaborat->updateAttributesText();
}

void TabelaAtributov::onItemSelectionChanged()
{
    if (elaborat)
        makeCurrent();
}

void TabelaAtributov::makeCurrent()
{
    if (TTreeWidget *view = elaborat->view())
        view->setCurrentElaborat(elaborat, false);
}

void TabelaAtributov::pickCode(ElaboratContext::Picker list, int row)
{
    if (!context)
        return;
    if (const std::optional<QString> code = context->pickCode(list))
        setValueOfRow(row, *code);
}

void TabelaAtributov::pickDate(int row)
{
    DialogCalendar calendar;
    calendar.setDate(valueOfRow(row));
    Prompter::current().exec(&calendar);
    // However the calendar was closed: it still holds the old date unless another was picked.
    setValueOfRow(row, calendar.chosenDate().toString(dateFormat));
}

void TabelaAtributov::editProcedures()
{
    if (!elaborat || !context)
        return;
    if (elaborat->hasPostopek(QStringLiteral("splosno")) && elaborat->documentCount() > 0)
        return;
    const std::optional<QStringList> names = context->chooseProcedures(elaborat->postopki(),
        context->katalog().proceduresOfKind(elaborat->isKs() ? Kataster::KS : Kataster::ZK));
    if (names)
        applyChosenNames(*names);
}

void TabelaAtributov::applyChosenNames(const QStringList &names)
{
    // The dialog lists only names. A procedure to remove is the elaborat's own record, and one
    // to add is the candidate of the elaborat's kind that the dialog showed, so that a name
    // that both cadastres use cannot remove nothing or bring the other cadastre's components.
    const QList<const PostopekDef *> own = elaborat->postopki();
    for (int i = own.size() - 1; i >= 0; --i) {
        if (!names.contains(own.at(i)->ime))
            elaborat->removePostopek(own.at(i));
    }
    const Katalog &katalog = context->katalog();
    const QList<const PostopekDef *> candidates
        = katalog.proceduresOfKind(elaborat->isKs() ? Kataster::KS : Kataster::ZK);
    for (const QString &name : names) {
        if (elaborat->postopekNames().contains(name))
            continue;
        if (const PostopekDef *procedure = Katalog::procedureByName(name, candidates))
            elaborat->addPostopek(procedure);
    }
    if (names.isEmpty() && elaborat->postopki().isEmpty()) {
        if (const PostopekDef *general = generalProcedure(katalog, candidates))
            elaborat->addPostopek(general);
    }
    // Components came or went. The POSTOPKI cell cannot be relied on to mark the elaborat: it
    // is written only when its row has that label.
    if (elaborat->postopki() != own)
        elaborat->markModified();
    const int row = rowOfLabel(proceduresId);
    if (row >= 0)
        setValueOfRow(row, elaborat->postopekNames().join(QLatin1Char(';')));
}
