#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class ElaboratContext;
class TTreeBookmark;
class TTreeElaborat;
class TTreeSestavina;
class TTreeWidget;
class TwainProcess;

// One scan into an elaborat of the view: the scanning program writes the pages into the
// elaborat's work folder, and every converted batch is placed, with the default type of the
// component (or of the bookmark), under the component the scan was started on. The elaborat
// counts as being scanned until the program has ended and every batch is placed; then the scan
// deletes itself.
class ScanIntake : public QObject
{
    Q_OBJECT
public:
    // Starts the scan at once; the view's context must be set. Component and bookmark may be
    // none; none of them is owned.
    ScanIntake(int sourceId, TTreeElaborat *elaborat, TTreeSestavina *component,
        TTreeBookmark *bookmark, TTreeWidget &view);

    TwainProcess *process() const { return twain; }

private:
    void warnLater(const QString &text);
    void countPages(int count);
    void placeWaiting();
    void place(const QStringList &pdfPaths);
    void settle();
    bool elaboratBusyElsewhere() const;
    TTreeElaborat *liveElaborat() const;
    TTreeSestavina *liveComponent() const;
    TTreeBookmark *liveBookmark() const;

    TTreeWidget &view;
    ElaboratContext &context;
    TTreeElaborat *elaborat;
    TTreeSestavina *component;
    TTreeBookmark *bookmark;
    QString folder; // the elaborat's work folder, as AppPaths::programRelative() gives it
    TwainProcess *twain;
    QHash<QString, TTreeBookmark *> bookmarks; // the bookmark each code got from this scan
};
