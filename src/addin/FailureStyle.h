#pragma once

#include "automation/Error.h"
#include "desktop/Desktop.h"

#include <QString>
#include <exception>

// The three ways a command deals with a failing host call. Guards catch
// automation::Error and std::exception only, so programming errors still surface.
namespace locastra {

// The description of a caught failure, for messages.
QString FailureDescription(const std::exception& e);

// Tells the user what went wrong: a message box titled "Error" with the critical-error
// icon and only an OK button.
void ShowError(const QString& text);

// Step by step: runs one step; a failure skips just that step. Returns whether the
// step completed.
template <class F> bool Step(F&& step) {
    try {
        step();
        return true;
    } catch (const automation::Error&) {
    } catch (const std::exception&) {
    }
    return false;
}

// First failure ends the command silently: runs the whole body under one guard.
// Returns whether the body completed. (The same guard as Step, named for intent.)
template <class F> bool EndSilentlyOnFailure(F&& body) {
    return Step(std::forward<F>(body));
}

// First failure ends the command with a message box showing the failure's
// description, with the given title and icon and only an OK button.
template <class F>
bool EndWithMessageOnFailure(F&& body, const QString& title, desktop::Icon icon) {
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        desktop::services().messageBox(FailureDescription(e), title, icon, desktop::Buttons::Ok);
    }
    return false;
}

} // namespace locastra
