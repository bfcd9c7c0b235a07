// The picture of a frame leaving the program: saved as BMP or PNG, copied, printed, previewed. A
// small OpenGL view draws a known pattern, so every expected pixel is typed here, not computed by
// the code under test.
#include "GlTestContext.h"
#include "ModalDriver.h"
#include "imaging/PictureCommands.h"
#include "platform/FileDialog.h"
#include "platform/GlContextProbe.h"
#include "platform/MessageBox.h"

#include <GL/gl.h>
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QOpenGLWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// 101 x 51 pixels: 303 bytes of pixels a row, padded to 304 in a BMP.
constexpr int kW = 101, kH = 51;
const QRgb kSky = qRgb(51, 102, 153); // cleared as (0.2, 0.4, 0.6) with alpha 0.5
const QRgb kRed = qRgb(255, 0, 0);    // the top left 10 x 10 pixels
const QRgb kGreen = qRgb(0, 255, 0);  // the bottom right 10 x 8 pixels

QRgb Expected(int x, int y) { // y counted from the top
    if (x < 10 && y < 10) return kRed;
    if (x >= kW - 10 && y >= kH - 8) return kGreen;
    return kSky;
}

// Fills the bound framebuffer (kW x kH) with the pattern; alpha is left below 1 throughout.
void DrawPattern() {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.2f, 0.4f, 0.6f, 0.5f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, kH - 10, 10, 10); // OpenGL counts rows from the bottom
    glClearColor(1.0f, 0.0f, 0.0f, 0.25f);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(kW - 10, 0, 10, 8);
    glClearColor(0.0f, 1.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

class PatternView : public QOpenGLWidget {
public:
    int paints = 0;

protected:
    void paintGL() override {
        ++paints;
        DrawPattern();
    }
};

// Pixels of `image` that differ from the pattern (0 when equal; -1 for another size).
int Mismatches(const QImage& image) {
    if (image.size() != QSize(kW, kH)) return -1;
    int bad = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) bad += (image.pixel(x, y) & 0xffffff) != (Expected(x, y) & 0xffffff);
    return bad;
}

quint32 U32(const QByteArray& b, int at) {
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16 |
           quint32(quint8(b[at + 3])) << 24;
}
quint32 U16(const QByteArray& b, int at) {
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using nvtest::Answer;
using nvtest::ModalDriver;
using nvtest::SaveAnswer;

} // namespace

class PictureTest : public QObject {
    Q_OBJECT
    PatternView* m_view = nullptr;
    QWidget m_window;
    imaging::Picture m_picture;
    QString m_caption;

private slots:
    void initTestCase() {
        QApplication::setApplicationDisplayName("NightvaneGl");
        m_caption = QApplication::applicationDisplayName();
        m_view = new PatternView;
        m_view->setParent(&m_window);
        m_view->setFixedSize(kW, kH);
        m_window.resize(200, 120);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
        QCOMPARE(m_view->devicePixelRatioF(), 1.0);
        m_picture = imaging::CaptureView(*m_view);
    }

    // The picture is the frame as drawn: same size, same colours, top row first, alpha dropped
    // (the frame's alpha is below 1 everywhere), from a widget and from a bare framebuffer.
    void captureIsTheFrameAsDrawn() {
        const int paints = m_view->paints;
        const imaging::Picture picture = imaging::CaptureView(*m_view);
        QVERIFY(m_view->paints > paints); // drawn afresh, not a stale buffer
        QCOMPARE(picture.image().format(), QImage::Format_RGB32);
        QCOMPARE(Mismatches(picture.image()), 0);

        nvtest::GlTestContext ctx(kW, kH);
        QVERIFY(ctx.ok());
        DrawPattern();
        QCOMPARE(Mismatches(imaging::CaptureFramebuffer(kW, kH).image()), 0);
    }

