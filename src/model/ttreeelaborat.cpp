#include "ttreeelaborat.h"

#include "catalog/katalog.h"
#include "elaboratcontext.h"
#include "platform/appsettings.h"
#include "platform/platform.h"
#include "platform/programversion.h"
#include "platform/prompter.h"
#include "tabelaatributov.h"
#include "treewalk.h"
#include "ttreebookmark.h"
#include "ttreedigitalnipodatek.h"
#include "ttreedokument.h"
#include "ttreepodnaslov.h"
#include "ttreesestavina.h"
#include "ttreewidget.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
const QString noMenu = QStringLiteral("nomenu");
const QString proceduresLabel = QStringLiteral("POSTOPKI");
} // namespace

TTreeElaborat::TTreeElaborat(const PostopekDef *first, const QList<AtributDef> &attributes,
    const QString &tempFolder, TTreeWidget *view, bool isKs)
    : QTreeWidgetItem(view, Type)
    , ks(isKs)
    , elaboratContext(view->context)
    , ownerView(view)
{
    if (!first->izpolniAtribute.isEmpty())
        fillOverride = first->izpolniAtribute;
    view->setCurrentElaborat(this, true);
    procedures = {first};
    creationStamp = freeStamp(tempFolder);
    work = tempFolder + QLatin1Char('/') + creationStamp;
    QDir().mkdir(work);
    setText(0, creationStamp);
    setFlags(flags() & ~(Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled));
    buildAttributes(attributes);
    sestavine = new QTreeWidgetItem(this);
    sestavine->setText(0, QStringLiteral("sestavine"));
    sestavine->setFlags(sestavine->flags() & ~Qt::ItemIsDragEnabled);
    addComponentsOf(first);
    if (table->rowOfLabel(proceduresLabel) >= 0)
        setProceduresValue(first->ime);
    atributi->setExpanded(true);
    sestavine->setExpanded(true);
    setExpanded(true);
}

TTreeElaborat::~TTreeElaborat()
{
    if (ownerView)
        ownerView->forgetElaborat(this);
    if (table)
        table->detach();
}

TTreeWidget *TTreeElaborat::view() const
{
    return ownerView;
}

TabelaAtributov *TTreeElaborat::tabela() const
{
    return table;
}

QString TTreeElaborat::freeStamp(const QString &tempFolder)
{
    QDateTime when = QDateTime::currentDateTime();
    QString stamp = when.toString(QStringLiteral("ddMMyyyyhhmmss"));
    while (QFileInfo::exists(tempFolder + QLatin1Char('/') + stamp)) {
        when = when.addSecs(1);
        stamp = when.toString(QStringLiteral("ddMMyyyyhhmmss"));
    }
    return stamp;
}

void TTreeElaborat::buildAttributes(const QList<AtributDef> &attributes)
{
    atributi = new QTreeWidgetItem(this);
    atributi->setText(0, QStringLiteral("atributi"));
    atributi->setData(0, Qt::UserRole, noMenu);
    atributi->setFlags(atributi->flags() & ~Qt::ItemIsDragEnabled);
    auto *row = new QTreeWidgetItem(atributi);
    row->setData(0, Qt::UserRole, noMenu);
    row->setFlags(row->flags() & ~Qt::ItemIsSelectable);
    table = new TabelaAtributov(this);
    treeWidget()->setItemWidget(row, 0, table);
    table->fill(attributes, fillOverride);
    updateAttributesText();
}

void TTreeElaborat::addComponentsOf(const PostopekDef *procedure)
{
    for (const SestavinaDef &component : procedure->sestavine) {
        if (!hasSestavinaIme(component.value(QStringLiteral("ime"))))
            new TTreeSestavina(component, sestavine);
    }
}

// The table inside the row is no part of the view's accessible tree; the row reads it out.
void TTreeElaborat::updateAttributesText()
{
    if (table && atributi && atributi->childCount() > 0)
        atributi->child(0)->setData(0, Qt::AccessibleTextRole, table->accessibleSummary());
}

void TTreeElaborat::markModified()
{
    isUpToDate = false;
    if (elaboratContext)
        elaboratContext->updateActions();
    if (ownerView)
        emit ownerView->elaboratChanged(this);
}

void TTreeElaborat::markUpToDate()
{
    isUpToDate = true;
    if (elaboratContext)
        elaboratContext->updateActions();
    if (ownerView)
        emit ownerView->elaboratChanged(this);
}

void TTreeElaborat::addPostopek(const PostopekDef *procedure)
{
    if (!procedure->izpolniAtribute.isEmpty())
        fillOverride = procedure->izpolniAtribute;
    procedures.append(procedure);
    if (table && table->rowOfLabel(proceduresLabel) >= 0)
        setProceduresValue(proceduresValue() + QStringLiteral("; ") + procedure->ime);
    addComponentsOf(procedure);
}

