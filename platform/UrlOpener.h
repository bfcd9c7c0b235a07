// Opening a page or file in the program the desktop chooses for it (a web page in the default
// browser). Tests install a sink that receives the address instead of anything being launched.
#pragma once

#include <QUrl>
#include <functional>
#include <vector>

namespace platform {

// Returns false when no program could be started for the address. While a sink is installed, the
// sink gets the address and its answer is returned.
bool OpenUrl(const QUrl& url);

using UrlOpenerSink = std::function<bool(const QUrl& url)>;

// Installs a sink (an empty function launches real programs again); returns the previous one.
UrlOpenerSink SetUrlOpenerSink(UrlOpenerSink sink);

// Records every address opened while it lives (for tests); `answer` is what OpenUrl returns.
// Restores the previous sink afterwards.
class UrlOpenerRecorder {
public:
    explicit UrlOpenerRecorder(bool answer = true);
    ~UrlOpenerRecorder();
    UrlOpenerRecorder(const UrlOpenerRecorder&) = delete;
    UrlOpenerRecorder& operator=(const UrlOpenerRecorder&) = delete;

    const std::vector<QUrl>& urls() const { return m_urls; }
    void clear() { m_urls.clear(); }

private:
    std::vector<QUrl> m_urls;
    UrlOpenerSink m_previous;
};

} // namespace platform
