#pragma once

#include "automation/Error.h"

#include <QString>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <functional>
#include <optional>
#include <rtl/ustring.hxx>
#include <type_traits>

// What every part of the Calc adapter shares: string conversion between Qt and UNO
// (both UTF-16, so no re-encoding) and the translation of UNO exceptions into the
// automation errors the object model promises.
namespace spreadsheet::calc {

// Calc was closed or crashed while a client still held its objects.
constexpr int32_t CalcUnavailable = automation::errors::ServerUnavailable;
// Any other refusal by Calc.
constexpr int32_t CalcRefused = 440;

inline rtl::OUString toOUString(const QString& text) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), text.size());
}

inline QString toQString(const rtl::OUString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

// The automation errors for a lost connection (Calc is gone) and for any other UNO
// exception.
[[noreturn]] void throwCalcUnavailable();
[[noreturn]] void throwAsAutomationError(const css::uno::Exception& e);

// How calls into Calc run: whether they keep this thread's non-input events flowing
// (on for a Calc with windows), how long one may take, and what is done when one
// takes longer (drop the connection, so the call comes back).
void setResponsiveCalls(bool on);
void setCallDeadline(int milliseconds, std::function<void()> onDeadline);
int callDeadline();

// Runs body on a helper thread and waits for it at most the call deadline. On the GUI
// thread, with responsive calls on, this thread goes on handling events other than
// user input (repaints, timers) while it waits, as a cross-process call from a desktop
// application must: a Calc with windows asks the clipboard owner (often this very
// application) for its formats while it opens a document, and a host blocked in the
// call could never answer. Past the deadline the deadline action runs, body is waited
// for until it comes back, and the call fails with CalcUnavailable. Exceptions reach
// the caller.
// Alongside: a call that neither reads nor removes what blocks in the background
// write (adding or naming a sheet, formats, widths) need not wait for them.
enum class Order { AfterBackground, Alongside };
void runWithDeadline(const std::function<void()>& body, Order order = Order::AfterBackground);

// Starts body on a helper thread and returns at once, so the caller can prepare the
// next call meanwhile; body must own what it uses, must not call into Calc through
// the functions here, and must not depend on the order in which Calc runs it and the
// background calls still running, but by waiting for one started before it.
// runWithDeadline (but for calls alongside) and finishBackground first wait for every
// background call, runInBackground for all but the last three, each with the call
// deadline counted from its start, and report the first failure. Returns the call's
// number, counted from 1.
uint64_t runInBackground(std::function<void()> body);
void finishBackground();
// Whether a background call (by its number) may still run, in either order with the
// next call.
bool backgroundCallRunning(uint64_t call);

// Waits milliseconds; on the GUI thread with responsive calls on, handling events other
// than user input meanwhile instead of sleeping.
void pauseResponsively(int milliseconds);

// Runs a piece of UNO work with the call deadline, turning its exceptions into automation::Error.
template <class F>
auto unoCall(F&& work, Order order = Order::AfterBackground) -> std::invoke_result_t<F&> {
    using Result = std::invoke_result_t<F&>;
    auto guarded = [&]() -> Result {
        try {
            return work();
        } catch (const css::lang::DisposedException&) {
            throwCalcUnavailable();
        } catch (const css::uno::Exception& e) {
            throwAsAutomationError(e);
        }
    };
    if constexpr (std::is_void_v<Result>) {
        runWithDeadline(guarded, order);
    } else {
        std::optional<Result> result;
        runWithDeadline([&] { result.emplace(guarded()); }, order);
        return std::move(*result);
    }
}

// Runs a piece of UNO work in the background (see runInBackground), turning its
// exceptions into automation::Error when they are reported.
template <class F> uint64_t unoCallInBackground(F work) {
    return runInBackground([work = std::move(work)]() mutable {
        try {
            work();
        } catch (const css::lang::DisposedException&) {
            throwCalcUnavailable();
        } catch (const css::uno::Exception& e) {
            throwAsAutomationError(e);
        }
    });
}

} // namespace spreadsheet::calc
