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

// "The remote server machine does not exist or is unavailable": Calc was closed or
// crashed while a client still held its objects.
constexpr int32_t CalcUnavailable = 462;
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

// Whether calls into Calc keep this thread's non-input events flowing (see
// runResponsive); on for a Calc with windows.
void setResponsiveCalls(bool on);

// Runs body. On the GUI thread, with responsive calls on, body runs on a helper
// thread while this thread goes on handling events other than user input, as a
// cross-process call from a desktop application must: a Calc with windows asks the
// clipboard owner (often this very application) for its formats while it opens a
// document, and a host blocked in the call could never answer. Exceptions reach the
// caller.
void runResponsive(const std::function<void()>& body);

// Runs a piece of UNO work responsively, turning its exceptions into automation::Error.
template <class F> auto unoCall(F&& work) -> std::invoke_result_t<F&> {
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
        runResponsive(guarded);
    } else {
        std::optional<Result> result;
        runResponsive([&] { result.emplace(guarded()); });
        return std::move(*result);
    }
}

} // namespace spreadsheet::calc
