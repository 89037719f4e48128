#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class AppSettings;
class Katalog;
class QWidget;
class SifrantDlg;
class TTreeDokument;
struct PostopekDef;
struct WindowSettings;

// What the tree, its items and the commands on elaborates need of the application around them.
// The main window provides it; the tree hands it to whoever acts on an elaborat, so that nothing
// below the application reaches into the window itself.
class ElaboratContext
{
public:
    enum class Picker
    {
        Office,
        Municipality
    };

    virtual ~ElaboratContext() = default;

    // The parent of the dialogs and messages that commands on elaborates show.
    virtual QWidget *dialogParent() = 0;

    virtual const Katalog &katalog() const = 0;
    // The settings as last committed by the settings dialog.
    virtual const AppSettings &settings() const = 0;
    // What the settings file keeps besides the settings: the last folder used among them.
    virtual WindowSettings &windowSettings() = 0;
    // The document-type dialog, shared by every elaborat: it holds the code lists.
    virtual SifrantDlg &typeDialog() = 0;
    // The name the office or municipality list gives the code; empty when it is not listed.
    virtual QString codeName(Picker list, const QString &code) const = 0;

    // Runs the picker of the list; "code name" of the chosen entry, none when cancelled.
    virtual std::optional<QString> pickCode(Picker list) = 0;
    // Runs the procedure add/remove dialog on the elaborat's procedures and the candidates of
    // its kind; the names chosen, none when cancelled.
    virtual std::optional<QStringList> chooseProcedures(
        const QList<const PostopekDef *> &own, const QList<const PostopekDef *> &candidates)
        = 0;

    // Shows the document's file in the preview; false when it cannot be loaded.
    virtual bool showDocument(const TTreeDokument *document) = 0;
    // Lets go of the previewed file, which a build is about to replace.
    virtual void closePreview() = 0;
    // The current elaborat's state changed: the actions that depend on it follow.
    virtual void updateActions() = 0;
};
