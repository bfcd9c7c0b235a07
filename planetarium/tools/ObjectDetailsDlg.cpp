#include "planetarium/tools/ObjectDetailsDlg.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CObjectDetailsDlg::CObjectDetailsDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Object Details");
    setObjectName("CObjectDetailsDlg");

    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName("detailsEdit");
    m_edit->setReadOnly(true);
    m_edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setMinimumSize(260, 300);

    m_close = new QPushButton("Close", this);
    m_close->setObjectName("closeButton");
    m_close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);

    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void CObjectDetailsDlg::OnInitDialog() {
    // The text's line ends are "\r\n"; the edit breaks lines at "\n".
    QString shown = m_text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_edit->setPlainText(shown);
}

void CObjectDetailsDlg::showEvent(QShowEvent* event) {
    OnInitDialog();
    QDialog::showEvent(event);
}