bool TTreeElaborat::removePostopek(const PostopekDef *procedure)
{
    if (!procedures.contains(procedure))
        return false;
    QStringList emptied;
    for (const SestavinaDef &component : procedure->sestavine) {
        const QString name = component.value(QStringLiteral("ime"));
        const bool shared
            = std::any_of(procedures.cbegin(), procedures.cend(), [&](const PostopekDef *other) {
                  return other != procedure && Katalog::hasComponent(other, name);
              });
        if (shared)
            continue;
        const TTreeSestavina *item = findSestavinaByIme(name);
        if (item && item->childCount() > 0) {
            Prompter::warning(treeWidget(), QStringLiteral("Ne morem odstraniti postopka"),
                QStringLiteral("Sestavina ") + name + QStringLiteral(" ni prazna."));
            return false;
        }
        emptied << name;
    }
    procedures.removeOne(procedure);
    for (const QString &name : emptied)
        delete findSestavinaByIme(name);
    return true;
}

bool TTreeElaborat::hasPostopek(const QString &id) const
{
    return std::any_of(procedures.cbegin(), procedures.cend(),
        [&id](const PostopekDef *procedure) { return procedure->id == id; });
}

QStringList TTreeElaborat::postopekNames() const
{
    QStringList names;
    for (const PostopekDef *procedure : procedures)
        names << procedure->ime;
    return names;
}

TTreeSestavina *TTreeElaborat::findSestavinaBySifra(const QString &code) const
{
    for (int i = 0; i < sestavine->childCount(); ++i) {
        QTreeWidgetItem *child = sestavine->child(i);
        if (child->data(0, Qt::UserRole).toString() == code) {
            if (TTreeSestavina *component = TTreeSestavina::cast(child))
                return component;
        }
    }
    return nullptr;
}

TTreeSestavina *TTreeElaborat::findSestavinaByIme(const QString &name) const
{
    for (int i = 0; i < sestavine->childCount(); ++i) {
        QTreeWidgetItem *child = sestavine->child(i);
        if (child->text(0) == name) {
            if (TTreeSestavina *component = TTreeSestavina::cast(child))
                return component;
        }
    }
    return nullptr;
}

bool TTreeElaborat::hasSestavinaIme(const QString &name) const
{
    for (int i = 0; i < sestavine->childCount(); ++i) {
        if (sestavine->child(i)->text(0) == name)
            return true;
    }
    return false;
}

QString TTreeElaborat::attribute(const QString &key) const
{
    if (!table)
        return QString();
    table->commitOpenEditor();
    const int row = table->rowOfId(key);
    return row >= 0 ? table->valueOfRow(row) : QString();
}

void TTreeElaborat::setAttribute(const QString &key, const QString &value)
{
    if (!table)
        return;
    const int row = table->rowOfId(key);
    if (row >= 0)
        table->setValueOfRow(row, value);
}

void TTreeElaborat::setProceduresValue(const QString &value)
{
    table->setValueOfRow(table->rowOfLabel(proceduresLabel), value);
}

QString TTreeElaborat::proceduresValue() const
{
    return table->valueOfRow(table->rowOfLabel(proceduresLabel));
}

void TTreeElaborat::setPdfPath(const QString &path, bool updateText)
{
    previousPdf = pdf;
    pdf = path;
    if (updateText)
        setText(0, QFileInfo(path).baseName());
}

void TTreeElaborat::revertPdfPath()
{
    std::swap(pdf, previousPdf);
}

int TTreeElaborat::documentCount() const
{
    int count = 0;
    forEachInWalk(
        this, [&count](QTreeWidgetItem *item) { count += TTreeDokument::cast(item) != nullptr; });
    return count;
}

QList<TTreeDokument *> TTreeElaborat::documents() const
{
    QList<TTreeDokument *> found;
    forEachInWalk(this, [&found](QTreeWidgetItem *item) {
        if (TTreeDokument *document = TTreeDokument::cast(item))
            found.append(document);
    });
    return found;
}

QStringList TTreeElaborat::digitalDataFiles() const
{
    QStringList files;
    forEachInWalk(this, [&files](QTreeWidgetItem *item) {
        if (const TTreeDigitalniPodatek *data = TTreeDigitalniPodatek::cast(item))
            files << data->filePath();
    });
    return files;
}

void TTreeElaborat::removeLeafAndPrune(TTreeLeaf *leaf)
{
    QTreeWidgetItem *parent = leaf->parent();
    delete leaf;
    if (TTreeBookmark::cast(parent))
        pruneBookmark(parent, false);
}

