// The picture of a frame saved as BMP or PNG and printed (Copy and the wiring: the window's test). A
// small OpenGL view draws a known pattern, so every expected pixel is typed here.
#include "ModalDriver.h"
#include "imaging/PictureCommands.h"
#include "platform/FileDialog.h"
#include "platform/GlContextProbe.h"
#include "platform/MessageBox.h"

#include <GL/gl.h>
#include <QOpenGLWidget>
#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>

namespace {

using Boxes = std::vector<std::pair<QString, QString>>;

// 101 x 51 pixels: 303 bytes of pixels a row, padded to 304 in a BMP.
constexpr int kW = 101, kH = 51;
const QRgb kSky = qRgb(51, 102, 153); // cleared as (0.2, 0.4, 0.6) with alpha 0.5

QRgb Expected(int x, int y) { // y counted from the top: red top left 10 x 10, green bottom right 10 x 8
    if (x < 10 && y < 10) return qRgb(255, 0, 0);
    return x >= kW - 10 && y >= kH - 8 ? qRgb(0, 255, 0) : kSky;
}

// Draws the pattern (OpenGL counts rows from the bottom), alpha left below 1 throughout.
class PatternView : public QOpenGLWidget {
public:
    int paints = 0;

protected:
    void paintGL() override {
        ++paints;
        const float clears[3][8] = {{0, 0, kW, kH, 0.2f, 0.4f, 0.6f, 0.5f},
                                    {0, kH - 10, 10, 10, 1, 0, 0, 0.25f},
                                    {kW - 10, 0, 10, 8, 0, 1, 0, 0}};
        glEnable(GL_SCISSOR_TEST);
        for (const float* c : clears) {
            glScissor(GLint(c[0]), GLint(c[1]), GLsizei(c[2]), GLsizei(c[3]));
            glClearColor(c[4], c[5], c[6], c[7]);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        glDisable(GL_SCISSOR_TEST);
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

// The little-endian field of `n` bytes at `at`.
quint32 Field(const QByteArray& b, int at, int n = 4) {
    quint32 v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | quint8(b[at + i]);
    return v;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteOld(const QString& path) {
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("an older picture") > 0);
}

using namespace nvtest;

} // namespace

class PictureTest : public QObject {
    Q_OBJECT
    PatternView* m_view = nullptr;
    QWidget m_window;
    imaging::Picture m_picture;

    // Saves the pattern with the save dialog answering `answer` ("" for Cancel); the boxes shown.
    Boxes Save(const QString& answer, QString& last, imaging::SaveOutcome expected) {
        SaveAnswer dialog(answer);
        platform::MessageBoxRecorder boxes;
        const imaging::SaveOutcome outcome = imaging::SavePicture(&m_window, m_picture, last);
        return outcome == expected && dialog.asked == 1 ? boxes.boxes() : Boxes{{"unexpected outcome", ""}};
    }

private slots:
    void initTestCase() {
        QApplication::setApplicationDisplayName("NightvaneGl");
        m_view = new PatternView;
        m_view->setParent(&m_window);
        m_view->setFixedSize(kW, kH);
        m_window.resize(200, 120);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
        QCOMPARE(m_view->devicePixelRatioF(), 1.0);
        m_picture = imaging::CaptureView(*m_view);
    }

    // Fault: a stale buffer, rows upside down, alpha kept or colours swapped in the captured frame;
    // a wrong BMP header field, rows top-down or unpadded, "saved" before the file is in place, or
    // a ".png" name written as BMP. At an odd width: every header field and every pixel.
    void savingWritesTheFrameAsDrawnOrSaysWhyNot() {
        const int paints = m_view->paints;
        const imaging::Picture picture = imaging::CaptureView(*m_view);
        QVERIFY(m_view->paints > paints);
        QCOMPARE(picture.image().format(), QImage::Format_RGB32);
        QCOMPARE(Mismatches(picture.image()), 0);

        QTemporaryDir dir;
        QString last;
        QVERIFY(Save(dir.filePath("sky.bmp"), last, imaging::SaveOutcome::Saved) ==
                Boxes({{"saved", "NightvaneGl"}}));
        QCOMPARE(last, dir.filePath("sky.bmp"));
        const QByteArray b = ReadAll(last);
        const int image = 304 * kH; // 303 bytes of pixels a row, padded
        QCOMPARE(b.size(), 54 + image);
        QCOMPARE(b.left(2), QByteArray("BM"));
        // bfSize, reserved 1 and 2, bfOffBits, biSize, biWidth, biHeight (positive: bottom-up),
        // planes, bit count, compression, biSizeImage
        const std::vector<quint32> header = {Field(b, 2),     Field(b, 6, 2), Field(b, 8, 2), Field(b, 10),
                                             Field(b, 14),    Field(b, 18),   Field(b, 22),   Field(b, 26, 2),
                                             Field(b, 28, 2), Field(b, 30),   Field(b, 34)};
        QVERIFY(header ==
                (std::vector<quint32>{quint32(54 + image), 0, 0, 54, 40, kW, kH, 1, 24, 0, quint32(image)}));
        QCOMPARE(Mismatches(QImage(last, "bmp")), 0); // decoded by the toolkit's own reader

        QCOMPARE(Save(dir.filePath("sky.PNG"), last, imaging::SaveOutcome::Saved).size(), size_t(1));
        QVERIFY(ReadAll(last).startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(Mismatches(QImage(last, "png")), 0);

        // Fault: Cancel writing or showing something or forgetting the last name; "saved" shown for
        // a file that was not written, or a failure without the path.
        WriteOld(dir.filePath("plain"));
        last = dir.filePath("kept.bmp");
        QVERIFY(Save("", last, imaging::SaveOutcome::Cancelled).empty());
        QCOMPARE(last, dir.filePath("kept.bmp"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase),
                 QStringList({"plain", "sky.bmp", "sky.PNG"}));
        QStringList targets = {dir.filePath("missing/sky.bmp"), dir.filePath("plain/sky.bmp")};
        QDir(dir.path()).mkdir("locked");
        QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
        if (!QFile(dir.filePath("locked/probe")).open(QIODevice::WriteOnly)) // not as root
            targets << dir.filePath("locked/sky.png");
        for (const QString& target : targets) {
            const Boxes boxes = Save(target, last, imaging::SaveOutcome::Failed);
            QVERIFY2(last == target && boxes.size() == 1 && !QFile::exists(target), qPrintable(target));
            QVERIFY2(boxes[0].first.contains(target) && boxes[0].first.contains("not saved"),
                     qPrintable(boxes[0].first));
        }
        QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Fault: the real dialog not opening on the last name (its folder, its file type), replacing a
    // file without asking, or not replacing it whole: "No" keeps the dialog open, "Yes" replaces.
    void saveDialogOffersTheLastNameAndAsksBeforeReplacing() {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.png");
        WriteOld(path);
        QStringList offered;
        QDir folder;
        auto choose = [&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (dialog == nullptr) return false;
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            offered << name->text() + " " + dialog->selectedNameFilter();
            folder = offered.size() == 1 ? dialog->directory() : folder;
            name->setText(path); // typed by the user
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            return true;
        };
        auto answer = [](QMessageBox::StandardButton button) {
            return [button](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                return box && box->button(button) && (box->button(button)->click(), true);
            };
        };
        ModalDriver driver({choose, answer(QMessageBox::No), choose, answer(QMessageBox::Yes)});
        platform::MessageBoxRecorder boxes;
        QString last = dir.filePath("orion.png");
        QCOMPARE(imaging::SavePicture(&m_window, m_picture, last), imaging::SaveOutcome::Saved);
        QVERIFY(driver.finished());
        QCOMPARE(offered.value(0), QString("orion.png PNG pictures (*.png)"));
        QCOMPARE(folder, QDir(dir.path()));
        QCOMPARE(QFileInfo(last), QFileInfo(path));
        QCOMPARE(Mismatches(QImage(path, "png")), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.png"});
        QCOMPARE(boxes.boxes().size(), size_t(1));
    }

    // Fault: the page's resolutions ignored or swapped, a tall picture running off the page, the
    // picture not filling its rectangle, or a PDF of more than one page, not across the page's width
    // and half as high (2:1, equal resolutions), or holding a scaled-down copy of the picture.
    void printingFollowsThePageRuleOrSaysWhyNot() {
        QImage source(200, 100, QImage::Format_RGB32);
        source.fill(kSky);
        const imaging::Picture picture = imaging::Picture::FromImage(source);
        // 300 by 600 dpi on a 400 x 300 page: 400 x 400 at full width, so made smaller to fit.
        QImage page(400, 300, QImage::Format_RGB32);
        page.fill(Qt::white);
        page.setDotsPerMeterX(11811);
        page.setDotsPerMeterY(23622);
        QPainter painter(&page);
        const QRect drawn = imaging::PaintPictureOnPage(painter, picture);
        painter.end();
        QCOMPARE(drawn, QRect(0, 0, 300, 300));
        int bad = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                bad += page.pixel(x, y) != (drawn.contains(x, y) ? kSky : qRgb(255, 255, 255));
        QCOMPARE(bad, 0);

        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(600);
        printer.setOutputFileName(dir.filePath("sky.pdf"));
        QCOMPARE(imaging::PrintPictureOn(printer, picture),
                 QRect(0, 0, printer.width(), printer.width() / 2));
        const QByteArray pdf = ReadAll(dir.filePath("sky.pdf"));
        QVERIFY(pdf.startsWith("%PDF") && pdf.contains("/Width 200") && pdf.contains("/Height 100"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page>") + pdf.count("/Type /Page "), 1);

        // Fault: Cancel in the print dialog still printing, one window with two printers' settings,
        // or a printer that cannot start (nothing drawn) failing without a word.
        QPrinter& shared = imaging::PrinterFor(m_view);
        QCOMPARE(&shared, &imaging::PrinterFor(&m_window));
        shared.setOutputFormat(QPrinter::PdfFormat);
        shared.setOutputFileName(dir.filePath("printed.pdf"));
        {
            ModalDriver driver({Answer<QPrintDialog>(false)});
            QVERIFY(!imaging::PrintPicture(m_view, m_picture));
            QVERIFY(driver.finished() && !QFile::exists(dir.filePath("printed.pdf")));
        }
        shared.setOutputFileName(dir.filePath("missing/printed.pdf")); // accepted past the dialog's checks
        ModalDriver driver({[](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            return dialog && (dialog->done(QDialog::Accepted), true);
        }});
        platform::MessageBoxRecorder boxes;
        QVERIFY(!imaging::PrintPicture(m_view, m_picture));
        QCOMPARE(boxes.boxes().size(), size_t(1));
        QVERIFY(boxes.boxes()[0].first.startsWith("The picture was not printed: the file " +
                                                  dir.filePath("missing/printed.pdf")));
    }
};

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());
    QApplication app(argc, argv);
    PictureTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "PictureTest.moc"
