#pragma once

#include <QProcess>
#include <QString>

// The conversion of a document's image to PDF for the preview. It starts at once and reports
// only success: a failed conversion changes nothing.
class Img2Pdf : public QProcess
{
    Q_OBJECT
public:
    // Converts `source` into `output`.
    Img2Pdf(const QString &source, const QString &output, QObject *parent = nullptr);

    QString outputPath() const { return output; }

signals:
    // The PDF is at `output`.
    void converted(const QString &output);

private:
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

    QString output;
};
