#include "dialogabout.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

DialogAbout::DialogAbout(const QString &version, QWidget *parent)
    : QDialog(parent)
{
    // The resources live in the static core library, which the linker would otherwise drop.
    Q_INIT_RESOURCE(resources);
    setObjectName(QStringLiteral("DialogAbout"));
    setWindowTitle(QStringLiteral("O programu"));
    resize(320, 118);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("label"));
    logo->setPixmap(QPixmap(QStringLiteral(":/pics/orvat.png/kelmora.png")));
    logo->setAlignment(Qt::AlignCenter);

    auto *name = new QLabel(QStringLiteral("  Tevora"), this);
    name->setObjectName(QStringLiteral("label_2"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    name->setAlignment(Qt::AlignCenter);

    auto *versionLabel = new QLabel(version, this);
    versionLabel->setObjectName(QStringLiteral("l_verzija"));
    versionLabel->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(logo);
    layout->addWidget(name);
    layout->addWidget(versionLabel);
}
