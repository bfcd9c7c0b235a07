// Driving the real main window: starting it, clicks, answering dialogs, and a main() for the sky.
#pragma once

#include "ModalDriver.h"

#include "planetarium/app/MainFrame.h"
#include "planetarium/app/NightvaneGlView.h"
#include "platform/GlContextProbe.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QPushButton>
#include <QSurfaceFormat>
#include <QtTest>
#include <functional>
#include <memory>

namespace nvtest {

// A shown, active main window (of `size` where given); with `loadData` it reads the data folder
// behind the loading dialog.
inline std::unique_ptr<CMainFrame> StartFrame(bool loadData, QSize size = {}) {
    auto frame = std::make_unique<CMainFrame>(FrameOptions{loadData});
    if (size.isValid()) frame->resize(size);
    frame->show();
    const bool started = QTest::qWaitFor([&frame] { return frame->View()->started(); }, 60000);
    frame->activateWindow();
    if (!started || !QTest::qWaitForWindowActive(frame.get())) qWarning("the main window did not start");
    return frame;
}

inline void Click(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton);
}

// Clicks the list line that starts with `text`.
inline void ClickLine(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchStartsWith);
    QVERIFY2(found.size() == 1, qPrintable(text));
    list->scrollToItem(found.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
    QVERIFY(found.front()->isSelected());
}

// Runs `answer` on the next modal window, which must be a `Dialog`.
template <class Dialog> void OnNextDialog(std::function<void(Dialog*)> answer) {
    OnNextModal([answer](QWidget* w) {
        auto* dialog = qobject_cast<Dialog*>(w);
        QVERIFY(dialog);
        answer(dialog);
    });
}

} // namespace nvtest

#define NV_WINDOW_TEST_MAIN(TestClass)                                                                       \
    int main(int argc, char** argv) {                                                                        \
        QSurfaceFormat::setDefaultFormat(platform::SkySurfaceFormat());                                      \
        QApplication app(argc, argv);                                                                        \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
