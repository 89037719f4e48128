#include "dialogpreveri.h"

#include "checkresults.h"
#include "files/keywords.h"
#include "imageanalyzerprocess.h"
#include "intake/imageconversion.h"
#include "model/treewalk.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>

DialogPreveri::DialogPreveri(TTreeElaborat *elaborat, QWidget *parent)
    : QDialog(parent)
    , elaborat(elaborat)
{
    createForm();
    connect(&conversions, &ConversionQueue::converted, this, &DialogPreveri::onConverted);
    connect(&conversions, &ConversionQueue::finished, this, &DialogPreveri::startAnalyzer);
    QMetaObject::connectSlotsByName(this);
}

DialogPreveri::~DialogPreveri()
{
    stopWork();
}

void DialogPreveri::createForm()
{
    setWindowTitle(QStringLiteral("Preverjanje elaborata"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    auto add = [this, layout](auto *widget, const char *name) {
        widget->setObjectName(QString::fromLatin1(name));
        layout->addWidget(widget);
        return widget;
    };
    cb_sestavniDeli
        = add(new QCheckBox(QStringLiteral("preverjanje obveznih sestavnih delov"), this),
            "cb_sestavniDeli");
    cb_locljivost = add(
        new QCheckBox(QStringLiteral("preverjanje ločljivosti dokumentov"), this), "cb_locljivost");
    cb_sestavniDeli->setChecked(true);
    cb_locljivost->setChecked(true);
    b_preveri = add(new QPushButton(QStringLiteral("Preveri"), this), "b_preveri");
    b_prekini = add(new QPushButton(QStringLiteral("Prekini preverjanje"), this), "b_prekini");
    progressBar = add(new QProgressBar(this), "progressBar");
    progressBar->setMaximum(0);
    listWidget = add(new QListWidget(this), "listWidget");
    listWidget->setSelectionMode(QAbstractItemView::NoSelection);
    b_shrani
        = add(new QPushButton(QStringLiteral("Shrani rezultate preverjanja"), this), "b_shrani");
    b_ponastavi_barve
        = add(new QPushButton(QStringLiteral("Ponastavi barve rezultatov preverjanja"), this),
            "b_ponastavi_barve");
    b_prekini->hide();
    progressBar->hide();
}

void DialogPreveri::on_b_preveri_clicked()
{
    const bool components = cb_sestavniDeli->isChecked();
    const bool resolution = cb_locljivost->isChecked();
    if (!components && !resolution)
        return;
    listWidget->clear();
    documents.clear();
    const QStringList missing = checkComponents();
    if (resolution) {
        forEachInWalk(elaborat, [this](QTreeWidgetItem *item) {
            if (TTreeDokument *document = TTreeDokument::cast(item))
                documents << document;
        });
    }
    if (components) {
        for (const CheckLine &line :
            componentLines(missing, attributeProblems(elaborat->snapshot()), resolution))
            addLine(line);
    }
    if (!resolution || documents.isEmpty())
        return;
    setWorking(true);
    addLine(resolutionHeading());
    convertImages();
}

QStringList DialogPreveri::checkComponents()
{
    QStringList missing;
    forEachInWalk(elaborat, [&missing](QTreeWidgetItem *item) {
        TTreeSestavina *component = TTreeSestavina::cast(item);
        if (!component)
            return;
        // Optional components are shown in italics.
        const bool mandatory = !component->font(0).italic();
        if (mandatory && component->childCount() == 0) {
            component->setForeground(0, CheckColors::missingComponent);
            missing << component->text(0);
        } else {
            component->setForeground(0, CheckColors::component);
        }
    });
    return missing;
}

// Image documents are converted in the background, each image once, into the PDF that
// the build makes of it; the analyzer starts when all have ended.
void DialogPreveri::convertImages()
{
    analyzerPaths.clear();
    jobs.clear();
    for (const TTreeDokument *document : std::as_const(documents)) {
        const QString path = document->filePath();
        if (document->suffix() == QLatin1String("pdf")) {
            analyzerPaths << path;
            continue;
        }
        const QString target = ImageConversion::documentPdfPath(elaborat->workDir(), path);
        analyzerPaths << target;
        const bool queued = std::any_of(jobs.cbegin(), jobs.cend(),
            [&target](const ConversionQueue::Job &job) { return job.target == target; });
        if (!queued)
            jobs.append({path, target});
    }
    conversions.start(jobs, QThread::idealThreadCount());
}

void DialogPreveri::onConverted(int job, bool succeeded)
{
    if (!succeeded)
        return;
    for (TTreeDokument *document : std::as_const(documents)) {
        if (document->filePath() == jobs.at(job).source)
            document->setConvertedFile(jobs.at(job).target);
    }
}

void DialogPreveri::startAnalyzer()
{
    QVector<AnalyzerDocument> list;
    for (int i = 0; i < documents.size(); ++i)
        list.append({analyzerPaths.at(i), documents.at(i)->page()});
    analyzer = std::make_unique<ImageAnalyzerProcess>(this);
    analyzer->run(analyzerCommand(list));
}

void DialogPreveri::analyzerFinished(const QByteArray &output, bool success)
{
    if (!success) {
        addLine(interruptedLine());
    } else {
        const QVector<QVector<AnalyzedImage>> parts = parseAnalyzerOutput(output);
        if (!parts.isEmpty() && parts.size() == documents.size()) {
            for (int i = 0; i < parts.size(); ++i)
                showDocument(i, parts.at(i));
        }
    }
    setWorking(false);
}

void DialogPreveri::showDocument(int index, const QVector<AnalyzedImage> &images)
{
    TTreeDokument *document = documents.at(index);
    document->setNameColor(CheckColors::analysedName);
    for (const CheckLine &line : documentLines(document->nameText(), images))
        addLine(line);
    if (hasUnsuitableImage(images))
        document->setNameColor(CheckColors::unsuitableName);
}

void DialogPreveri::on_b_prekini_clicked()
{
    stopWork();
}

void DialogPreveri::stopWork()
{
    conversions.stop();
    if (analyzer && analyzer->state() != QProcess::NotRunning) {
        // Its end is reported as a failed run.
        analyzer->kill();
        analyzer->waitForFinished(ToolRunner::timeoutMs);
    }
    analyzer.reset();
    if (working)
        addLine(interruptedLine());
    setWorking(false);
}

void DialogPreveri::setWorking(bool busy)
{
    working = busy;
    progressBar->setVisible(busy);
    b_prekini->setVisible(busy);
    b_preveri->setVisible(!busy);
}

void DialogPreveri::addLine(const CheckLine &line)
{
    auto *item = new QListWidgetItem(line.text, listWidget);
    if (line.bold || line.italic) {
        QFont font = item->font();
        font.setBold(line.bold);
        font.setItalic(line.italic);
        item->setFont(font);
    }
    if (line.foreground.isValid())
        item->setForeground(line.foreground);
    if (line.background.isValid())
        item->setBackground(line.background);
}

void DialogPreveri::on_b_shrani_clicked()
{
    const QString path = Prompter::current().saveFileName(
        nullptr, QStringLiteral("Shrani rezultate"), QString(), QStringLiteral("*.txt"));
    if (path.isEmpty() || saveResults(path))
        return;
    Prompter::warning(this, QString(),
        QStringLiteral("Rezultatov preverjanja ni mogoce shraniti v datoteko %1.").arg(path));
}

bool DialogPreveri::saveResults(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    for (int i = 0; i < listWidget->count(); ++i)
        file.write((listWidget->item(i)->text() + QLatin1Char('\n')).toUtf8());
    return file.commit();
}

void DialogPreveri::on_b_ponastavi_barve_clicked()
{
    forEachInWalk(elaborat, [](QTreeWidgetItem *item) {
        if (TTreeSestavina *component = TTreeSestavina::cast(item))
            component->setForeground(0, CheckColors::component);
        else if (TTreeDokument *document = TTreeDokument::cast(item))
            document->setNameColor(CheckColors::analysedName);
    });
}
