// The start-up loading dialog: modal, not closable before the loader is done, closes on
// completion with a full progress bar, and reports a missing catalogue.
#include "planetarium/catalog/LoadingDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace fs = std::filesystem;

class LoadingDialogTest : public QObject {
    Q_OBJECT
    fs::path m_dir;

private slots:
    void initTestCase() {
        m_dir = fs::temp_directory_path() / ("nv_loading_" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "hip.txt") << "32349,-0.18748,0.28766,-0.93920,101.28,-16.71,-2.048,A1V\n"
                                            "200000,0,1,0,0,0,9.0,K0\n";
    }
    void cleanupTestCase() { fs::remove_all(m_dir); }

    void modalUntilLoadedThenCloses() {
        auto catalog = std::make_unique<nv::SkyCatalog>();
        bool texturesLoaded = false;
        bool stayedOpen = false;
        CLoadingDlg* dlgPtr = nullptr;
        CLoadingDlg dlg(*catalog, [&] {
            // The window is up and modal while textures load; nothing the user does closes it.
            texturesLoaded = dlgPtr->isVisible() && QApplication::activeModalWidget() == dlgPtr &&
                             dlgPtr->statusLabel()->text() == "Loading Texture maps";
            QTest::keyClick(dlgPtr, Qt::Key_Escape);
            dlgPtr->close();
            dlgPtr->reject();
            QCoreApplication::processEvents();
            stayedOpen = dlgPtr->isVisible() && !dlgPtr->finished();
        });
        dlgPtr = &dlg;
        dlg.setCatalogueFile(m_dir / "hip.txt");
        QCOMPARE(dlg.windowTitle(), QString("Loading NightvaneGL v1.0"));
        QCOMPARE(dlg.statusLabel()->text(), QString("Loading."));
        dlg.exec();
        QVERIFY(texturesLoaded);
        QVERIFY(stayedOpen);
        QVERIFY(dlg.finished());
        QVERIFY(dlg.catalogueLoaded());
        QVERIFY(!dlg.catalogueMissing());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.statusLabel()->text(), QString("Loading Star data"));
        QCOMPARE(dlg.progressBar()->maximum(), 11832);
        QCOMPARE(dlg.progressBar()->value(), 11832);
        QCOMPARE(catalog->m_stars[32349].magnitude, -2.048f + 0.608f);
        QCOMPARE(catalog->m_stars[118321].spectralClass, 5.0f);
        QVERIFY(catalog->m_messierCentre[0].z != 0.0f); // Messier table written before the close
    }

    void escapeWhileStarsLoadDoesNotClose() {
        // A full-size catalogue, so the worker runs while the user keeps pressing Escape.
        const fs::path big = m_dir / "big.txt";
        {
            std::ofstream out(big);
            for (int hip = 1; hip <= nv::kCatalogueLines; ++hip)
                out << hip << ",0.5,-0.5,0.70710678,1.0,2.0," << (hip % 13) << ".25,K0III\n";
        }
        auto catalog = std::make_unique<nv::SkyCatalog>();
        CLoadingDlg dlg(*catalog, {});
        dlg.setCatalogueFile(big);
        int pressesWhileLoading = 0;
        QTimer spam;
        QObject::connect(&spam, &QTimer::timeout, [&] {
            if (!dlg.isVisible() || dlg.finished()) return;
            if (dlg.statusLabel()->text() == "Loading Star data") ++pressesWhileLoading;
            QTest::keyClick(&dlg, Qt::Key_Escape);
            dlg.close();
        });
        spam.start(0);
        dlg.exec();
        spam.stop();
        QVERIFY(dlg.finished());
        QVERIFY(dlg.catalogueLoaded());
        QCOMPARE(dlg.loadReport().linesStored, nv::kCatalogueLines);
        QCOMPARE(dlg.progressBar()->value(), 11832);
        QCOMPARE(catalog->m_stars[118321].magnitude, 8.25f + 0.608f); // 118321 % 13 = 8
        qInfo("Escape pressed %d times during the star loading", pressesWhileLoading);
    }

    void missingCatalogueStillCloses() {
        auto catalog = std::make_unique<nv::SkyCatalog>();
        CLoadingDlg dlg(*catalog, {});
        dlg.setCatalogueFile(m_dir / "absent" / "hip.txt");
        dlg.exec();
        QVERIFY(dlg.finished());
        QVERIFY(dlg.catalogueMissing());
        QVERIFY(dlg.loadReport().message.find("hip.txt") != std::string::npos);
        QCOMPARE(dlg.progressBar()->value(), 11832);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    LoadingDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LoadingDialogTest.moc"