void TTreeElaborat::pruneBookmark(QTreeWidgetItem *item, bool force)
{
    if (!item || (!force && item->childCount() > 0) || TTreeWidget::elaboratOf(item) != this)
        return;
    // The root, its two nodes and the table's row hold the elaborat together.
    if (item == this || item->parent() == this || item->parent() == atributi)
        return;
    QTreeWidgetItem *parent = item->parent();
    delete item;
    if (TTreeBookmark::cast(parent) && parent->childCount() == 0)
        delete parent;
}

void TTreeElaborat::removeEmptySubtitles()
{
    for (QTreeWidgetItem *item : walkItems(this)) {
        if (TTreePodnaslov *subtitle = TTreePodnaslov::cast(item);
            subtitle && !subtitle->childCount())
            removeLeafAndPrune(subtitle);
    }
}

void TTreeElaborat::renumberOwnPages(const QString &path)
{
    // Only the documents that went into the PDF have pages in it: a building-cadastre
    // elaborat's "110" pages go to the REN PDF instead.
    const QList<QTreeWidgetItem *> items = walkItems(this);
    int before = 0;
    for (int index : pdfDocuments(snapshot())) {
        TTreeDokument *document = TTreeDokument::cast(items.at(index));
        if (document->page() != 0 && document->filePath() == path)
            document->setPage(before + 1);
        before += document->contributedPages();
    }
}

ElaboratSnapshot TTreeElaborat::snapshot() const
{
    if (table)
        table->commitOpenEditor();
    ElaboratSnapshot snapshot = treeCopy();
    snapshot.officeUser = elaboratContext && elaboratContext->settings().officeUser();
    snapshot.userName = Platform::userName();
    snapshot.version = programVersion();
    return snapshot;
}

RecoveryRecord TTreeElaborat::recoveryRecord() const
{
    return {creationStamp, text(0), isUpToDate, previousPdf, nextScanNumber, treeCopy()};
}

void TTreeElaborat::resume(const RecoveryRecord &record)
{
    if (record.tree.workDir != work) {
        QDir().rmdir(work);
        work = record.tree.workDir;
    }
    creationStamp = record.stamp;
    setText(0, record.text);
    pdf = record.previousPdfPath;
    setPdfPath(record.tree.pdfPath, false);
    nextScanNumber = record.nextScanNumber;
}

ElaboratSnapshot TTreeElaborat::treeCopy() const
{
    ElaboratSnapshot snapshot;
    snapshot.isKs = ks;
    for (const PostopekDef *procedure : procedures) {
        snapshot.procedureIds << procedure->id;
        snapshot.procedureNames << procedure->ime;
    }
    if (table) {
        for (int row = 0; row < table->rowCount(); ++row)
            snapshot.attributes.append(
                {table->idOfRow(row), table->labelOfRow(row), table->valueOfRow(row)});
    }
    for (int i = 0; i < childCount(); ++i)
        appendToSnapshot(child(i), -1, snapshot);
    snapshot.pdfPath = pdf;
    snapshot.workDir = work;
    return snapshot;
}

void TTreeElaborat::appendToSnapshot(
    const QTreeWidgetItem *item, int parent, ElaboratSnapshot &snapshot) const
{
    SnapshotItem copy = snapshotItem(item);
    copy.parent = parent;
    snapshot.items.append(copy);
    const int index = snapshot.items.size() - 1;
    for (int i = 0; i < item->childCount(); ++i)
        appendToSnapshot(item->child(i), index, snapshot);
}

SnapshotItem TTreeElaborat::snapshotItem(const QTreeWidgetItem *item) const
{
    SnapshotItem copy;
    copy.text = item->text(0);
    if (item == sestavine) {
        copy.kind = SnapshotKind::Sestavine;
    } else if (const auto *component = itemCast<TTreeSestavina>(item)) {
        copy.kind = SnapshotKind::Component;
        copy.code = component->sifra();
        copy.hasBookmarkDefault = component->atributi().contains(QStringLiteral("bookmark"));
        copy.bookmarkDefault = component->atributi().value(QStringLiteral("bookmark"));
    } else if (const auto *bookmark = itemCast<TTreeBookmark>(item)) {
        copy.kind = SnapshotKind::Bookmark;
        copy.code = bookmark->sifra();
    } else if (const auto *document = TTreeDokument::cast(item)) {
        copy.kind = SnapshotKind::Document;
        copy.filePath = document->filePath();
        copy.sourcePath = document->sourcePath();
        copy.page = document->page();
        copy.pageCount = document->pageCount();
        copy.rotation = document->rotation();
    } else if (itemCast<TTreePodnaslov>(item)) {
        copy.kind = SnapshotKind::Subtitle;
    } else if (const auto *data = itemCast<TTreeDigitalniPodatek>(item)) {
        copy.kind = SnapshotKind::DigitalData;
        copy.filePath = data->filePath();
    }
    if (const TTreeLeaf *leaf = TTreeLeaf::cast(item)) {
        copy.text = leaf->nameText();
        copy.tagLabel = leaf->tagText();
    }
    return copy;
}
