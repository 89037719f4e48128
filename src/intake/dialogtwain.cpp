#include "dialogtwain.h"

#include "scannersourcereader.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

DialogTwain::DialogTwain(QWidget *parent)
    : QDialog(parent)
    , label(new QLabel(QStringLiteral("Izberite vir iz katerega želite zajeti slike:")))
    , listWidget(new QListWidget)
    , buttonBox(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel))
    , reader(new ScannerSourceReader(this))
{
    setObjectName(QStringLiteral("DialogTwain"));
    setWindowTitle(QStringLiteral("TWAIN"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(listWidget);
    layout->addWidget(buttonBox);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(listWidget, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(320, 240);
    setFixedSize(size());
    connect(reader, &ScannerSourceReader::sourcesRead, this, &DialogTwain::fill);
    reader->read();
}

int DialogTwain::selectedSourceId() const
{
    const QList<QListWidgetItem *> selected = listWidget->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(Qt::UserRole).toInt();
}

bool DialogTwain::readingSources() const
{
    return reader->isReading();
}

void DialogTwain::fill(const QList<ScannerSource> &sources)
{
    for (const ScannerSource &source : sources) {
        auto *item = new QListWidgetItem(source.name, listWidget);
        item->setData(Qt::UserRole, source.id);
    }
}
