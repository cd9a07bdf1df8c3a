#pragma once

#include "CalcOptions.h"

#include <QString>
#include <atomic>
#include <com/sun/star/connection/XConnection.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <map>
#include <mutex>
#include <sys/types.h>

// The connection to Locastra's Calc: one per host process, shared by every
// application object, made again when Calc was closed or crashed.
namespace spreadsheet::calc {

class Office {
public:
    static Office& instance();

    void configure(const Options& options);
    const Options& options() const { return options_; }

    // Connects to Locastra's Calc, starting it when none answers on its pipe, and makes
    // sure once per connection that Calc itself works (a hidden spreadsheet document
    // is created and closed). True when this call started Calc. Throws
    // automation::Error when it cannot: CalcUnavailable when Calc stopped answering.
    bool connect();
    // Calc's desktop, the root of its documents; connect() first.
    css::uno::Reference<css::frame::XDesktop2> desktop() const { return desktop_; }
    // The process group of the Calc this process started, or 0.
    pid_t processGroup() const;
    // A window of this Calc was shown to the user: from now on it is the user's, and
    // it is not ended when it stops answering.
    void noteShown() { shown_ = true; }

    // Ends Calc when no document at all is open in it; used only for a Calc this
    // process started and nobody uses.
    void endIfIdle();
    // Drops the connection (Calc keeps running).
    void disconnect();

private:
    Office() = default;
    bool alive();
    bool tryConnect(const QString& pipeName);
    void startAndConnect();
    void proveCalcWorks();
    // A call missed its deadline: the connection is dropped (so the call comes back),
    // and a Calc this process started that shows the user nothing is ended.
    void abandon();

    Options options_;
    css::uno::Reference<css::uno::XComponentContext> local_;
    css::uno::Reference<css::uno::XComponentContext> remote_;
    css::uno::Reference<css::frame::XDesktop2> desktop_;
    std::mutex connectionMutex_; // connection_ is closed from the waiting thread
    css::uno::Reference<css::connection::XConnection> connection_;
    bool proven_ = false;
    std::atomic<bool> hung_{false}; // set from the thread waiting for a call
    bool shown_ = false;
    QString pipe_; // the pipe of the connection made or being made
    struct Started {
        pid_t group = 0;
        QString pipe;
    };
    std::map<QString, Started> started_; // per profile: the Calc this process started there
    pid_t ending_ = 0;                   // a Calc told to quit that may still be going
};

} // namespace spreadsheet::calc
