#include "platform/AnimationDlg.h"

#include "astro/AnimationStep.h"
#include "astro/TextFields.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CAnimationDlg::CAnimationDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Animation settings");
    setObjectName("CAnimationDlg");

    auto* group = new QGroupBox("Set animation speed", this);
    auto* grid = new QGridLayout(group);
    m_countList = new QListWidget(group);
    m_countList->setObjectName("countList");
    m_countList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_countList->setSortingEnabled(false);
    m_unitList = new QListWidget(group);
    m_unitList->setObjectName("unitList");
    m_unitList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_unitList->setSortingEnabled(false);
    const int rowHeight = m_countList->fontMetrics().height() + 4;
    m_countList->setFixedSize(70, rowHeight * 5);
    m_unitList->setFixedSize(90, rowHeight * 5);
    grid->addWidget(new QLabel("Move forward.", group), 0, 0);
    grid->addWidget(m_countList, 1, 0);
    grid->addWidget(m_unitList, 1, 1);
    grid->addWidget(new QLabel("Each frame.", group), 1, 2, Qt::AlignTop);

    m_play = new QPushButton("Play", this);
    m_play->setObjectName("playButton");
    m_play->setDefault(true);
    m_cancel = new QPushButton("Cancel", this);
    m_cancel->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_play);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    connect(m_play, &QPushButton::clicked, this, &CAnimationDlg::OnPlay);
    connect(m_cancel, &QPushButton::clicked, this, &CAnimationDlg::OnCancel);
    OnInitDialog();
}

void CAnimationDlg::OnInitDialog() {
    m_played = 0;
    m_countList->clear();
    for (const char* text : astro::kAnimCountTexts) m_countList->addItem(QString::fromLatin1(text));
    m_countList->setCurrentRow(astro::kAnimCountDefaultIndex);
    m_unitList->clear();
    for (const char* text : astro::kAnimUnitTexts) m_unitList->addItem(QString::fromLatin1(text));
    m_unitList->setCurrentRow(astro::kAnimUnitDefaultIndex);
}

void CAnimationDlg::showEvent(QShowEvent* event) {
    m_ending = false;
    QDialog::showEvent(event);
}

void CAnimationDlg::OnPlay() {
    m_played = 1;
    const QListWidgetItem* unit = m_unitList->currentItem();
    if (unit && unit->isSelected()) {
        const int u = astro::AnimUnitFromText(unit->text().toStdString());
        if (u != 0) m_unit = u;
    }
    const QListWidgetItem* count = m_countList->currentItem();
    if (count && count->isSelected()) {
        // The list holds no 0; a count that reads as 0 keeps the previous one.
        const int c = nv::text::ToInt(count->text().toStdString());
        if (c != 0) m_count = c;
    }
    m_ending = true;
    QDialog::reject();
}

void CAnimationDlg::OnCancel() {
    m_played = 0;
    m_ending = true;
    QDialog::reject();
}

void CAnimationDlg::reject() {
    // Escape or the close box: the same as "Cancel".
    if (!m_ending) m_played = 0;
    m_ending = false;
    QDialog::reject();
}
