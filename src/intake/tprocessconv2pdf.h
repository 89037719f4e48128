#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Turns one batch of scanned pages into PDF files beside them. It starts at once; when the
// converter succeeds, the images of the pages it converted are deleted and the parent scan
// gets their PDF paths. Pages it could not convert keep their images. The scan hears once of
// every batch, also of one whose converter could not start.
class TProcessConv2pdf : public QProcess
{
    Q_OBJECT
public:
    // `folder` is relative to the program folder (".tmp/<stamp>") or absolute when the scratch
    // folder lies elsewhere (AppPaths::programRelative()); `pageNames` are bare .bmp
    // file names in it.
    TProcessConv2pdf(const QString &folder, const QStringList &pageNames, QObject *parent);

    const QStringList &pageNames() const { return names; }
    // The PDF paths that the batch gives, in the order of its pages.
    QStringList resultPaths() const;

public slots:
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    void onError(QProcess::ProcessError error);
    void report(const QStringList &converted);
    QString folderPath() const;

    QString folder;
    QStringList names;
};
