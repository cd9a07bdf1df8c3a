#pragma once

#include "CalcOptions.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <map>
#include <sys/types.h>

// The connection to Locastra's Calc: one per host process, shared by every
// application object, made again when Calc was closed or crashed.
namespace spreadsheet::calc {

class Office {
public:
    static Office& instance();

    void configure(const Options& options);
    const Options& options() const { return options_; }

    // Connects to Locastra's Calc, starting it when none answers on its pipe. True
    // when this call started it. Throws automation::Error when it cannot.
    bool connect();
    // Calc's desktop, the root of its documents; connect() first.
    css::uno::Reference<css::frame::XDesktop2> desktop() const { return desktop_; }
    // The process group of the Calc this process started, or 0.
    pid_t processGroup() const;

    // Ends Calc when no document at all is open in it; used only for a Calc this
    // process started and nobody uses.
    void endIfIdle();
    // Drops the connection (Calc keeps running).
    void disconnect();

private:
    Office() = default;
    bool alive() const;
    bool tryConnect();

    Options options_;
    css::uno::Reference<css::uno::XComponentContext> local_;
    css::uno::Reference<css::uno::XComponentContext> remote_;
    css::uno::Reference<css::frame::XDesktop2> desktop_;
    std::map<QString, pid_t> groups_; // per pipe: the Calc this process started there
};

} // namespace spreadsheet::calc
