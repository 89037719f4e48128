#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One document of the composer's list: all its pages (page 0) or its 1-based page `page`, each
// turned by `rotation` degrees on top of the page's own rotation.
struct ComposerSource
{
    QString path;
    int page = 0;
    int rotation = 0;
};

// What one run of the composer makes. An empty `keywords`, `outlinePath` or `title` stores
// none.
struct ComposerJob
{
    std::vector<ComposerSource> sources;
    QString output;
    QString keywords;
    QString outlinePath;
    QString title;
};

// Reads the composer's arguments: N triples (path, page, rotation), then the output path, the
// Keywords text (a blank one stores none), the outline file ("." for none) and the title ("."
// for none). Pages are decimal counts and rotations 0, 90, 180 or 270; a wrong count of
// arguments or a wrong number gives nothing and a message in `error`.
std::optional<ComposerJob> parseComposerArguments(const QStringList &arguments, QString *error);
