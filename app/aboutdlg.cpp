// The About box: built in code, closed with its only button.
#include "aboutdlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "appicons.h"

#ifndef TOURVANE_VERSION
#define TOURVANE_VERSION "1.0"
#endif

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About Tourvane32"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(app::programIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QStringLiteral("Tourvane32 Version %1").arg(QStringLiteral(TOURVANE_VERSION)), this);
    name->setObjectName(QStringLiteral("versionLabel"));
    auto* what = new QLabel(tr("A workbench for the Hamiltonian cycle problem:\n"
                               "it keeps all nodes in one cyclic order and improves\n"
                               "that order until every neighbour pair is an edge."), this);
    auto* built = new QLabel(tr("Built with Qt %1").arg(QString::fromLatin1(QT_VERSION_STR)), this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(what);
    texts->addWidget(built);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(buttons);
    setSizeGripEnabled(false);
}
