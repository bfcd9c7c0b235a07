// The help pages as built into the data folder, and opening them.
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

QDir Folder() {
    return QDir(QString::fromStdString(HelpFolder().string()));
}

// Every value of the attribute `name` ("href", "src", "id") in a page of the help folder.
QStringList Attributes(const QString& page, const QString& name) {
    QFile f(Folder().filePath(page));
    const QString text = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    QStringList out;
    const QRegularExpression re(QStringLiteral("\\b%1=\"([^\"]*)\"").arg(name));
    for (auto it = re.globalMatch(text); it.hasNext();) out << it.next().captured(1);
    return out;
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!Folder().exists("index.htm")) QSKIP("the data folder's help pages are not built");
    }

    // Faults: a page no link reaches, a broken link, anchor or picture, a link out of the folder,
    // an id twice in a page or a command's anchor in two pages (Shift+F1 would open the wrong one).
    void everyLinkAndPictureResolves() {
        const QStringList pages = Folder().entryList({"*.htm"}, QDir::Files, QDir::Name);
        QVERIFY(pages.size() >= 9);
        QHash<QString, QSet<QString>> ids;
        QSet<QString> commands;
        for (const QString& page : pages)
            for (const QString& id : Attributes(page, "id")) {
                QVERIFY2(!ids[page].contains(id), qPrintable(page + ": id " + id + " twice"));
                ids[page].insert(id);
                QVERIFY2(!id.startsWith("cmd-") || !commands.contains(id), qPrintable(id + " in two pages"));
                commands.insert(id);
            }
        QSet<QString> reached = {"index.htm"};
        QStringList queue = {"index.htm"};
        int links = 0, pictures = 0;
        while (!queue.isEmpty()) {
            const QString page = queue.takeFirst();
            const QStringList srcs = Attributes(page, "src");
            pictures += srcs.size();
            for (const QString& src : srcs)
                QVERIFY2(!QImage(Folder().filePath(src)).isNull(), qPrintable(page + ": picture " + src));
            for (const QString& href : Attributes(page, "href")) {
                ++links;
                const QString target = href.section('#', 0, 0).isEmpty() ? page : href.section('#', 0, 0);
                const QString anchor = href.section('#', 1);
                QVERIFY2(!href.contains(':') && !target.contains("..") && Folder().exists(target),
                         qPrintable(page + ": " + href));
                QVERIFY2(anchor.isEmpty() || ids[target].contains(anchor), qPrintable(page + ": " + href));
                if (target.endsWith(".htm") && !reached.contains(target))
                    reached.insert(target), queue << target;
            }
        }
        QCOMPARE(QSet<QString>(pages.begin(), pages.end()), reached);
        QVERIFY(links > 50 && pictures >= 2 && commands.size() > 60);
    }

    // Faults: success reported when no browser took the page or when it does not exist, a message
    // that hides why (the pages opened from the data folder are checked through the window's menus).
    void saysWhyAPageDidNotOpen() {
        const QString index = Folder().filePath("index.htm");
        {
            platform::UrlOpenerRecorder noBrowser(false);
            platform::MessageBoxRecorder boxes;
            QVERIFY(!OpenHelpIndex(nullptr));
            QCOMPARE(boxes.boxes().size(), size_t(1));
            QVERIFY(boxes.boxes()[0].first.contains("no web browser") &&
                    boxes.boxes()[0].first.contains(QDir::toNativeSeparators(index)));
        }
        QTemporaryDir empty;
        const std::filesystem::path before = platform::DataDir();
        platform::SetDataDir(empty.path().toStdString());
        platform::UrlOpenerRecorder urls;
        platform::MessageBoxRecorder boxes;
        QVERIFY(!OpenHelpIndex(nullptr));
        platform::SetDataDir(before);
        QVERIFY(urls.urls().empty() && boxes.boxes().size() == 1);
        QVERIFY(boxes.boxes()[0].first.contains("does not exist") &&
                boxes.boxes()[0].first.contains(QDir::toNativeSeparators(empty.filePath("help/index.htm"))));
    }
};

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"
