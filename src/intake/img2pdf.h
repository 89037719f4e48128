#pragma once

#include <QProcess>
#include <QString>

class TTreeDokument;

// The conversion of a document's image to PDF for the preview. It starts at once; when it
// succeeds the document takes the PDF as its file and, while it is the only selected item of
// its view, is shown. A failed conversion changes nothing and reports nothing.
class Img2Pdf : public QProcess
{
    Q_OBJECT
public:
    // Converts `source` into `output` for `document` (not owned; it owns the conversion).
    Img2Pdf(const QString &source, const QString &output, TTreeDokument *document,
        QObject *parent = nullptr);

    QString outputPath() const { return output; }

public slots:
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    TTreeDokument *document;
    QString output;
};
