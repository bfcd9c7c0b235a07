#include "UrlOpener.h"

#include <QDesktopServices>
#include <utility>

namespace platform {

namespace {
UrlOpenerSink& Sink() {
    static UrlOpenerSink sink;
    return sink;
}
} // namespace

bool OpenUrl(const QUrl& url) {
    if (Sink()) return Sink()(url);
    return QDesktopServices::openUrl(url);
}

UrlOpenerSink SetUrlOpenerSink(UrlOpenerSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

UrlOpenerRecorder::UrlOpenerRecorder(bool answer) {
    m_previous = SetUrlOpenerSink([this, answer](const QUrl& url) {
        m_urls.push_back(url);
        return answer;
    });
}

UrlOpenerRecorder::~UrlOpenerRecorder() {
    SetUrlOpenerSink(std::move(m_previous));
}

} // namespace platform
