#include "platform/StatusBarPanes.h"

#include <QLabel>
#include <QStatusBar>

namespace platform {

void AddLockIndicators(QStatusBar* status) {
    for (const char* pane : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(pane), status);
        label->setEnabled(false);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        status->addPermanentWidget(label);
    }
}

} // namespace platform