    // A BMP at an odd width: every header field and every pixel, bottom row first, rows padded.
    void savedBmpHasTheExactLayoutAndPixels() {
        QTemporaryDir dir;
        SaveAnswer answer(dir.filePath("sky.bmp"));
        platform::MessageBoxRecorder boxes;
        QString last;
        QCOMPARE(imaging::SavePicture(&m_window, m_picture, last), imaging::SaveOutcome::Saved);
        QCOMPARE(last, dir.filePath("sky.bmp"));
        QVERIFY(boxes.boxes() == (std::vector<std::pair<QString, QString>>{{"saved", m_caption}}));
        QCOMPARE(answer.request.filters.first(), QString("Bitmap pictures (*.bmp)"));

        const QByteArray b = ReadAll(dir.filePath("sky.bmp"));
        const int stride = 304, image = stride * kH;
        QCOMPARE(b.size(), 54 + image);
        QCOMPARE(b.left(2), QByteArray("BM"));
        const std::vector<quint32> header = {U32(b, 2),  U16(b, 6),  U16(b, 8),  U32(b, 10),
                                             U32(b, 14), U32(b, 18), U32(b, 22), U16(b, 26),
                                             U16(b, 28), U32(b, 30), U32(b, 34)};
        // bfSize, reserved 1 and 2, bfOffBits, biSize, biWidth, biHeight (positive: bottom-up),
        // planes, bit count, compression, biSizeImage
        QVERIFY(header ==
                (std::vector<quint32>{quint32(54 + image), 0, 0, 54, 40, kW, kH, 1, 24, 0, quint32(image)}));
        int bad = 0;
        for (int row = 0; row < kH; ++row) {
            const int y = kH - 1 - row;
            const char* p = b.constData() + 54 + row * stride;
            for (int x = 0; x < kW; ++x) {
                const QRgb e = Expected(x, y);
                bad += quint8(p[3 * x]) != qBlue(e) || quint8(p[3 * x + 1]) != qGreen(e) ||
                       quint8(p[3 * x + 2]) != qRed(e);
            }
            bad += p[303] != 0; // the padding byte
        }
        QCOMPARE(bad, 0);
    }

    void pngNameWritesAPngWithTheSamePixels() {
        QTemporaryDir dir;
        SaveAnswer answer(dir.filePath("sky.PNG"));
        platform::MessageBoxRecorder boxes;
        QString last;
        QCOMPARE(imaging::SavePicture(&m_window, m_picture, last), imaging::SaveOutcome::Saved);
        QVERIFY(ReadAll(last).startsWith("\x89PNG\r\n\x1a\n"));
        QImage back(last, "png");
        QCOMPARE(Mismatches(back), 0);
        QCOMPARE(boxes.boxes().size(), size_t(1));
    }

    // Over an existing file: replaced whole, nothing else left in the folder. Cancel: nothing
    // written, nothing shown, the last name kept.
    void saveReplacesAndCancelWritesNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.bmp");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("an older picture") > 0);
        old.close();
        QString last = "kept";
        {
            SaveAnswer cancel("");
            platform::MessageBoxRecorder boxes;
            QCOMPARE(imaging::SavePicture(&m_window, m_picture, last), imaging::SaveOutcome::Cancelled);
            QVERIFY(cancel.asked == 1 && boxes.boxes().empty());
            QCOMPARE(cancel.request.startPath, QString("kept")); // the last name is offered
            QCOMPARE(last, QString("kept"));
            QCOMPARE(ReadAll(path), QByteArray("an older picture"));
        }
        SaveAnswer answer(path);
        platform::MessageBoxRecorder boxes;
        QCOMPARE(imaging::SavePicture(&m_window, m_picture, last), imaging::SaveOutcome::Saved);
        QCOMPARE(Mismatches(QImage(path, "bmp")), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.bmp"});
    }

