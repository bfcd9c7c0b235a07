#include "orbitviewer/AboutDlg.h"

#include "resources/Icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessmoor {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(QStringLiteral("About Wanderocs"));
    auto* icon = new QLabel(this);
    icon->setPixmap(nv::res::CommandIcon(nv::res::IconId::Orbits).pixmap(QSize(32, 32)));
    auto* version = new QLabel(QStringLiteral("Wanderocs Version 1.0"), this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addWidget(version, 1);
    top->addWidget(m_ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
}

} // namespace tessmoor
