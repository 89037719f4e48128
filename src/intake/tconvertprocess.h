#pragma once

#include <QProcess>
#include <QString>

// The document-type dialog's conversion of a file for its preview. The dialog owns one and
// reuses it; it remembers what the running or last conversion converts.
class TConvertProcess : public QProcess
{
    Q_OBJECT
public:
    explicit TConvertProcess(QObject *parent = nullptr);

    QString sourcePath;
    QString outputPath;

    // Converts `source` into `output` in the background.
    void convert(const QString &source, const QString &output);
};