    // A folder that cannot take the file: a message with the path and the reason, never "saved".
    void unwritableFolderReportsTheFailure() {
        QTemporaryDir dir;
        QFile notAFolder(dir.filePath("plain"));
        QVERIFY(notAFolder.open(QIODevice::WriteOnly));
        notAFolder.close();
        QStringList targets = {dir.filePath("missing/sky.bmp"), dir.filePath("plain/sky.bmp")};
        QDir(dir.path()).mkdir("locked");
        QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
        QFile probe(dir.filePath("locked/probe"));
        if (!probe.open(QIODevice::WriteOnly)) targets << dir.filePath("locked/sky.png"); // not as root
        for (const QString& target : targets) {
            SaveAnswer answer(target);
            platform::MessageBoxRecorder boxes;
            QString last;
            QCOMPARE(imaging::SavePicture(&m_window, m_picture, last), imaging::SaveOutcome::Failed);
            QCOMPARE(last, target);
            QCOMPARE(boxes.boxes().size(), size_t(1));
            const QString text = boxes.boxes()[0].first;
            QVERIFY2(text.contains(target) && text != "saved" && text.contains("not saved"),
                     qPrintable(text));
            QVERIFY(!QFile::exists(target));
        }
        QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Saving leaves the user's clipboard alone; Copy puts the frame on it.
    void clipboardOnlyChangesOnCopy() {
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText("the user's text");
        QTemporaryDir dir;
        SaveAnswer answer(dir.filePath("sky.bmp"));
        platform::MessageBoxRecorder boxes;
        QString last;
        QCOMPARE(imaging::SavePicture(&m_window, m_picture, last), imaging::SaveOutcome::Saved);
        QCOMPARE(clipboard->text(), QString("the user's text"));

        QVERIFY(!imaging::CopyPicture(imaging::Picture())); // nothing to copy: clipboard kept
        QCOMPARE(clipboard->text(), QString("the user's text"));
        QVERIFY(imaging::CopyPicture(imaging::CaptureView(*m_view)));
        QTRY_COMPARE(Mismatches(clipboard->image()), 0);
    }

    // The real dialog asks before replacing: "No" keeps it open, "Yes" replaces the file.
    void saveDialogAsksBeforeReplacing() {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.bmp");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("an older picture") > 0);
        old.close();
        QFileDialog* fileDialog = nullptr;
        auto choose = [&](QWidget* w) {
            fileDialog = qobject_cast<QFileDialog*>(w);
            if (fileDialog == nullptr) return false;
            fileDialog->findChild<QLineEdit*>("fileNameEdit")->setText(path); // typed by the user
            QMetaObject::invokeMethod(fileDialog, "accept", Qt::QueuedConnection);
            return true;
        };
        auto answer = [](QMessageBox::StandardButton button) {
            return [button](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box == nullptr || box->button(button) == nullptr) return false;
                box->button(button)->click();
                return true;
            };
        };
        ModalDriver driver({choose, answer(QMessageBox::No), choose, answer(QMessageBox::Yes)});
        platform::MessageBoxRecorder boxes;
        QString last;
        QCOMPARE(imaging::SavePicture(&m_window, m_picture, last), imaging::SaveOutcome::Saved);
        QVERIFY(driver.finished());
        QCOMPARE(QFileInfo(last), QFileInfo(path));
        QCOMPARE(Mismatches(QImage(path, "bmp")), 0);
        QCOMPARE(boxes.boxes().size(), size_t(1));
    }

    // The dialog opens on the last name, in its folder, with its file type chosen.
    void saveDialogOffersTheLastName() {
        QTemporaryDir dir;
        QString offered, filter;
        QDir folder;
        ModalDriver driver({[&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (dialog == nullptr) return false;
            offered = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            filter = dialog->selectedNameFilter();
            folder = dialog->directory();
            dialog->reject();
            return true;
        }});
        platform::MessageBoxRecorder boxes;
        QString last = dir.filePath("orion.png");
        QCOMPARE(imaging::SavePicture(&m_window, m_picture, last), imaging::SaveOutcome::Cancelled);
        QVERIFY(driver.finished() && boxes.boxes().empty());
        QCOMPARE(offered, QString("orion.png"));
        QCOMPARE(filter, QString("PNG pictures (*.png)"));
        QCOMPARE(folder, QDir(dir.path()));
        QCOMPARE(last, dir.filePath("orion.png"));
    }

