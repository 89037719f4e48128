#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One pair of the analyzer's arguments: a PDF and the page to look at ("0" for every page),
// the page as given so that a wrong one is reported with its document.
struct AnalyzerRequest
{
    QString path;
    QString page;
};

// Reads the arguments as pairs of PDF and page. An odd count (or none) gives nothing and a
// message in `error`.
std::optional<std::vector<AnalyzerRequest>> parseAnalyzerArguments(
    const QStringList &arguments, QString *error);
