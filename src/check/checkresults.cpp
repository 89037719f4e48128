#include "checkresults.h"

#include "files/keywords.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

constexpr double minimumResolution = 295;
constexpr int suitableDepth = 24;

QString translated(const char *text)
{
    return QCoreApplication::translate("DialogPreveri", text);
}

CheckLine boldLine(const QString &text)
{
    CheckLine line;
    line.text = text;
    line.bold = true;
    return line;
}

CheckLine plainLine(const QString &text, const QColor &foreground = QColor())
{
    CheckLine line;
    line.text = text;
    line.foreground = foreground;
    return line;
}

QString resolution(double value)
{
    return QString::number(value, 'f', 0);
}

} // namespace

bool CheckLine::operator==(const CheckLine &other) const
{
    return text == other.text && bold == other.bold && italic == other.italic
        && foreground == other.foreground && background == other.background;
}

bool AnalyzedImage::suitable() const
{
    return x >= minimumResolution && y >= minimumResolution && bitsPerPixel == suitableDepth;
}

ToolCommand analyzerCommand(const QVector<AnalyzerDocument> &documents)
{
    ToolCommand command;
    command.folder = QStringLiteral("ImageAnalyzer");
    command.program = QStringLiteral("ImageAnalyzer");
    QStringList pairs;
    for (const AnalyzerDocument &document : documents) {
        const QString page = QString::number(document.page);
        command.arguments << document.path << page;
        pairs << ToolRunner::render(QStringLiteral("\"%1\" %2"), {document.path, page});
    }
    command.commandLine = ToolRunner::render(
        QStringLiteral("ImageAnalyzer.exe %1"), {pairs.join(QLatin1Char(' '))});
    return command;
}

QVector<QVector<AnalyzedImage>> parseAnalyzerOutput(const QByteArray &output)
{
    QStringList parts = QString::fromLatin1(output.trimmed()).split(QLatin1Char('q'));
    parts.removeLast();
    QVector<QVector<AnalyzedImage>> documents;
    for (const QString &part : parts) {
        QVector<AnalyzedImage> images;
        for (const QString &line : part.split(QLatin1Char('\n'))) {
            const QStringList fields = line.trimmed().split(QLatin1Char(';'));
            if (fields.size() == 3)
                images.append(
                    {fields.at(0).toDouble(), fields.at(1).toDouble(), fields.at(2).toInt()});
        }
        documents.append(images);
    }
    return documents;
}

QVector<CheckLine> componentLines(
    const QStringList &missing, const QVector<AttributeProblem> &problems, bool separator)
{
    QVector<CheckLine> lines {boldLine(QStringLiteral("Preverjanje obveznih sestavnih delov:"))};
    if (!missing.isEmpty()) {
        CheckLine heading
            = plainLine(translated("Manjkajoce obvezne vsebine:"), CheckColors::warningText);
        heading.italic = true;
        lines << heading;
        for (const QString &name : missing)
            lines << plainLine(QStringLiteral(" - ") + name);
    }
    if (!problems.isEmpty()) {
        lines << boldLine(QStringLiteral("Preverjanje atributov:"));
        for (const AttributeProblem &problem : problems)
            lines << plainLine(QStringLiteral(" - %1: %2").arg(problem.label, problem.problem),
                CheckColors::missingComponent);
    }
    if (separator)
        lines << plainLine(QStringLiteral("-----------------"));
    return lines;
}

CheckLine resolutionHeading()
{
    return boldLine(translated("Locljivost dokumentov:"));
}

bool hasUnsuitableImage(const QVector<AnalyzedImage> &images)
{
    return std::any_of(images.cbegin(), images.cend(),
        [](const AnalyzedImage &image) { return !image.suitable(); });
}

QVector<CheckLine> documentLines(const QString &name, const QVector<AnalyzedImage> &images)
{
    QVector<CheckLine> lines {
        plainLine(translated("- Dokument: %1. St. vseh slik: %2.").arg(name).arg(images.size()))};
    int unsuitable = 0;
    for (int i = 0; i < images.size(); ++i) {
        const AnalyzedImage &image = images.at(i);
        const bool fails = !image.suitable();
        unsuitable += fails ? 1 : 0;
        lines << plainLine(QStringLiteral(" -> slika %1: rx: %2, ry: %3, bpp: %4")
                               .arg(i + 1)
                               .arg(resolution(image.x), resolution(image.y))
                               .arg(image.bitsPerPixel),
            fails ? CheckColors::warningText : QColor());
    }
    CheckLine &summary = lines.first();
    if (unsuitable > 0) {
        summary.text += QLatin1Char(' ') + translated("St. neustreznih slik: %1").arg(unsuitable);
        summary.background = CheckColors::unsuitableDocument;
    } else if (!images.isEmpty()) {
        summary.text += QLatin1Char(' ') + translated("Vse slike so ustrezne.");
    }
    return lines;
}

CheckLine interruptedLine()
{
    CheckLine line = boldLine(QStringLiteral("PREKINJENO"));
    line.foreground = CheckColors::warningText;
    return line;
}
