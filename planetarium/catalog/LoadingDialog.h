// The start-up loading dialog: loads every texture on the user-interface thread once shown,
// then reads the star catalogue on a worker thread while its progress bar runs from 0 to 11832.
// It is modal and closes only when the loader has finished (not on Escape or a close request).
#pragma once

#include "planetarium/SkyState.h"
#include "planetarium/catalog/StarCatalog.h"

#include <QDialog>
#include <QString>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

class QLabel;
class QProgressBar;
class QCloseEvent;
class QKeyEvent;

class CLoadingDlg : public QDialog {
    Q_OBJECT
public:
    // `loadTextures` runs on the user-interface thread right after the dialog is shown (the
    // caller makes its GL context current inside it). The catalogue is read from
    // `catalogueFile`, by default the data folder's hip.txt.
    CLoadingDlg(nv::SkyCatalog& catalog, std::function<void()> loadTextures, QWidget* parent = nullptr);
    ~CLoadingDlg() override;

    void setCatalogueFile(const std::filesystem::path& file) { m_catalogueFile = file; }
    // Sets the status line ("Loading Texture maps", ...); the texture callback may use it.
    void setStatusText(const QString& text);
    // Moves the progress bar (the texture pass may use it for M1..M110).
    void setProgress(int value);

    // After exec(): whether the star catalogue was read, and the message to show when not.
    bool catalogueLoaded() const { return m_report.ok; }
    bool catalogueMissing() const { return m_finished && !m_report.ok; }
    const nv::StarLoadReport& loadReport() const { return m_report; }
    bool finished() const { return m_finished; }

    QProgressBar* progressBar() const { return m_progress; }
    QLabel* statusLabel() const { return m_status; }

    // Both do nothing until the loader has finished.
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void startLoading();
    void onProgressNotice();
    void onLoadDone();

    nv::SkyCatalog& m_catalog;
    std::function<void()> m_loadTextures;
    std::filesystem::path m_catalogueFile;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    bool m_started = false;
    bool m_finished = false;
    nv::StarLoadReport m_report;
    std::thread m_worker;
    std::shared_ptr<std::atomic<bool>> m_noticePending;
    std::shared_ptr<std::atomic<int>> m_loadProgress = std::make_shared<std::atomic<int>>(0);
};
