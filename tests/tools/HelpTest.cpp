// The help pages as built into the data folder, and opening them (help mode is driven through the
// real window in the application's tests).
#include "planetarium/tools/Help.h"
#include "platform/DataDir.h"
#include "platform/MessageBox.h"
#include "platform/UrlOpener.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace nv::tools;

namespace {

QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QDir Folder() {
    return QDir(QString::fromStdString(HelpFolder().string()));
}

// Every value of the attribute `name` ("href", "src", "id") in a page.
QStringList Attributes(const QString& page, const QString& name) {
    QStringList out;
    const QRegularExpression re(QStringLiteral("\\b%1=\"([^\"]*)\"").arg(name));
    for (auto it = re.globalMatch(page); it.hasNext();) out << it.next().captured(1);
    return out;
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!Folder().exists("index.htm")) QSKIP("the data folder's help pages are not built");
    }

    // From the index every page is reached; every link, anchor and picture resolves inside the
    // help folder.
    void everyLinkAndPictureResolves() {
        const QDir folder = Folder();
        QStringList pages = folder.entryList({"*.htm"}, QDir::Files, QDir::Name);
        QVERIFY(pages.size() >= 9);
        QHash<QString, QSet<QString>> ids;
        for (const QString& page : pages) {
            const QString text = Read(folder.filePath(page));
            for (const QString& id : Attributes(text, "id")) {
                QVERIFY2(!ids[page].contains(id), qPrintable(page + ": id " + id + " twice"));
                ids[page].insert(id);
            }
        }
        QSet<QString> reached = {"index.htm"};
        QStringList queue = {"index.htm"};
        int links = 0, pictures = 0;
        while (!queue.isEmpty()) {
            const QString page = queue.takeFirst();
            const QString text = Read(folder.filePath(page));
            for (const QString& src : Attributes(text, "src")) {
                ++pictures;
                QVERIFY2(!QImage(folder.filePath(src)).isNull(), qPrintable(page + ": picture " + src));
            }
            for (const QString& href : Attributes(text, "href")) {
                ++links;
                QVERIFY2(!href.contains("://") && !href.startsWith("mailto:"), qPrintable(href));
                const QString target = href.section('#', 0, 0).isEmpty() ? page : href.section('#', 0, 0);
                const QString anchor = href.section('#', 1);
                QVERIFY2(!target.contains("..") && folder.exists(target), qPrintable(page + ": " + href));
                if (!anchor.isEmpty())
                    QVERIFY2(ids[target].contains(anchor), qPrintable(page + ": no anchor " + href));
                if (target.endsWith(".htm") && !reached.contains(target)) {
                    reached.insert(target);
                    queue << target;
                }
            }
        }
        QCOMPARE(QSet<QString>(pages.begin(), pages.end()), reached);
        QVERIFY(links > 50 && pictures >= 2);
    }

    // Each command's topic is one anchor in one page; ids without a page go to the index.
    void commandTopics() {
        QCOMPARE(HelpTopicFor(57604), QString("menus.htm#cmd-57604"));
        QCOMPARE(HelpTopicFor(57603), QString("window.htm#cmd-57603"));
        QCOMPARE(HelpTopicFor(57669), QString("mouse-keys.htm#cmd-57669"));
        QCOMPARE(HelpTopicFor(4242), QString("index.htm"));
        int anchors = 0;
        QSet<QString> seen;
        for (const QString& page : Folder().entryList({"*.htm"}, QDir::Files)) {
            for (const QString& id : Attributes(Read(Folder().filePath(page)), "id")) {
                if (!id.startsWith("cmd-")) continue;
                ++anchors;
                QVERIFY2(!seen.contains(id), qPrintable(id + " in two pages"));
                seen.insert(id);
            }
        }
        QVERIFY(anchors > 60);
    }

    // The page opens through the URL opener; a missing page or no browser gives a message that
    // says why, and nothing reports success.
    void openingAPageOrSayingWhyNot() {
        const QString index = Folder().filePath("index.htm");
        {
            platform::UrlOpenerRecorder urls;
            platform::MessageBoxRecorder boxes;
            QVERIFY(OpenHelpPage(nullptr, "menus.htm#cmd-57607"));
            QVERIFY(OpenHelpIndex(nullptr));
            QVERIFY(boxes.boxes().empty());
            QUrl menus = QUrl::fromLocalFile(Folder().filePath("menus.htm"));
            menus.setFragment("cmd-57607");
            QVERIFY(urls.urls() == (std::vector<QUrl>{menus, QUrl::fromLocalFile(index)}));
        }
        {
            platform::UrlOpenerRecorder noBrowser(false);
            platform::MessageBoxRecorder boxes;
            QVERIFY(!OpenHelpIndex(nullptr));
            QCOMPARE(boxes.boxes().size(), size_t(1));
            QVERIFY(boxes.boxes()[0].first.contains("no web browser"));
            QVERIFY(boxes.boxes()[0].first.contains(QDir::toNativeSeparators(index)));
        }
        QTemporaryDir empty;
        const std::filesystem::path before = platform::DataDir();
        platform::SetDataDir(empty.path().toStdString());
        platform::UrlOpenerRecorder urls;
        platform::MessageBoxRecorder boxes;
        QVERIFY(!OpenHelpIndex(nullptr));
        platform::SetDataDir(before);
        QVERIFY(urls.urls().empty());
        QCOMPARE(boxes.boxes().size(), size_t(1));
        QVERIFY(boxes.boxes()[0].first.contains("does not exist"));
        QVERIFY(boxes.boxes()[0].first.contains(QDir::toNativeSeparators(empty.filePath("help/index.htm"))));
    }
};

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"
