#pragma once

#include "intake/conversionqueue.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QVector>
#include <memory>

class ImageAnalyzerProcess;
class QCheckBox;
class QListWidget;
class QProgressBar;
class QPushButton;
class TTreeDokument;
class TTreeElaborat;
struct AnalyzedImage;
struct CheckLine;

// The elaborat check: mandatory components that hold nothing, attribute values that would not
// survive reopening, and the resolution and depth of every image in the documents. Image
// documents are converted to PDF and the analyzer runs in the background, behind a busy bar
// and a stop button; the results colour the tree and fill a list that can be saved.
class DialogPreveri : public QDialog
{
    Q_OBJECT
public:
    // For the elaborat (not owned), which must outlive the dialog.
    explicit DialogPreveri(TTreeElaborat *elaborat, QWidget *parent = nullptr);
    // Stops the conversions and the analyzer that still run.
    ~DialogPreveri() override;

    // The analyzer's end: its standard output and whether it ended well. A failure adds
    // "PREKINJENO"; a success adds the result of every document, when the output has one part
    // per document. The dialog is idle afterwards.
    void analyzerFinished(const QByteArray &output, bool success);

    QCheckBox *cb_sestavniDeli;
    QCheckBox *cb_locljivost;
    QPushButton *b_preveri;
    QPushButton *b_prekini;
    QProgressBar *progressBar;
    QListWidget *listWidget;
    QPushButton *b_shrani;
    QPushButton *b_ponastavi_barve;

private slots:
    void on_b_preveri_clicked();
    void on_b_prekini_clicked();
    void on_b_shrani_clicked();
    void on_b_ponastavi_barve_clicked();

private:
    void createForm();
    // Colours the components and returns the names of the empty mandatory ones.
    QStringList checkComponents();
    void convertImages();
    void onConverted(int job, bool succeeded);
    void startAnalyzer();
    void showDocument(int index, const QVector<AnalyzedImage> &images);
    void addLine(const CheckLine &line);
    void setWorking(bool working);
    void stopWork();
    bool saveResults(const QString &path) const;

    TTreeElaborat *elaborat;
    QList<TTreeDokument *> documents; // under check, in walk order
    QStringList analyzerPaths; // per document: its PDF, or the PDF its image becomes
    QVector<ConversionQueue::Job> jobs;
    ConversionQueue conversions;
    std::unique_ptr<ImageAnalyzerProcess> analyzer;
    bool working = false; // conversions or the analyzer run and have not reported their end
};
