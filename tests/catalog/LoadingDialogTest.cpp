// The start-up loading dialog. Catches a dialog that Escape or the close box shuts while the
// loader still runs, one that never closes or stops short of a full bar, a catalogue read past
// its 118321 lines, and a missing catalogue that hangs the start or loses the Messier table.
#include "planetarium/catalog/LoadingDialog.h"

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

class LoadingDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;
    const fs::path m_dir = m_tmp.path().toStdString();

private slots:
    void modalAndDeafToEscapeUntilLoadedThenCloses() {
        // A full-size catalogue (and a line past it), so the worker runs while Escape is pressed.
        {
            std::ofstream out(m_dir / "hip.txt");
            for (int hip = 1; hip <= nv::kCatalogueLines; ++hip)
                out << hip << ",0.5,-0.5,0.70710678,1.0,2.0," << (hip % 13) << ".25,K0III\n";
            out << "55,0,0,1,a,b,1,O\n";
        }
        auto catalog = std::make_unique<nv::SkyCatalog>();
        bool texturesLoaded = false, stayedOpen = false;
        CLoadingDlg* dlgPtr = nullptr;
        CLoadingDlg dlg(*catalog, [&] {
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
        QTimer spam;
        QObject::connect(&spam, &QTimer::timeout, [&] {
            if (!dlg.isVisible() || dlg.finished()) return;
            QTest::keyClick(&dlg, Qt::Key_Escape);
            dlg.close();
        });
        spam.start(0);
        dlg.exec();
        spam.stop();
        QVERIFY(texturesLoaded && stayedOpen);
        QVERIFY(dlg.finished() && dlg.catalogueLoaded() && !dlg.catalogueMissing() && !dlg.isVisible());
        QVERIFY(dlg.statusLabel()->text() == "Loading Star data" &&
                dlg.loadReport().linesStored == nv::kCatalogueLines);
        QVERIFY(dlg.progressBar()->maximum() == 11832 && dlg.progressBar()->value() == 11832);
        QCOMPARE(catalog->m_stars[118321].magnitude, 8.25f + 0.608f); // 118321 % 13 = 8
        QCOMPARE(catalog->m_stars[55].spectralClass, 5.0f);           // line 118322 is never read
        QVERIFY(catalog->m_messierCentre[0].z != 0.0f); // Messier table written before the close
    }

    void missingCatalogueStillCloses() {
        auto catalog = std::make_unique<nv::SkyCatalog>();
        CLoadingDlg dlg(*catalog, {});
        dlg.setCatalogueFile(m_dir / "absent" / "hip.txt"); // the start goes on with the Messier places
        dlg.exec();
        QVERIFY(dlg.finished() && dlg.catalogueMissing() && dlg.progressBar()->value() == 11832);
        QVERIFY(dlg.loadReport().message.find("hip.txt") != std::string::npos);
        QVERIFY(catalog->m_messierCentre[41].z != 0.0f);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    LoadingDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LoadingDialogTest.moc"
