#pragma once

#include "automation/Error.h"

#include <QString>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <rtl/ustring.hxx>

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

// Runs a piece of UNO work, turning its exceptions into automation::Error.
template <class F> decltype(auto) unoCall(F&& work) {
    try {
        return work();
    } catch (const css::lang::DisposedException&) {
        throwCalcUnavailable();
    } catch (const css::uno::Exception& e) {
        throwAsAutomationError(e);
    }
}

} // namespace spreadsheet::calc
