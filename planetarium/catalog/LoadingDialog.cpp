#include "planetarium/catalog/LoadingDialog.h"

#include "platform/DataDir.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QRadialGradient>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The dialog's picture, 256 x 192: Saturn in a starry sky under the program's title.
QPixmap LoadingPicture() {
    QPixmap pixmap(256, 192);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 192);
    sky.setColorAt(0.0, QColor(2, 4, 20));
    sky.setColorAt(1.0, QColor(12, 22, 60));
    p.fillRect(pixmap.rect(), sky);

    // A fixed scatter of background stars.
    unsigned seed = 12345u;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int i = 0; i < 90; ++i) {
        const int x = static_cast<int>(next() % 256), y = static_cast<int>(next() % 192);
        const int b = 120 + static_cast<int>(next() % 136);
        p.setPen(QColor(b, b, std::min(255, b + 30)));
        p.drawPoint(x, y);
    }

    const QPointF centre(128, 112);
    // Back half of the ring, the planet, then the front half over it.
    QPen ringPen(QColor(214, 196, 150), 7);
    p.setPen(ringPen);
    p.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - 78, centre.y() - 20, 156, 40);
    p.drawArc(ring, 0, 180 * 16);
    QRadialGradient body(centre - QPointF(12, 12), 48);
    body.setColorAt(0.0, QColor(250, 228, 170));
    body.setColorAt(1.0, QColor(170, 130, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(centre, 40, 36);
    p.setPen(QPen(QColor(190, 150, 95, 160), 3));
    p.drawLine(QPointF(centre.x() - 36, centre.y() - 12), QPointF(centre.x() + 36, centre.y() - 12));
    p.drawLine(QPointF(centre.x() - 39, centre.y() + 6), QPointF(centre.x() + 39, centre.y() + 6));
    p.setPen(ringPen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(ring, 180 * 16, 180 * 16);

    QFont title = p.font();
    title.setPixelSize(24);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(235, 240, 255));
    p.drawText(QRect(0, 8, 256, 34), Qt::AlignCenter, QStringLiteral("NightvaneGL"));
    return pixmap;
}

} // namespace

CLoadingDlg::CLoadingDlg(nv::SkyCatalog& catalog, std::function<void()> loadTextures, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_catalog(catalog),
      m_loadTextures(std::move(loadTextures)), m_catalogueFile(platform::DataFile("hip.txt")),
      m_noticePending(std::make_shared<std::atomic<bool>>(false)) {
    setWindowTitle(QStringLiteral("Loading NightvaneGL v1.0"));
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setPixmap(LoadingPicture());
    picture->setFixedSize(256, 192);
    m_status = new QLabel(QStringLiteral("Loading."), this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setAlignment(Qt::AlignCenter);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    setFixedSize(sizeHint());
}

CLoadingDlg::~CLoadingDlg() {
    if (m_worker.joinable()) m_worker.join();
}

void CLoadingDlg::setStatusText(const QString& text) {
    m_status->setText(text);
}

void CLoadingDlg::setProgress(int value) {
    m_progress->setValue(value);
}

void CLoadingDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        // Let the window appear before the texture pass takes the user-interface thread.
        QTimer::singleShot(0, this, &CLoadingDlg::startLoading);
    }
}

void CLoadingDlg::startLoading() {
    setStatusText(QStringLiteral("Loading Texture maps"));
    if (m_loadTextures) m_loadTextures();

    m_progress->setRange(0, nv::kLoadProgressEnd);
    m_progress->setValue(0);
    setStatusText(QStringLiteral("Loading Star data"));
    m_loadProgress->store(0, std::memory_order_relaxed);

    // Progress notices are coalesced: at most one is queued at a time, and its handler reads
    // the newest value. The completion is queued once, after the last table write.
    auto pending = m_noticePending;
    auto progressValue = m_loadProgress;
    m_worker = std::thread([this, pending, progressValue, file = m_catalogueFile] {
        nv::StarLoadReport report;
        try {
            report = nv::LoadStarData(m_catalog, file, [this, pending, progressValue](int value) {
                progressValue->store(value, std::memory_order_relaxed);
                if (!pending->exchange(true))
                    QMetaObject::invokeMethod(
                        this, [this] { onProgressNotice(); }, Qt::QueuedConnection);
            });
        } catch (const std::exception& e) { // the completion must arrive whatever happened
            report.ok = false;
            report.message = std::string("The star catalogue could not be loaded: ") + e.what();
        }
        QMetaObject::invokeMethod(
            this,
            [this, report = std::move(report)] {
                m_report = report;
                onLoadDone();
            },
            Qt::QueuedConnection);
    });
}

void CLoadingDlg::onProgressNotice() {
    m_noticePending->store(false);
    m_progress->setValue(m_loadProgress->load(std::memory_order_relaxed));
}

void CLoadingDlg::onLoadDone() {
    if (m_worker.joinable()) m_worker.join();
    m_progress->setValue(m_loadProgress->load(std::memory_order_relaxed));
    m_finished = true;
    QDialog::done(QDialog::Rejected);
}

void CLoadingDlg::keyPressEvent(QKeyEvent* event) {
    // No key ends the loading early (Escape would otherwise cancel the dialog).
    event->accept();
}

void CLoadingDlg::closeEvent(QCloseEvent* event) {
    if (m_finished)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void CLoadingDlg::reject() {
    if (m_finished) QDialog::reject();
}

void CLoadingDlg::done(int result) {
    if (m_finished) QDialog::done(result);
}
