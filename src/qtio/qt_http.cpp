#include "qt_http.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace sextrix::qtio {

QtHttp::QtHttp() = default;
QtHttp::~QtHttp() = default;

HttpResult QtHttp::get(const HttpRequest& request, const BlockSink& onBlock) {
    HttpResult result;
    const QUrl url(QString::fromStdString(request.url), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https")) {
        result.error = "Not a web address: " + request.url;
        return result;
    }
    if (!manager_) manager_ = std::make_unique<QNetworkAccessManager>();

    QNetworkRequest get(url);
    get.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(request.userAgent));
    get.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    if (request.noCache) {
        get.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        get.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        get.setRawHeader("Cache-Control", "no-cache");
        get.setRawHeader("Pragma", "no-cache");
    }
    const std::unique_ptr<QNetworkReply> reply(manager_->get(get));
    const auto status = [&] { return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); };

    QEventLoop loop;  // declared after the reply: it goes first, and its connections with it
    QTimer quiet;
    quiet.setSingleShot(true);
    const auto waitForServer = [&] {
        if (request.timeoutMs > 0) quiet.start(request.timeoutMs);
    };
    bool stopped = false;
    const auto stop = [&](bool& reason) {
        reason = stopped = true;
        reply->abort();  // finishes the reply at once, which ends the loop
    };

    // The callback yields, so more data (and its readyRead) can come while it
    // runs; that data is taken by the running call, so blocks stay in order.
    bool delivering = false;
    const auto deliver = [&] {
        if (delivering || stopped) return;
        if (status() >= 400) {  // an error page is not the download, but its words are kept
            const QByteArray page = reply->readAll();
            const auto room =
                HttpResult::kErrorBodyBytes - std::min(result.errorBody.size(), HttpResult::kErrorBodyBytes);
            result.errorBody.append(page.constData(), std::min(room, static_cast<std::size_t>(page.size())));
            return;
        }
        if (status() >= 300) return;  // nor is the body of a redirect
        delivering = true;
        while (!stopped && reply->bytesAvailable() > 0) {
            const QByteArray block = reply->readAll();
            result.bytes += static_cast<std::uint64_t>(block.size());
            quiet.stop();  // the time-out is the server's silence, not ours
            if (!onBlock(std::string_view(block.constData(), static_cast<std::size_t>(block.size()))))
                stop(result.cancelled);
            else
                waitForServer();
        }
        delivering = false;
    };

    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, deliver);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&quiet, &QTimer::timeout, &loop, [&] { stop(result.timedOut); });
    // With a way to cancel, the user's input goes on while the server is
    // silent, so that a Cancel can be pressed and is seen here.
    QTimer cancelWatch;
    QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeUserInputEvents;
    if (request.cancelRequested) {
        flags = QEventLoop::AllEvents;
        QObject::connect(&cancelWatch, &QTimer::timeout, &loop, [&] {
            if (!stopped && request.cancelRequested()) stop(result.cancelled);
        });
        cancelWatch.start(100);
    }
    waitForServer();
    if (!reply->isFinished()) loop.exec(flags);
    quiet.stop();
    cancelWatch.stop();
    deliver();  // what came with the end of the answer

    result.status = status();
    if (result.cancelled)
        result.error = httpCancelledError();
    else if (result.timedOut)
        result.error = httpTimeoutError(request.timeoutMs);
    else if (result.status >= 300)  // a redirect left is one that could not be followed
        result.error = httpStatusError(
            result.status, reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().toStdString());
    else if (reply->error() != QNetworkReply::NoError)
        result.error = reply->errorString().toStdString();
    return result;
}

}  // namespace sextrix::qtio
