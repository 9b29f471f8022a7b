#pragma once
// The core's HTTP GET with Qt Network.
#include <memory>

#include "state/http.h"

class QNetworkAccessManager;

namespace sextrix::qtio {

class QtHttp : public Http {
public:
    QtHttp();
    ~QtHttp() override;

    // Runs a local event loop while the answer arrives, so the block callback
    // runs on this (the user-interface) thread, once per chunk Qt reads. User
    // input waits meanwhile; the callback's yield lets it through.
    HttpResult get(const HttpRequest& request, const BlockSink& onBlock) override;

private:
    std::unique_ptr<QNetworkAccessManager> manager_;  // made on first use
};

}  // namespace sextrix::qtio