    // The page rule on paper of known size: a 2:1 picture on equal resolutions is half the page
    // width high; with twice the vertical resolution it is the page width high; a picture too tall
    // for the page is made smaller to fit.
    void pagePlacementFollowsTheRule() {
        struct Case {
            int dpmX, dpmY; // dots per metre: 11811 is 300 dpi, 23622 is 600 dpi
            QSize page;
            QRect expected;
        };
        const Case cases[] = {{11811, 11811, {400, 600}, {0, 0, 400, 200}},
                              {11811, 23622, {400, 600}, {0, 0, 400, 400}},
                              {11811, 23622, {400, 300}, {0, 0, 300, 300}}};
        QImage source(200, 100, QImage::Format_RGB32);
        source.fill(kSky);
        for (const Case& c : cases) {
            QImage page(c.page, QImage::Format_RGB32);
            page.fill(Qt::white);
            page.setDotsPerMeterX(c.dpmX);
            page.setDotsPerMeterY(c.dpmY);
            QPainter painter(&page);
            const QRect drawn = imaging::PaintPictureOnPage(painter, imaging::Picture::FromImage(source));
            painter.end();
            QCOMPARE(drawn, c.expected);
            // The picture fills exactly that rectangle; the rest of the page stays white.
            int bad = 0;
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    bad += page.pixel(x, y) != (c.expected.contains(x, y) ? kSky : qRgb(255, 255, 255));
            QCOMPARE(bad, 0);
        }
    }

    // Printing to a PDF file: one page, the picture across the printable width, half as high.
    void printingToPdfGivesOnePage() {
        QTemporaryDir dir;
        QImage source(200, 100, QImage::Format_RGB32);
        source.fill(kSky);
        const imaging::Picture picture = imaging::Picture::FromImage(source);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(600);
        printer.setOutputFileName(dir.filePath("sky.pdf"));
        const QRect drawn = imaging::PrintPictureOn(printer, picture);
        QCOMPARE(printer.logicalDpiX(), printer.logicalDpiY());
        QCOMPARE(drawn, QRect(0, 0, printer.width(), printer.width() / 2));
        const QByteArray pdf = ReadAll(dir.filePath("sky.pdf"));
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page>") + pdf.count("/Type /Page "), 1);
        QVERIFY(pdf.contains("/Width 200") && pdf.contains("/Height 100")); // the picture, unscaled

        printer.setOutputFileName(dir.filePath("missing/sky.pdf"));
        QVERIFY(imaging::PrintPictureOn(printer, picture).isEmpty()); // cannot start: nothing drawn
    }

    // Print through its dialog on the window's one printer: Cancel prints nothing, a printer that
    // cannot start says so. (Preview and Print Setup are driven through the real window.)
    void printDialogUsesTheWindowsPrinter() {
        QTemporaryDir dir;
        QPrinter& printer = imaging::PrinterFor(m_view);
        QCOMPARE(&printer, &imaging::PrinterFor(&m_window));
        QWidget other;
        QVERIFY(&imaging::PrinterFor(&other) != &printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("printed.pdf"));
        {
            ModalDriver driver({Answer<QPrintDialog>(false)});
            QVERIFY(!imaging::PrintPicture(m_view, m_picture));
            QVERIFY(driver.finished() && !QFile::exists(dir.filePath("printed.pdf")));
        }
        {
            ModalDriver driver({Answer<QPrintDialog>(true)});
            QVERIFY(imaging::PrintPicture(m_view, m_picture));
            QVERIFY(driver.finished());
            QVERIFY(ReadAll(dir.filePath("printed.pdf")).startsWith("%PDF"));
        }
        {
            // Accepted without the dialog's own checks: the printer cannot start, and says so.
            printer.setOutputFileName(dir.filePath("missing/printed.pdf"));
            ModalDriver driver({[](QWidget* w) {
                auto* dialog = qobject_cast<QPrintDialog*>(w);
                if (dialog) dialog->done(QDialog::Accepted);
                return dialog != nullptr;
            }});
            platform::MessageBoxRecorder boxes;
            QVERIFY(!imaging::PrintPicture(m_view, m_picture));
            QCOMPARE(boxes.boxes().size(), size_t(1));
            QVERIFY(boxes.boxes()[0].first.startsWith("The picture was not printed: the file"));
            QVERIFY(boxes.boxes()[0].first.contains(dir.filePath("missing/printed.pdf")));
        }
    }
};

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    PictureTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "PictureTest.moc"
