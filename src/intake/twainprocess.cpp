#include "twainprocess.h"

#include "platform/apppaths.h"
#include "platform/platform.h"
#include "platform/toolrunner.h"
#include "scannersources.h"
#include "tprocessconv2pdf.h"

TwainProcess::TwainProcess(const QString &folder, QObject *parent)
    : QProcess(parent)
    , folder(folder)
{
    connect(this, &QProcess::finished, this, &TwainProcess::twainFinished);
    connect(this, &QProcess::readyReadStandardOutput, this, &TwainProcess::onReadyRead);
    connect(this, &QProcess::errorOccurred, this, &TwainProcess::onError);
}

// Only processes die here: whoever takes the pages may be half gone already.
TwainProcess::~TwainProcess()
{
    disconnect(this, nullptr, this, nullptr);
    for (TProcessConv2pdf *conversion : std::as_const(batches)) {
        conversion->disconnect();
        if (conversion->state() != QProcess::NotRunning) {
            conversion->kill();
            conversion->waitForFinished(ToolRunner::timeoutMs);
        }
        delete conversion;
    }
    if (state() != QProcess::NotRunning) {
        kill();
        waitForFinished(ToolRunner::timeoutMs);
    }
}

void TwainProcess::scan(int sourceId, int firstNumber, QWidget *window)
{
    const QStringList arguments = {QString::number(sourceId), AppPaths::fromToolDir(folder),
        QString::number(firstNumber), QString::number(Platform::nativeWindowHandle(window))};
    prepareScanProgram(*this);
    start(scanProgram(), arguments, QIODevice::ReadWrite);
}

void TwainProcess::abort()
{
    aborted = true;
    kill();
    waitForFinished(ToolRunner::timeoutMs);
}

void TwainProcess::onReadyRead()
{
    startConversion(reader.feed(readAllStandardOutput()));
}

void TwainProcess::twainFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    QStringList names = reader.feed(readAllStandardOutput());
    names << reader.finish();
    startConversion(names);
    if (!aborted && (exitStatus != QProcess::NormalExit || exitCode != 0)) {
        const QString reason = QString::fromLocal8Bit(readAllStandardError()).trimmed();
        emit problem(
            reason.isEmpty() ? QStringLiteral("Skeniranje se ni koncalo pravilno.") : reason);
    }
    emit programEnded();
}

void TwainProcess::onError(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return;
    emit problem(
        QStringLiteral("Programa za skeniranje ni mogoce zagnati (%1).").arg(scanProgram()));
    emit programEnded();
}

void TwainProcess::startConversion(const QStringList &names)
{
    if (names.isEmpty())
        return;
    emit pagesNamed(int(names.size()));
    // Its place in the queue comes first: a converter that cannot start reports at once.
    waiting.append(std::nullopt);
    batches << new TProcessConv2pdf(folder, names, this);
}

void TwainProcess::conversionEnded(
    TProcessConv2pdf *conversion, const QStringList &pdfPaths, bool complete)
{
    qsizetype index = batches.indexOf(conversion);
    if (index < 0)
        index = batches.size();
    waiting[index - takenBatches] = pdfPaths;
    if (!complete) {
        emit problem(
            QStringLiteral("Nekaterih skeniranih strani ni bilo mogoce pretvoriti v PDF. Slike "
                           "so ostale v mapi %1.")
                .arg(AppPaths::path(folder)));
    }
    emit batchConverted();
}

std::optional<QStringList> TwainProcess::takeConverted()
{
    if (waiting.isEmpty() || !waiting.first())
        return std::nullopt;
    ++takenBatches;
    return waiting.takeFirst();
}

bool TwainProcess::busy() const
{
    return state() != QProcess::NotRunning || !waiting.isEmpty();
}
